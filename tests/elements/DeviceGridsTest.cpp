// The class-wide grids of ladders, trampolines, tubes, power-ups and
// tutorial markers: their answers on and off the board, their level reset
// and their undo copies.
#include <gtest/gtest.h>

#include "elements/CElementDevicePowerup.h"
#include "elements/CElementDeviceTrampoline.h"
#include "elements/CElementDeviceTube.h"
#include "elements/CElementLadder.h"
#include "elements/CElementObjectCrate.h"
#include "elements/CElementTutorial.h"
#include "engine/Log.h"
#include "world/BoardHarness.h"

using boardtest::Board;

namespace {
// The cells just inside and just outside each edge of the board.
const int kInside[][2] = {{0, 0}, {31, 0}, {0, 23}, {31, 23}};
const int kOutside[][2] = {{-1, 0}, {32, 0}, {0, -1}, {0, 24}, {31, 24}, {32, 23}};
} // namespace

TEST(Ladder, GridAnswersLadderAndPlatformPerCell)
{
    Board board;
    new CElementLadder(4, 2, CElementLadder::SEGMENT_TOP, true);
    new CElementLadder(4, 3, CElementLadder::SEGMENT_MIDDLE, false);
    new CElementLadder(4, 4, CElementLadder::SEGMENT_BOTTOM, false);
    EXPECT_TRUE(CElementLadder::IsLadderAt(4, 2));
    EXPECT_TRUE(CElementLadder::IsPlatformAt(4, 2));
    EXPECT_TRUE(CElementLadder::IsLadderAt(4, 4));
    EXPECT_FALSE(CElementLadder::IsPlatformAt(4, 3));
    EXPECT_FALSE(CElementLadder::IsLadderAt(4, 1));
    EXPECT_FALSE(CElementLadder::IsLadderAt(4, 5));
    EXPECT_FALSE(CElementLadder::IsLadderAt(5, 3));
    // Ladders take no room and never move or fall.
    EXPECT_EQ(getElementAt(4, 3, false), CElement::nullElement);
    EXPECT_TRUE(CElementLadder::LaddersExist());
    CElementLadder::ClearGrid();
    EXPECT_FALSE(CElementLadder::IsLadderAt(4, 2));
    EXPECT_FALSE(CElementLadder::IsPlatformAt(4, 2));
    EXPECT_FALSE(CElementLadder::LaddersExist());
}

TEST(Ladder, SegmentFieldsAndAnUnknownKindStillReadAsLadder)
{
    Board board;
    auto* platform = new CElementLadder(1, 1, CElementLadder::SEGMENT_SINGLE, true);
    auto* odd = new CElementLadder(2, 1, 9, false);
    EXPECT_TRUE(platform->IsLadder());
    EXPECT_TRUE(platform->IsLadderPlatform());
    EXPECT_FALSE(odd->IsLadderPlatform());
    EXPECT_TRUE(CElementLadder::IsLadderAt(2, 1));
    EXPECT_STREQ(odd->GetName(), "Ladder");
}

TEST(Ladder, EdgesOfTheBoard)
{
    Board board;
    for (const auto& c : kInside)
        new CElementLadder(c[0], c[1], CElementLadder::SEGMENT_SINGLE, true);
    for (const auto& c : kInside) {
        EXPECT_TRUE(CElementLadder::IsLadderAt(c[0], c[1]));
        EXPECT_TRUE(CElementLadder::IsPlatformAt(c[0], c[1]));
    }
    for (const auto& c : kOutside) {
        EXPECT_FALSE(CElementLadder::IsLadderAt(c[0], c[1])) << c[0] << "," << c[1];
        EXPECT_FALSE(CElementLadder::IsPlatformAt(c[0], c[1])) << c[0] << "," << c[1];
    }
}

TEST(Trampoline, GridAnswersPerCellAndOffTheBoardIsFalse)
{
    Board board;
    for (const auto& c : kInside)
        new CElementDeviceTrampoline(c[0], c[1]);
    for (const auto& c : kInside)
        EXPECT_TRUE(CElementDeviceTrampoline::IsTrampolineAt(c[0], c[1]));
    for (const auto& c : kOutside)
        EXPECT_FALSE(CElementDeviceTrampoline::IsTrampolineAt(c[0], c[1])) << c[0] << "," << c[1];
    EXPECT_FALSE(CElementDeviceTrampoline::IsTrampolineAt(1, 1));
    EXPECT_EQ(getElementAt(0, 0, true), CElement::nullElement); // it takes no room
    EXPECT_TRUE(CElementDeviceTrampoline::TrampolinesExist());
}

TEST(Trampoline, GridSaveRestoreAndReset)
{
    Board board;
    new CElementDeviceTrampoline(5, 5);
    CElementDeviceTrampoline::SaveGrid(2);
    CElementDeviceTrampoline::ClearGrid();
    EXPECT_FALSE(CElementDeviceTrampoline::IsTrampolineAt(5, 5));
    EXPECT_FALSE(CElementDeviceTrampoline::TrampolinesExist());
    CElementDeviceTrampoline::RestoreGrid(2);
    EXPECT_FALSE(CElementDeviceTrampoline::IsTrampolineAt(5, 5)); // the reset emptied the copies
    new CElementDeviceTrampoline(6, 6);
    CElementDeviceTrampoline::SaveGrid(4);
    new CElementDeviceTrampoline(7, 7);
    CElementDeviceTrampoline::RestoreGrid(4);
    EXPECT_TRUE(CElementDeviceTrampoline::IsTrampolineAt(6, 6));
    EXPECT_FALSE(CElementDeviceTrampoline::IsTrampolineAt(7, 7));
    CElementDeviceTrampoline::RestoreGrid(5); // outside the ring: ignored
    EXPECT_TRUE(CElementDeviceTrampoline::IsTrampolineAt(6, 6));
}

TEST(Trampoline, FlingsWhatCameInBackTheWayItCameAfterTheStretch)
{
    Board board;
    auto* tramp = new CElementDeviceTrampoline(10, 10);
    auto* crate = new CElementObjectCrate(10, 10, 0, 0, 1);
    crate->tramp = 1;
    crate->wasMovingRight = 1;
    for (int i = 0; i < CElementDeviceTrampoline::STRETCH_STEPS; ++i) {
        tramp->Pump();
        EXPECT_FALSE(crate->moving) << "step " << i;
        EXPECT_EQ(tramp->state, CElementDeviceTrampoline::TRAMPOLINE_STRETCH_RIGHT);
    }
    tramp->Pump();
    EXPECT_TRUE(crate->moving);
    EXPECT_EQ(crate->GetX(), 9);
    EXPECT_EQ(tramp->state, CElementDeviceTrampoline::TRAMPOLINE_UNSTRETCH_RIGHT);
}

TEST(Trampoline, AWalkerPressingIntoTheSheetIsHeldUntilItLetsGo)
{
    Board board;
    auto* tramp = new CElementDeviceTrampoline(10, 10);
    auto* crate = new CElementObjectCrate(10, 10, 0, 0, 1);
    crate->tramp = 1;
    crate->wasMovingLeft = 1;
    crate->bounceReady2 = 0; // still pressing to the left
    for (int i = 0; i < 20; ++i)
        tramp->Pump();
    EXPECT_FALSE(crate->moving);
    EXPECT_EQ(tramp->state, CElementDeviceTrampoline::TRAMPOLINE_STRETCH_LEFT);
    crate->bounceReady2 = 1;
    tramp->Pump();
    EXPECT_TRUE(crate->moving);
    EXPECT_EQ(crate->GetX(), 11);
}

TEST(Trampoline, ABlockedFlingWaitsAndNothingArrivingFromAboveIsFlung)
{
    Board board;
    auto* tramp = new CElementDeviceTrampoline(10, 10);
    auto* crate = new CElementObjectCrate(10, 10, 0, 0, 1);
    new CElementObjectCrate(9, 10, 0, 0, 1);
    crate->tramp = 1;
    crate->wasMovingRight = 1;
    for (int i = 0; i < 20; ++i)
        tramp->Pump();
    EXPECT_FALSE(crate->moving);
    crate->wasMovingRight = 0;
    tramp->Pump();
    EXPECT_EQ(tramp->state, CElementDeviceTrampoline::TRAMPOLINE_UNSTRETCH_RIGHT);
    for (int i = 0; i < 30; ++i)
        tramp->Pump();
    EXPECT_EQ(tramp->state, CElementDeviceTrampoline::TRAMPOLINE_IDLE);
    EXPECT_FALSE(crate->moving);
}

TEST(Tube, TheExitCellIsTheExitTubesAndNothingElse)
{
    Board board;
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(0, 0)); // no exit tube yet
    new CElementDeviceTube(3, 3, CElementDeviceTube::VARIANT_ENTRANCE);
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(3, 3));
    EXPECT_TRUE(CElementDeviceTube::TubesExist());
    new CElementDeviceTube(31, 23, CElementDeviceTube::VARIANT_EXIT);
    EXPECT_TRUE(CElementDeviceTube::IsExitAt(31, 23));
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(30, 23));
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(31, 22));
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(32, 23));
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(31, 24));
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(0, 0));
    CElementDeviceTube::ClearState();
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(31, 23));
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(0, 0));
    EXPECT_FALSE(CElementDeviceTube::TubesExist());
}

TEST(Tube, AnythingButTheProfessorBreaksTheExitAndTheLevelEndsAfterTheBreak)
{
    Board board;
    auto* exitTube = new CElementDeviceTube(5, 5, CElementDeviceTube::VARIANT_EXIT);
    auto* entrance = new CElementDeviceTube(8, 5, CElementDeviceTube::VARIANT_ENTRANCE);
    new CElementObjectCrate(8, 5, 0, 0, 1); // the entrance tube never breaks
    exitTube->Pump();
    entrance->Pump();
    EXPECT_FALSE(CElement::GetExitTubeDestroyed());
    new CElementObjectCrate(5, 5, 0, 0, 1);
    exitTube->Pump();
    EXPECT_TRUE(CElement::GetExitTubeDestroyed());
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(5, 5));
    EXPECT_EQ(entrance->state, CElementDeviceTube::TUBE_WHOLE);
    int breakSteps = CElementDeviceTube::BREAK_PICTURES * 2;
    for (int i = 1; i < breakSteps; ++i)
        exitTube->Pump();
    EXPECT_FALSE(CElement::GetLevelEnded());
    exitTube->Pump();
    EXPECT_TRUE(CElement::GetLevelEnded());
    EXPECT_EQ(exitTube->state, CElementDeviceTube::TUBE_BROKEN);
}

TEST(Tube, OfTwoExitTubesTheLastBuiltIsTheExitAndOnlyItCanBreak)
{
    Board board;
    auto* first = new CElementDeviceTube(2, 5, CElementDeviceTube::VARIANT_EXIT);
    auto* last = new CElementDeviceTube(9, 5, CElementDeviceTube::VARIANT_EXIT);
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(2, 5));
    EXPECT_TRUE(CElementDeviceTube::IsExitAt(9, 5));
    new CElementObjectCrate(2, 5, 0, 0, 1);
    first->Pump();
    last->Pump();
    EXPECT_FALSE(CElement::GetExitTubeDestroyed());
    EXPECT_EQ(first->state, CElementDeviceTube::TUBE_WHOLE);
}

TEST(Tube, UndoMendsABrokenExitTube)
{
    Board board;
    auto* exitTube = new CElementDeviceTube(5, 5, CElementDeviceTube::VARIANT_EXIT);
    exitTube->SaveState(0);
    new CElementObjectCrate(5, 5, 0, 0, 1);
    exitTube->Pump();
    ASSERT_FALSE(CElementDeviceTube::IsExitAt(5, 5));
    exitTube->RestoreState(0);
    EXPECT_TRUE(CElementDeviceTube::IsExitAt(5, 5));
}

TEST(Powerup, GridQueriesCollectAndTheBubbleFollowsTheGrid)
{
    Board board;
    auto* p = new CElementDevicePowerup(6, 7, 5);
    EXPECT_TRUE(CElementDevicePowerup::isPowerupAt(6, 7));
    EXPECT_EQ(CElementDevicePowerup::getPowerupTypeAt(6, 7), 5);
    EXPECT_FALSE(CElementDevicePowerup::isPowerupAt(6, 8));
    EXPECT_EQ(CElementDevicePowerup::getPowerupTypeAt(-1, 7), 0);
    EXPECT_EQ(getElementAt(6, 7, false), CElement::nullElement); // it takes no room
    CElementDevicePowerup::saveGrid(3);
    CElementDevicePowerup::collectAt(6, 7);
    EXPECT_FALSE(CElementDevicePowerup::isPowerupAt(6, 7));
    EXPECT_EQ(p->state, CElementDevicePowerup::POWERUP_COLLECTING);
    for (int i = 0; i < 16; ++i)
        p->Pump();
    EXPECT_EQ(p->state, CElementDevicePowerup::POWERUP_GONE);
    // Undo puts it back on the board and its bubble with it.
    CElementDevicePowerup::restoreGrid(3);
    EXPECT_EQ(CElementDevicePowerup::getPowerupTypeAt(6, 7), 5);
    p->Pump();
    EXPECT_EQ(p->state, CElementDevicePowerup::POWERUP_PRESENT);
    EXPECT_FALSE(p->mainSprite->IsHidden());
    // Collecting an empty cell or a cell off the board does nothing.
    CElementDevicePowerup::collectAt(7, 7);
    CElementDevicePowerup::collectAt(32, 7);
    EXPECT_TRUE(CElementDevicePowerup::isPowerupAt(6, 7));
}

TEST(Powerup, TypesOneToFourteenLieOnTheBoardOthersDoNot)
{
    Board board;
    for (int type = 0; type <= 15; ++type)
        new CElementDevicePowerup(type, 1, type);
    for (int type = 1; type <= 14; ++type)
        EXPECT_EQ(CElementDevicePowerup::getPowerupTypeAt(type, 1), type);
    EXPECT_FALSE(CElementDevicePowerup::isPowerupAt(0, 1));
    EXPECT_FALSE(CElementDevicePowerup::isPowerupAt(15, 1));
    CElementDevicePowerup::clearGrid();
    EXPECT_FALSE(CElementDevicePowerup::isPowerupAt(1, 1));
    CElementDevicePowerup::restoreGrid(0);
    EXPECT_FALSE(CElementDevicePowerup::isPowerupAt(1, 1));
}

TEST(Tutorial, ReachingAMarkerMakesItActiveAndPutsOutThePreviousOne)
{
    Board board;
    auto* first = new CElementTutorial(2, 2, "First");
    auto* second = new CElementTutorial(9, 2, "UNDEFINED");
    auto* blank = new CElementTutorial(12, 2, nullptr);
    EXPECT_EQ(CElementTutorial::GetActive(), nullptr);
    EXPECT_EQ(getElementAt(2, 2, false), CElement::nullElement); // it takes no room
    CElementTutorial::HandleTutorial(3, 2); // no marker there
    EXPECT_EQ(CElementTutorial::GetActive(), nullptr);
    CElementTutorial::HandleTutorial(2, 2);
    EXPECT_EQ(CElementTutorial::GetActive(), first);
    EXPECT_EQ(first->GetText(), "First");
    CElementTutorial::HandleTutorial(9, 2);
    EXPECT_EQ(CElementTutorial::GetActive(), second);
    EXPECT_EQ(first->state, CElementTutorial::TUTORIAL_READ);
    EXPECT_EQ(blank->GetText(), "");
    CElementTutorial::HandleTutorial(-1, 2);
    CElementTutorial::HandleTutorial(2, 24);
    EXPECT_EQ(CElementTutorial::GetActive(), second);
    EXPECT_EQ(second->GetType(), CElement::TYPE_TUTORIAL);
    EXPECT_STREQ(second->GetName(), "Tutorial");
}

TEST(Tutorial, ActivationLogsOnceAndTheResetForgetsTheMarkers)
{
    Board board;
    new CElementTutorial(2, 2, "Text");
    bool wasOn = logCategoryEnabled(LOG_DEBUG);
    logCategoryOn(LOG_DEBUG);
    testing::internal::CaptureStdout();
    CElementTutorial::HandleTutorial(2, 2);
    CElementTutorial::HandleTutorial(2, 2); // already active: nothing more
    std::string log = testing::internal::GetCapturedStdout();
    if (!wasOn)
        logCategoryOff(LOG_DEBUG);
    const std::string line = "CElementTutorial::HandleTutorial()   Activating tutorial at (2,2)\n";
    ASSERT_NE(log.find(line), std::string::npos) << log;
    EXPECT_EQ(log.find(line), log.rfind(line));
    EXPECT_TRUE(CElementTutorial::MarkersExist());
    CElementTutorial::ClearGrid();
    EXPECT_EQ(CElementTutorial::GetAt(2, 2), nullptr);
    EXPECT_EQ(CElementTutorial::GetActive(), nullptr);
    EXPECT_FALSE(CElementTutorial::MarkersExist());
}
