// Magnets: what they hold, pull and repel along their row, the EMP, and
// their class-wide lists through a level reset and undo.
#include <gtest/gtest.h>

#include <algorithm>

#include "elements/CElementDeviceGate.h"
#include "elements/CElementObjectCrate.h"
#include "elements/CElementObjectMagnet.h"
#include "elements/CElementTerrainGrass.h"
#include "world/BoardHarness.h"

using boardtest::Board;

namespace {
enum { WOOD = 0, METAL = 1 };
enum { RIGHT_FACING = 0, LEFT_FACING = 1 };

// A floor of grass across the whole row.
void floorAt(int row)
{
    new CElementTerrainGrass(0, row, CElement::GRID_WIDTH);
}
} // namespace

TEST(Magnet, HoldsMetalRightBesideItOnItsPolesSide)
{
    Board board;
    floorAt(11);
    auto* magnet = new CElementObjectMagnet(5, 10, 0, 0, LEFT_FACING);
    auto* crate = new CElementObjectCrate(4, 10, METAL, 0, 1);
    auto* behind = new CElementObjectCrate(6, 10, METAL, 0, 1);
    CElementObjectMagnet::UpdateAllMagnets();
    EXPECT_EQ(magnet->GetLeftMagnet(), crate);
    EXPECT_EQ(crate->GetRightMagnet(), magnet);
    EXPECT_TRUE(crate->IsMagnetHeld());
    // Its back does not attract.
    EXPECT_FALSE(behind->IsMagnetHeld());
    EXPECT_EQ(magnet->GetRightMagnet(), CElement::nullElement);
    // A held crate cannot be pushed away.
    EXPECT_FALSE(crate->PushLeft(true, false));
}

TEST(Magnet, IgnoresWoodAndWoodBlocksItsView)
{
    Board board;
    floorAt(11);
    auto* magnet = new CElementObjectMagnet(10, 10, 0, 0, RIGHT_FACING);
    auto* wood = new CElementObjectCrate(11, 10, WOOD, 0, 1);
    auto* metal = new CElementObjectCrate(13, 10, METAL, 0, 1);
    CElementObjectMagnet::UpdateAllMagnets();
    EXPECT_FALSE(wood->IsMagnetHeld());
    EXPECT_FALSE(metal->IsMagnetHeld());
    EXPECT_FALSE(metal->moving);
    EXPECT_FALSE(magnet->moving);
}

TEST(Magnet, AMagnetHeldByAGateDoesNotFall)
{
    Board board;
    auto* gate = new CElementDeviceGate(6, 10, 0);
    new CElementTerrainGrass(6, 11, 1);
    auto* magnet = new CElementObjectMagnet(7, 10, 0, 0, LEFT_FACING); // nothing below it
    EXPECT_TRUE(magnet->CanFall(false));
    CElementObjectMagnet::UpdateAllMagnets();
    EXPECT_EQ(magnet->GetLeftMagnet(), gate);
    EXPECT_FALSE(magnet->CanFall(false));
}

// Only a magnet that nothing holds looks along its row: a magnet held by the
// one behind it neither pulls nor holds what lies before it.
TEST(Magnet, AHeldMagnetPullsNothing)
{
    Board board(R"(
        C.mm
        ####
    )");
    CElement* held = board.at(2, 0);
    board.step(40);
    EXPECT_EQ(board.picture(), boardtest::trimPicture(R"(
        C.mm
        ####
    )"));
    EXPECT_EQ(held->GetRightMagnet(), board.at(3, 0));
    EXPECT_EQ(held->GetLeftMagnet(), CElement::nullElement);
}

TEST(Magnet, PoleToPoleNeighboursPushEachOtherApart)
{
    Board board;
    floorAt(11);
    auto* left = new CElementObjectMagnet(10, 10, 0, 0, RIGHT_FACING);
    auto* right = new CElementObjectMagnet(11, 10, 0, 0, LEFT_FACING);
    CElementObjectMagnet::UpdateAllMagnets();
    // Plain ground needs force, and the repulsion has it.
    EXPECT_EQ(left->GetX(), 9);
    EXPECT_EQ(right->GetX(), 12);
    EXPECT_FALSE(left->IsMagnetHeld());
    EXPECT_FALSE(right->IsMagnetHeld());
}

TEST(Magnet, FacingMagnetsFurtherApartLeaveEachOtherAlone)
{
    Board board;
    floorAt(11);
    auto* left = new CElementObjectMagnet(10, 10, 0, 0, RIGHT_FACING);
    auto* right = new CElementObjectMagnet(12, 10, 0, 0, LEFT_FACING);
    CElementObjectMagnet::UpdateAllMagnets();
    EXPECT_FALSE(left->moving);
    EXPECT_FALSE(right->moving);
}

TEST(Magnet, AMagnetShowingItsBackIsHeldLikeMetal)
{
    Board board;
    floorAt(11);
    auto* holder = new CElementObjectMagnet(10, 10, 0, 0, RIGHT_FACING);
    auto* held = new CElementObjectMagnet(11, 10, 0, 0, RIGHT_FACING);
    CElementObjectMagnet::UpdateAllMagnets();
    EXPECT_EQ(holder->GetRightMagnet(), held);
    EXPECT_EQ(held->GetLeftMagnet(), holder);
}

TEST(Magnet, EmpReleasesEverythingForFourStepsThenItHoldsAgain)
{
    Board board;
    floorAt(11);
    auto* magnet = new CElementObjectMagnet(5, 10, 0, 0, LEFT_FACING);
    auto* crate = new CElementObjectCrate(4, 10, METAL, 0, 1);
    CElementObjectMagnet::UpdateAllMagnets();
    ASSERT_TRUE(crate->IsMagnetHeld());
    CElementObjectMagnet::ActivateEmp();
    EXPECT_FALSE(crate->IsMagnetHeld());
    EXPECT_FALSE(magnet->IsMagnetHeld());
    EXPECT_TRUE(magnet->empActive);
    EXPECT_FALSE(magnet->IsActive());
    for (int i = 0; i < CElementObjectMagnet::EMP_OFF_TICKS; ++i) {
        CElementObjectMagnet::UpdateAllMagnets();
        EXPECT_FALSE(crate->IsMagnetHeld()) << "step " << i;
    }
    EXPECT_TRUE(magnet->IsActive());
    CElementObjectMagnet::UpdateAllMagnets();
    EXPECT_TRUE(crate->IsMagnetHeld());
}

TEST(Magnet, ABurntPartnerIsLetGo)
{
    Board board;
    floorAt(11);
    auto* magnet = new CElementObjectMagnet(5, 10, 1, 0, LEFT_FACING); // inflatable
    auto* crate = new CElementObjectCrate(4, 10, METAL, 0, 1);
    CElementObjectMagnet::UpdateAllMagnets();
    ASSERT_TRUE(crate->IsMagnetHeld());
    magnet->Heat(false, false); // bursts
    CElementObjectMagnet::UpdateAllMagnets();
    EXPECT_FALSE(crate->IsMagnetHeld());
    EXPECT_EQ(magnet->GetLeftMagnet(), CElement::nullElement);
}

TEST(Magnet, ListsAreResetSavedAndRestoredPerSlot)
{
    Board board;
    auto* a = new CElementObjectMagnet(1, 1, 0, 0, LEFT_FACING);
    auto* b = new CElementObjectMagnet(2, 1, 0, 0, RIGHT_FACING);
    ASSERT_EQ(CElementObjectMagnet::GetLeftMagnets().size(), 1u);
    ASSERT_EQ(CElementObjectMagnet::GetRightMagnets().size(), 1u);
    CElementObjectMagnet::SaveAllMagnets(3);
    auto* placed = new CElementObjectMagnet(3, 1, 1, 0, LEFT_FACING);
    EXPECT_EQ(CElementObjectMagnet::GetLeftMagnets().size(), 2u);
    CElementObjectMagnet::RestoreAllMagnets(3);
    EXPECT_EQ(CElementObjectMagnet::GetLeftMagnets(), std::vector<CElementObjectMagnet*>{a});
    EXPECT_EQ(CElementObjectMagnet::GetRightMagnets(), std::vector<CElementObjectMagnet*>{b});
    (void)placed;
    // Slots outside the ring are ignored.
    CElementObjectMagnet::SaveAllMagnets(5);
    CElementObjectMagnet::RestoreAllMagnets(-1);
    EXPECT_EQ(CElementObjectMagnet::GetLeftMagnets().size(), 1u);
    CElementObjectMagnet::ResetAllMagnets();
    EXPECT_TRUE(CElementObjectMagnet::GetLeftMagnets().empty());
    EXPECT_TRUE(CElementObjectMagnet::GetRightMagnets().empty());
    CElementObjectMagnet::RestoreAllMagnets(3); // the undo copies went with the reset
    EXPECT_TRUE(CElementObjectMagnet::GetLeftMagnets().empty());
}

TEST(Magnet, UndoRestoresTheOffTicksOfTheEmp)
{
    Board board;
    auto* magnet = new CElementObjectMagnet(5, 10, 0, 0, LEFT_FACING);
    CElementObjectMagnet::ActivateEmp();
    CElementObjectMagnet::UpdateAllMagnets();
    magnet->SaveState(0);
    EXPECT_EQ(magnet->GetOffTicks(), 3);
    CElementObjectMagnet::UpdateAllMagnets();
    CElementObjectMagnet::UpdateAllMagnets();
    magnet->RestoreState(0);
    EXPECT_EQ(magnet->GetOffTicks(), 3);
}

TEST(Magnet, ADeletedMagnetLeavesTheLists)
{
    Board board;
    auto* magnet = new CElementObjectMagnet(5, 10, 1, 0, LEFT_FACING);
    CElementObjectMagnet::SaveAllMagnets(1);
    // Undo deletes placed magnets; they must not stay behind in any list.
    CElement::allElements.erase(std::find(CElement::allElements.begin(), CElement::allElements.end(), magnet));
    clearElementAt(5, 10);
    delete magnet;
    EXPECT_TRUE(CElementObjectMagnet::GetLeftMagnets().empty());
    CElementObjectMagnet::RestoreAllMagnets(1);
    EXPECT_TRUE(CElementObjectMagnet::GetLeftMagnets().empty());
}
