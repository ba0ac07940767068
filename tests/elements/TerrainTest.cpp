// Grass, sand, ice and bridges: the cells they fill, their friction, what
// heat and frost do to them, the bridge's collapse and its undo.
#include <gtest/gtest.h>

#include "elements/CElementObjectCrate.h"
#include "elements/CElementTerrainBridge.h"
#include "elements/CElementTerrainGrass.h"
#include "elements/CElementTerrainIce.h"
#include "elements/CElementTerrainSand.h"
#include "level/TileCodes.h"
#include "world/BoardHarness.h"

using boardtest::Board;

TEST(Terrain, ARunFillsEveryCellOfItsWidthAndNoMore)
{
    Board board;
    auto* grass = new CElementTerrainGrass(4, 10, 6);
    EXPECT_EQ(getElementAt(3, 10, false), CElement::nullElement);
    for (int x = 4; x <= 9; ++x)
        EXPECT_EQ(getElementAt(x, 10, false), grass) << x;
    EXPECT_EQ(getElementAt(10, 10, false), CElement::nullElement);
    EXPECT_EQ(grass->GetWidth(), 6);
    EXPECT_TRUE(grass->IsGrass());
    EXPECT_FALSE(grass->GetMobile());
    EXPECT_FALSE(grass->GetCanFall());
}

TEST(Terrain, ARunReachingPastTheRightEdgeFillsOnlyBoardCells)
{
    Board board;
    auto* sand = new CElementTerrainSand(28, 23, 6);
    for (int x = 28; x < CElement::GRID_WIDTH; ++x)
        EXPECT_EQ(getElementAt(x, 23, false), sand);
    EXPECT_TRUE(sand->IsSand());
}

TEST(Terrain, FrictionIsPlainOnGrassStickyOnSandSlipperyOnIce)
{
    Board board;
    CElement* grass = new CElementTerrainGrass(0, 5, 1);
    CElement* sand = new CElementTerrainSand(1, 5, 1);
    CElement* ice = new CElementTerrainIce(2, 5, 0);
    CElement* bridge = new CElementTerrainBridge(3, 5, 0, 0, 1);
    EXPECT_EQ(grass->GetFriction(), 0);
    EXPECT_EQ(sand->GetFriction(), 1);
    EXPECT_EQ(ice->GetFriction(), -1);
    EXPECT_EQ(bridge->GetFriction(), 0);
    // A crate standing on each reads its ground through the base predicates.
    CElement* onIce = new CElementObjectCrate(2, 4, 0, 0, 1);
    CElement* onSand = new CElementObjectCrate(1, 4, 0, 0, 1);
    CElement* onGrass = new CElementObjectCrate(0, 4, 0, 0, 1);
    EXPECT_TRUE(onIce->IsOnSlipperyGround());
    EXPECT_FALSE(onIce->IsOnStickyGround());
    EXPECT_TRUE(onSand->IsOnStickyGround());
    EXPECT_FALSE(onGrass->IsOnSlipperyGround());
    EXPECT_FALSE(onGrass->IsOnStickyGround());
}

TEST(Terrain, GrassAndSandTakeNeitherFrostNorHeat)
{
    Board board;
    CElement* grass = new CElementTerrainGrass(0, 5, 3);
    CElement* sand = new CElementTerrainSand(5, 5, 3);
    for (CElement* t : {grass, sand}) {
        EXPECT_FALSE(t->Freeze());
        EXPECT_FALSE(t->Heat(false, false));
        EXPECT_FALSE(t->GetFrozen());
        EXPECT_EQ(getElementAt(t->GetX(), 5, false), t);
    }
}

TEST(Terrain, HeatMeltsIceAwayAndLeavesTheCellEmpty)
{
    Board board;
    CElement* ice = new CElementTerrainIce(7, 9, 1);
    EXPECT_FALSE(ice->Freeze());
    EXPECT_TRUE(ice->Heat(false, false));
    EXPECT_EQ(getElementAt(7, 9, false), CElement::nullElement);
    EXPECT_TRUE(ice->steamActive);
    ice->Pump();
    EXPECT_TRUE(ice->mainSprite->IsHidden());
}

// A hot crate melts the ice under it and falls through: once the steam has
// gone the ice must stay out of sight, or the crate seems to fall through
// solid ice.
TEST(Terrain, MeltedIceStaysOutOfSightAfterItsSteam)
{
    Board board(R"(
        *
        ~
        .
        #
    )");
    CElement* ice = board.at(0, 1);
    board.step(1);
    ASSERT_TRUE(ice->steamActive);
    board.step(120);
    EXPECT_EQ(board.picture(), boardtest::trimPicture(R"(
        .
        .
        C
        #
    )"));
    EXPECT_FALSE(ice->steamActive); // the cloud has played out
    EXPECT_TRUE(ice->mainSprite->IsHidden());
    // Undo brings the ice back, and it is drawn again.
    CElement::UndoLoad(true);
    EXPECT_EQ(board.at(0, 1), ice);
    ice->Pump();
    EXPECT_FALSE(ice->mainSprite->IsHidden());
}

TEST(Bridge, SteppingOffCollapsesItAndEmptiesItsCell)
{
    Board board;
    auto* bridge = new CElementTerrainBridge(5, 12, 0, 0, 1);
    EXPECT_EQ(getElementAt(5, 12, false), bridge);
    bridge->Collapse();
    EXPECT_EQ(getElementAt(5, 12, false), CElement::nullElement);
    EXPECT_EQ(bridge->state, CElementTerrainBridge::BRIDGE_COLLAPSING);
    // A second collapse changes nothing.
    bridge->Collapse();
    EXPECT_EQ(bridge->state, CElementTerrainBridge::BRIDGE_COLLAPSING);
    for (int i = 0; i < 100; ++i)
        bridge->Pump();
    EXPECT_EQ(bridge->state, CElementTerrainBridge::BRIDGE_GONE);
    EXPECT_TRUE(bridge->mainSprite->IsHidden());
}

TEST(Bridge, AFrozenBridgeNeverCollapsesAndHeatThawsIt)
{
    Board board;
    auto* bridge = new CElementTerrainBridge(5, 12, 0, CELL_FROZEN, 1);
    EXPECT_TRUE(bridge->Freeze());
    bridge->Collapse();
    EXPECT_EQ(getElementAt(5, 12, false), bridge);
    EXPECT_EQ(bridge->state, CElementTerrainBridge::BRIDGE_WHOLE);
    // Heat only thaws it; then it collapses like any bridge.
    EXPECT_TRUE(bridge->Heat(false, false));
    EXPECT_FALSE(bridge->GetFrozen());
    EXPECT_EQ(getElementAt(5, 12, false), bridge);
    bridge->Collapse();
    EXPECT_EQ(getElementAt(5, 12, false), CElement::nullElement);
}

TEST(Bridge, HeatBurnsAWoodenBridgeAndBurstsAnInflatableOne)
{
    Board board;
    auto* wooden = new CElementTerrainBridge(2, 12, CElementTerrainBridge::MATERIAL_WOOD, 0, 1);
    auto* inflatable = new CElementTerrainBridge(3, 12, CElementTerrainBridge::MATERIAL_INFLATABLE, 0, 0);
    EXPECT_FALSE(wooden->GetBursts());
    EXPECT_TRUE(inflatable->GetBursts());
    EXPECT_TRUE(wooden->Heat(false, false));
    EXPECT_TRUE(inflatable->Heat(false, false));
    EXPECT_EQ(getElementAt(2, 12, false), CElement::nullElement);
    EXPECT_EQ(getElementAt(3, 12, false), CElement::nullElement);
    EXPECT_TRUE(wooden->heatEffectActive);
    EXPECT_TRUE(inflatable->heatEffectActive);
}

TEST(Bridge, AnInflatablePieceIsSpawnedSolidAtOnceAndFinishesInflating)
{
    Board board;
    auto* piece = new CElementTerrainBridge(9, 8, CElementTerrainBridge::MATERIAL_INFLATABLE, 0, 1);
    EXPECT_EQ(piece->spawned, 1);
    ASSERT_EQ(CElement::spawnedElements.size(), 1u);
    EXPECT_EQ(CElement::spawnedElements[0], piece);
    EXPECT_EQ(getElementAt(9, 8, false), piece);
    EXPECT_EQ(piece->state, CElementTerrainBridge::BRIDGE_INFLATING);
    for (int i = 0; i < 7; ++i)
        piece->Pump();
    EXPECT_EQ(piece->state, CElementTerrainBridge::BRIDGE_INFLATING);
    piece->Pump();
    EXPECT_EQ(piece->state, CElementTerrainBridge::BRIDGE_WHOLE);
    // A wooden bridge from the level is not spawned.
    auto* wooden = new CElementTerrainBridge(10, 8, 0, 0, 1);
    EXPECT_EQ(wooden->spawned, 0);
    EXPECT_EQ(CElement::spawnedElements.size(), 1u);
}

TEST(Bridge, UndoBringsACollapsedBridgeBackHalfwayThroughItsFall)
{
    Board board;
    auto* bridge = new CElementTerrainBridge(5, 12, 0, 0, 1);
    bridge->Collapse();
    for (int i = 0; i < 3; ++i)
        bridge->Pump();
    bridge->SaveState(2);
    CElementFields before = *bridge;
    int beforeFrame = bridge->mainSprite->GetFrame();
    for (int i = 0; i < 100; ++i)
        bridge->Pump();
    ASSERT_EQ(bridge->state, CElementTerrainBridge::BRIDGE_GONE);
    bridge->RestoreState(2);
    EXPECT_EQ(bridge->state, CElementTerrainBridge::BRIDGE_COLLAPSING);
    EXPECT_EQ(bridge->inGrid, before.inGrid);
    EXPECT_EQ(bridge->mainSprite->GetFrame(), beforeFrame);
    // It goes on collapsing from where it was, not from the start.
    bridge->Pump();
    EXPECT_EQ(bridge->mainSprite->GetFrame(), beforeFrame + 1);
}
