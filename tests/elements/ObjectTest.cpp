// Crates, barrels and magnets: materials, friction, the cell they take, the
// inflation of a placed object, the pictures of hot and cold, and undo.
#include <gtest/gtest.h>

#include "elements/CElementDeviceTrampoline.h"
#include "elements/CElementObjectBarrel.h"
#include "elements/CElementObjectCrate.h"
#include "elements/CElementObjectMagnet.h"
#include "elements/CElementTerrainGrass.h"
#include "level/TileCodes.h"
#include "world/BoardHarness.h"

using boardtest::Board;

namespace {
enum { WOOD = 0, METAL = 1, INFLATABLE = 2 };
} // namespace

TEST(Objects, MaterialsDecideWhatHeatDoes)
{
    Board board;
    CElement* wood = new CElementObjectCrate(1, 1, WOOD, 0, 1);
    CElement* metal = new CElementObjectCrate(2, 1, METAL, 0, 1);
    CElement* inflatable = new CElementObjectBarrel(3, 1, INFLATABLE, 0, 0);
    CElement* magnet = new CElementObjectMagnet(4, 1, 0, 0, 1);
    CElement* inflatableMagnet = new CElementObjectMagnet(5, 1, 1, 0, 0);

    EXPECT_TRUE(wood->GetBurnable());
    EXPECT_FALSE(wood->GetBursts());
    EXPECT_FALSE(wood->GetMetallic());
    EXPECT_TRUE(metal->GetHeatable());
    EXPECT_FALSE(metal->GetBurnable());
    EXPECT_TRUE(metal->GetMetallic());
    EXPECT_TRUE(inflatable->GetBurnable());
    EXPECT_TRUE(inflatable->GetBursts());
    EXPECT_TRUE(magnet->GetMagnetic());
    EXPECT_TRUE(magnet->GetHeatable());
    EXPECT_TRUE(inflatableMagnet->GetMagnetic());
    EXPECT_TRUE(inflatableMagnet->GetBursts());
    for (CElement* e : {wood, metal, inflatable, magnet, inflatableMagnet}) {
        EXPECT_TRUE(e->GetMobile());
        EXPECT_TRUE(e->GetCanFall());
        EXPECT_TRUE(e->canSlide);
        EXPECT_TRUE(e->GetFreezable());
        EXPECT_EQ(getElementAt(e->GetX(), 1, false), e);
    }

    // Heat: wood burns away, metal glows and stays.
    EXPECT_TRUE(wood->Heat(false, false));
    EXPECT_EQ(getElementAt(1, 1, false), CElement::nullElement);
    EXPECT_TRUE(metal->Heat(false, false));
    EXPECT_TRUE(metal->GetHeated());
    EXPECT_EQ(getElementAt(2, 1, false), metal);
}

TEST(Objects, CrateFrictionIsSlipperyOnlyWhileFrozenAndOffATrampoline)
{
    Board board;
    CElement* crate = new CElementObjectCrate(1, 1, METAL, 0, 1);
    EXPECT_EQ(crate->GetFriction(), 0);
    EXPECT_EQ(crate->GetFrictionModifier(), 0);
    crate->Freeze();
    EXPECT_EQ(crate->GetFriction(), -1);
    EXPECT_EQ(crate->GetFrictionModifier(), -1);
    crate->tramp = 1;
    EXPECT_EQ(crate->GetFriction(), 0);
    EXPECT_EQ(crate->GetFrictionModifier(), 0);
    crate->tramp = 0;
    // Heat thaws it and it is plain again.
    crate->Heat(false, false);
    EXPECT_EQ(crate->GetFriction(), 0);
}

TEST(Objects, BarrelModifierIsOneLowerWhileNobodyRidesIt)
{
    Board board;
    CElement* barrel = new CElementObjectBarrel(1, 1, WOOD, 0, 1);
    EXPECT_EQ(barrel->GetFrictionModifier(), -1);
    EXPECT_EQ(barrel->GetFriction(), 0);
    barrel->SetRidden(true);
    EXPECT_EQ(barrel->GetFrictionModifier(), 0);
    barrel->Freeze();
    EXPECT_EQ(barrel->GetFrictionModifier(), -1);
    barrel->SetRidden(false);
    EXPECT_EQ(barrel->GetFrictionModifier(), -2);
    EXPECT_EQ(barrel->GetFriction(), -1);
}

TEST(Objects, APlacedObjectTakesTheReservedCellAndIsSpawned)
{
    Board board;
    CElement* reservation = new CElementTerrainGrass(20, 20, 1); // anything standing in the cell
    setElementAt(6, 6, reservation);
    auto* crate = new CElementObjectCrate(6, 6, INFLATABLE, 0, 1);
    EXPECT_EQ(getElementAt(6, 6, false), crate);
    EXPECT_EQ(crate->spawned, 1);
    ASSERT_EQ(CElement::spawnedElements.size(), 1u);
    EXPECT_TRUE(crate->IsInflating());
    // Inflation: five pictures, two steps each.
    for (int i = 0; i < 9; ++i)
        crate->Pump();
    EXPECT_TRUE(crate->IsInflating());
    crate->Pump();
    EXPECT_FALSE(crate->IsInflating());
    // Objects from the level are neither spawned nor inflating.
    auto* plain = new CElementObjectCrate(7, 6, WOOD, 0, 1);
    EXPECT_EQ(plain->spawned, 0);
    EXPECT_FALSE(plain->IsInflating());
}

TEST(Objects, HotMetalCoolsDownAfterFrostAndStopsCooling)
{
    Board board;
    auto* crate = new CElementObjectCrate(1, 1, METAL, 0, 1);
    crate->Heat(false, false);
    crate->Pump();
    int hot = crate->mainSprite->GetFrame();
    EXPECT_TRUE(crate->Freeze());
    EXPECT_FALSE(crate->GetHeated());
    EXPECT_FALSE(crate->GetFrozen());
    EXPECT_TRUE(crate->cooling);
    crate->Pump();
    EXPECT_NE(crate->mainSprite->GetFrame(), hot);
    for (int i = 0; i < 13; ++i)
        crate->Pump();
    EXPECT_TRUE(crate->cooling);
    crate->Pump();
    EXPECT_FALSE(crate->cooling);
}

TEST(Objects, UndoRestoresTheInflationWhereItWas)
{
    Board board;
    auto* barrel = new CElementObjectBarrel(6, 6, INFLATABLE, 0, 0);
    barrel->Pump();
    barrel->Pump();
    barrel->SaveState(4);
    CElementFields saved = *barrel;
    for (int i = 0; i < 20; ++i)
        barrel->Pump();
    barrel->Freeze();
    ASSERT_FALSE(barrel->IsInflating());
    barrel->RestoreState(4);
    EXPECT_TRUE(barrel->IsInflating());
    EXPECT_EQ(barrel->frozen, saved.frozen);
    EXPECT_EQ(barrel->x, saved.x);
    // The inflation goes on from its third step: still six steps to go.
    for (int i = 0; i < 5; ++i)
        barrel->Pump();
    EXPECT_TRUE(barrel->IsInflating());
    barrel->Pump();
    EXPECT_FALSE(barrel->IsInflating());
}

TEST(Objects, ARiddenBarrelAskedToRollSpinsWithoutMoving)
{
    Board board;
    auto* barrel = new CElementObjectBarrel(6, 6, WOOD, 0, 0);
    barrel->Pump();
    int rest = barrel->mainSprite->GetFrame();
    barrel->SetRidden(true);
    barrel->SetRollDirection(true, false);
    barrel->Pump();
    EXPECT_NE(barrel->mainSprite->GetFrame(), rest);
    EXPECT_EQ(barrel->GetX(), 6);
    EXPECT_FALSE(barrel->moving);
    barrel->SetRollDirection(false, false);
    int stopped = barrel->mainSprite->GetFrame();
    barrel->Pump();
    EXPECT_EQ(barrel->mainSprite->GetFrame(), stopped);
}

TEST(Objects, TheLevelCellsFlagChoosesTheFirstPicture)
{
    Board board;
    auto* frozenCell = new CElementObjectCrate(1, 1, METAL, CELL_FROZEN, 1);
    auto* heatedCell = new CElementObjectCrate(2, 1, METAL, CELL_HEATED, 1);
    auto* plainCell = new CElementObjectCrate(3, 1, METAL, CELL_NORMAL, 1);
    int frozenStart = frozenCell->mainSprite->GetFrame();
    int heatedStart = heatedCell->mainSprite->GetFrame();
    EXPECT_NE(frozenStart, plainCell->mainSprite->GetFrame());
    EXPECT_NE(heatedStart, plainCell->mainSprite->GetFrame());
    // The flags themselves are the factory's to set; the pictures agree.
    EXPECT_FALSE(frozenCell->GetFrozen());
    frozenCell->Freeze();
    heatedCell->Heat(false, false);
    frozenCell->Pump();
    heatedCell->Pump();
    EXPECT_EQ(frozenCell->mainSprite->GetFrame(), frozenStart);
    EXPECT_EQ(heatedCell->mainSprite->GetFrame(), heatedStart);
}
