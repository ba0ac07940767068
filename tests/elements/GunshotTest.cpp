// Frost and heat shots: flight, what they hit, leaving the board, and undo
// removing a shot fired after the restored step.
#include <gtest/gtest.h>

#include "elements/CElementDeviceGunshot.h"
#include "elements/CElementObjectCrate.h"
#include "elements/CElementTerrainGrass.h"
#include "elements/CElementTerrainIce.h"
#include "world/BoardHarness.h"

using boardtest::Board;

namespace {
enum { FROST = 0, HEAT = 1 };

// Moves and pumps every element, as the world step's move and pump passes.
void stepShot(CElement* shot, int steps)
{
    for (int i = 0; i < steps; ++i) {
        shot->Move();
        shot->Pump();
    }
}
} // namespace

TEST(Gunshot, IsASpawnedShotThatCountsAsEmpty)
{
    Board board;
    auto* shot = new CElementDeviceGunshot(5, 5, FROST, 0);
    EXPECT_TRUE(shot->IsGunshot());
    EXPECT_EQ(shot->spawned, 1);
    EXPECT_EQ(CElement::spawnedElements.size(), 1u);
    EXPECT_EQ(getElementAt(5, 5, true), shot);
    EXPECT_EQ(getElementAt(5, 5, false), CElement::nullElement);
    EXPECT_FALSE(shot->GetCanFall());
    EXPECT_STREQ(shot->GetName(), "Gunshot Device");
}

TEST(Gunshot, FliesOneCellPerFourStepsAway)
{
    Board board;
    auto* shot = new CElementDeviceGunshot(5, 5, FROST, 0);
    shot->Pump(); // starts the first cell
    EXPECT_EQ(shot->GetX(), 6);
    stepShot(shot, 3);
    EXPECT_EQ(shot->GetX(), 6);
    stepShot(shot, 1); // arrives and starts the next cell at once
    EXPECT_EQ(shot->GetX(), 7);
    auto* left = new CElementDeviceGunshot(5, 8, HEAT, 1);
    left->Pump();
    EXPECT_EQ(left->GetX(), 4);
}

TEST(Gunshot, FrostFreezesTheFirstThingInItsPathAndTheShotIsGone)
{
    Board board;
    auto* crate = new CElementObjectCrate(9, 5, 0, 0, 1);
    auto* shot = new CElementDeviceGunshot(5, 5, FROST, 0);
    shot->Pump();
    stepShot(shot, 4 * 3);
    EXPECT_TRUE(crate->GetFrozen());
    EXPECT_EQ(shot->state, CElementDeviceGunshot::SHOT_BURSTING);
    EXPECT_EQ(getElementAt(8, 5, true), CElement::nullElement);
    stepShot(shot, 100);
    EXPECT_EQ(shot->state, CElementDeviceGunshot::SHOT_GONE);
    EXPECT_TRUE(shot->GetExploded());
}

TEST(Gunshot, HeatBurnsWoodMeltsIceAndWarmsMetal)
{
    Board board;
    auto* wood = new CElementObjectCrate(6, 5, 0, 0, 1);
    auto* ice = new CElementTerrainIce(6, 7, 0);
    auto* metal = new CElementObjectCrate(6, 9, 1, 0, 1);
    auto* grass = new CElementTerrainGrass(6, 11, 1);
    for (int row : {5, 7, 9, 11}) {
        auto* shot = new CElementDeviceGunshot(5, row, HEAT, 0);
        shot->Pump();
    }
    EXPECT_EQ(getElementAt(6, 5, false), CElement::nullElement);
    EXPECT_TRUE(wood->heatEffectActive);
    EXPECT_EQ(getElementAt(6, 7, false), CElement::nullElement);
    EXPECT_TRUE(ice->steamActive);
    EXPECT_TRUE(metal->GetHeated());
    EXPECT_EQ(getElementAt(6, 11, false), grass); // grass does not mind
}

TEST(Gunshot, AShotFiredIntoAFilledCellHitsWhatIsThere)
{
    Board board;
    auto* crate = new CElementObjectCrate(5, 5, 0, 0, 1);
    auto* shot = new CElementDeviceGunshot(5, 5, FROST, 1);
    EXPECT_EQ(getElementAt(5, 5, true), crate); // the shot took nothing from it
    shot->Pump();
    EXPECT_TRUE(crate->GetFrozen());
}

TEST(Gunshot, LeavesTheBoardAtTheEdge)
{
    Board board;
    auto* right = new CElementDeviceGunshot(31, 5, FROST, 0);
    right->Pump();
    EXPECT_EQ(right->state, CElementDeviceGunshot::SHOT_GONE);
    EXPECT_EQ(getElementAt(31, 5, true), CElement::nullElement);
    auto* left = new CElementDeviceGunshot(0, 6, HEAT, 1);
    left->Pump();
    EXPECT_EQ(left->state, CElementDeviceGunshot::SHOT_GONE);
    // One cell from the edge it still flies into the last cell.
    auto* near = new CElementDeviceGunshot(30, 7, FROST, 0);
    near->Pump();
    EXPECT_EQ(near->state, CElementDeviceGunshot::SHOT_FLYING);
    EXPECT_EQ(near->GetX(), 31);
}

TEST(Gunshot, UndoBringsBackTheBurstWhereItWas)
{
    Board board;
    new CElementObjectCrate(6, 5, 0, 0, 1);
    auto* shot = new CElementDeviceGunshot(5, 5, FROST, 0);
    shot->Pump();
    shot->Pump();
    shot->SaveState(0);
    stepShot(shot, 100);
    ASSERT_EQ(shot->state, CElementDeviceGunshot::SHOT_GONE);
    shot->RestoreState(0);
    EXPECT_EQ(shot->state, CElementDeviceGunshot::SHOT_BURSTING);
    EXPECT_FALSE(shot->GetExploded());
}
