// Teleport pairs: which end leads where, lone and extra ends, the trigger,
// where a new end may be placed, and the pairs through reset and undo.
#include <gtest/gtest.h>

#include <algorithm>

#include "elements/CElementDeviceTeleport.h"
#include "elements/CElementLadder.h"
#include "elements/CElementTerrainBridge.h"
#include "elements/CElementTerrainGrass.h"
#include "world/BoardHarness.h"

using boardtest::Board;

namespace {
enum { BLUE = 0, YELLOW = 1, RED = 2 };
} // namespace

TEST(Teleport, EachEndLeadsToTheOtherOfItsPair)
{
    Board board;
    auto* a = new CElementDeviceTeleport(2, 10, BLUE, 0);
    auto* b = new CElementDeviceTeleport(20, 5, BLUE, 0);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(2, 10, false), b);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(20, 5, false), a);
    // The right half: the end's column + 1.
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(3, 10, true), b);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(21, 5, true), a);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(3, 10, false), nullptr);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(2, 10, true), nullptr);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(2, 9, false), nullptr);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(2, 11, false), nullptr);
    EXPECT_TRUE(a->IsEnabled());
    EXPECT_TRUE(b->IsEnabled());
    // Ends take no room and never fall.
    EXPECT_EQ(getElementAt(2, 10, false), CElement::nullElement);
    EXPECT_FALSE(a->CanFall(false));
    EXPECT_EQ(a->GetWidth(), 2);
}

TEST(Teleport, ALoneEndLeadsNowhereAndAThirdEndIsIdle)
{
    Board board;
    auto* lone = new CElementDeviceTeleport(2, 10, YELLOW, 0);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(2, 10, false), nullptr);
    EXPECT_FALSE(CElementDeviceTeleport::TriggerTeleportAt(2, 10, false, true, true));
    EXPECT_FALSE(lone->IsEnabled());
    auto* second = new CElementDeviceTeleport(8, 10, YELLOW, 0);
    auto* third = new CElementDeviceTeleport(14, 10, YELLOW, 0);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(2, 10, false), second);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(14, 10, false), nullptr);
    EXPECT_TRUE(lone->IsEnabled());
    EXPECT_FALSE(third->IsEnabled());
}

TEST(Teleport, PairsAreSearchedInColourOrder)
{
    Board board;
    // Two colours with an end on the same cell (a broken level): blue wins.
    new CElementDeviceTeleport(5, 5, RED, 0);
    auto* redOther = new CElementDeviceTeleport(25, 5, RED, 0);
    new CElementDeviceTeleport(5, 5, BLUE, 0);
    auto* blueOther = new CElementDeviceTeleport(15, 5, BLUE, 0);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(5, 5, false), blueOther);
    (void)redOther;
}

TEST(Teleport, TriggerFindsTheEndAtTheCellAndFlashesIt)
{
    Board board;
    auto* a = new CElementDeviceTeleport(2, 10, RED, 0);
    new CElementDeviceTeleport(20, 5, RED, 0);
    EXPECT_TRUE(CElementDeviceTeleport::TriggerTeleportAt(2, 10, false, false, false));
    EXPECT_TRUE(CElementDeviceTeleport::TriggerTeleportAt(3, 10, true, true, true));
    EXPECT_FALSE(CElementDeviceTeleport::TriggerTeleportAt(4, 10, true, false, false));
    EXPECT_FALSE(CElementDeviceTeleport::TriggerTeleportAt(-1, 10, true, false, false));
    // The flash plays through and ends.
    int shown = 0;
    for (int i = 0; i < 40; ++i) {
        a->Pump();
        bool any = false;
        for (CSprite* s : CSprite::GetAllSprites())
            if (std::string(s->GetName()) == "Teleport Device (flash)" && !s->IsHidden())
                any = true;
        shown += any;
    }
    EXPECT_EQ(shown, CElementDeviceTeleport::FLASH_PICTURES * 2 - 1);
}

TEST(Teleport, IsAtNamesTheLowerTileAndWithTheFlagTheRightHalf)
{
    Board board;
    new CElementDeviceTeleport(6, 7, BLUE, 0);
    EXPECT_TRUE(CElementDeviceTeleport::isAt(6, 7, false));
    EXPECT_FALSE(CElementDeviceTeleport::isAt(7, 7, false));
    EXPECT_TRUE(CElementDeviceTeleport::isAt(7, 7, true));
    EXPECT_FALSE(CElementDeviceTeleport::isAt(6, 6, true));
    EXPECT_FALSE(CElementDeviceTeleport::isAt(5, 7, true));
}

TEST(Teleport, PlacingNeedsSolidGroundAndRoom)
{
    Board board;
    new CElementTerrainGrass(0, 11, 10);
    new CElementTerrainBridge(10, 11, 0, 0, 1);
    new CElementLadder(11, 11, CElementLadder::SEGMENT_TOP, true);
    // Facing right the end covers (x, x + 1); facing left (x - 1, x).
    EXPECT_TRUE(CElementDeviceTeleport::CanPlaceTeleport(4, 10, false));
    EXPECT_TRUE(CElementDeviceTeleport::CanPlaceTeleport(4, 10, true));
    EXPECT_TRUE(CElementDeviceTeleport::CanPlaceTeleport(8, 10, false));
    EXPECT_FALSE(CElementDeviceTeleport::CanPlaceTeleport(9, 10, false)); // a bridge under the right cell
    EXPECT_TRUE(CElementDeviceTeleport::CanPlaceTeleport(1, 10, true));
    EXPECT_FALSE(CElementDeviceTeleport::CanPlaceTeleport(0, 10, true)); // the left cell is off the board
    EXPECT_FALSE(CElementDeviceTeleport::CanPlaceTeleport(4, 9, false)); // nothing under it
    EXPECT_FALSE(CElementDeviceTeleport::CanPlaceTeleport(11, 10, true)); // bridge, then platform
    EXPECT_FALSE(CElementDeviceTeleport::CanPlaceTeleport(12, 10, true)); // platform, then nothing
    new CElementLadder(12, 11, CElementLadder::SEGMENT_TOP, true);
    EXPECT_TRUE(CElementDeviceTeleport::CanPlaceTeleport(12, 10, true)); // two platforms
    // An end already there, or in the row above, leaves no room.
    new CElementDeviceTeleport(4, 10, BLUE, 0);
    EXPECT_FALSE(CElementDeviceTeleport::CanPlaceTeleport(4, 10, false));
    EXPECT_FALSE(CElementDeviceTeleport::CanPlaceTeleport(6, 10, true));
    EXPECT_TRUE(CElementDeviceTeleport::CanPlaceTeleport(6, 10, false));
    new CElementTerrainGrass(0, 12, 10);
    EXPECT_FALSE(CElementDeviceTeleport::CanPlaceTeleport(4, 11, false)); // the end above is in the way
    EXPECT_TRUE(CElementDeviceTeleport::CanPlaceTeleport(7, 11, false));
}

TEST(Teleport, PairsAndTheInflateCountThroughUndoAndReset)
{
    Board board;
    auto* a = new CElementDeviceTeleport(2, 10, BLUE, 0);
    CElementDeviceTeleport::SavePairs(1);
    auto* placed = new CElementDeviceTeleport(12, 10, BLUE, 1);
    EXPECT_EQ(placed->spawned, 1);
    EXPECT_EQ(CElementDeviceTeleport::GetInflateCount(), 1);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(2, 10, false), placed);
    CElementDeviceTeleport::SavePairs(2);
    CElementDeviceTeleport::RestorePairs(1);
    EXPECT_EQ(CElementDeviceTeleport::GetInflateCount(), 0);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(2, 10, false), nullptr);
    CElementDeviceTeleport::RestorePairs(2);
    EXPECT_EQ(CElementDeviceTeleport::GetDestination(2, 10, false), placed);
    // Undo deletes a placed end: it leaves every list, the copies included.
    CElement::allElements.erase(std::find(CElement::allElements.begin(), CElement::allElements.end(), placed));
    delete placed;
    EXPECT_EQ(CElementDeviceTeleport::GetPair(BLUE).size(), 1u);
    CElementDeviceTeleport::RestorePairs(2);
    EXPECT_EQ(CElementDeviceTeleport::GetPair(BLUE).size(), 1u);
    // Ends of every colour can be placed (each inflates from its own pictures).
    for (int colour : {BLUE, YELLOW, RED}) {
        auto* end = new CElementDeviceTeleport(4 * colour, 20, colour, 1);
        for (int i = 0; i < 12; ++i)
            end->Pump();
        EXPECT_EQ(end->GetColour(), colour);
    }
    CElementDeviceTeleport::ResetPairs();
    EXPECT_TRUE(CElementDeviceTeleport::GetPair(BLUE).empty());
    EXPECT_EQ(CElementDeviceTeleport::GetInflateCount(), 0);
    (void)a;
}
