// The undo ring: five slots, synced saves and loads, spawned elements, the
// outcome flags, and whole-board round trips.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "elements/CElementDeviceGunshot.h"
#include "engine/Log.h"
#include "world/CElement.h"
#include "world/BoardHarness.h"

using boardtest::Board;

namespace {

std::string captureDebug(void (*action)())
{
    logCategoryOn(LOG_DEBUG);
    testing::internal::CaptureStdout();
    action();
    std::string out = testing::internal::GetCapturedStdout();
    logCategoryOff(LOG_DEBUG);
    return out;
}

} // namespace

TEST(UndoRing, TheFirstStepSavesTheBoardAndTheNextSaveIsSkipped)
{
    Board board(".c.\n~~~");
    EXPECT_EQ(CElement::undoCount, 0);
    board.step(1);
    EXPECT_EQ(CElement::undoCount, 1);
    EXPECT_TRUE(CElement::undoSynced);
    std::string log = captureDebug([] { CElement::UndoSave(); });
    EXPECT_NE(log.find("UNDO SAVE - Skipped because just undid last step  (start=0,count=1)"), std::string::npos);
    EXPECT_EQ(CElement::undoCount, 1);
    EXPECT_FALSE(CElement::undoSynced);
}

TEST(UndoRing, SixSavesKeepTheLastFiveAndAdvanceTheStartOnce)
{
    Board board(".c.\n~~~");
    board.step(1); // first save, synced
    CElement::UndoSave(); // skipped
    for (int i = 0; i < 4; ++i)
        CElement::UndoSave();
    EXPECT_EQ(CElement::undoCount, 5);
    EXPECT_EQ(CElement::undoStart, 0);
    CElement::UndoSave();
    EXPECT_EQ(CElement::undoCount, 5);
    EXPECT_EQ(CElement::undoStart, 1);
}

TEST(UndoRing, OneStepIsRestoredAndKeptASecondLoadNeedsForce)
{
    Board board(".c.\n~~~");
    CElement* crate = board.at(1, 0);
    board.step(1);
    std::string saved = board.state();
    ASSERT_TRUE(crate->PushRight(false, false));
    board.step(4);
    CElement::undoSynced = 0; // something changed since the save
    CElement::UndoLoad(false);
    EXPECT_EQ(board.state(), saved);
    EXPECT_EQ(CElement::undoCount, 1);
    EXPECT_TRUE(CElement::undoSynced);
    ASSERT_TRUE(crate->PushRight(false, false));
    std::string log = captureDebug([] { CElement::UndoLoad(false); });
    EXPECT_NE(log.find("UNDO LOAD - Skipped because nothing changed since final step restored"), std::string::npos);
    EXPECT_TRUE(crate->moving);
    CElement::UndoLoad(true);
    EXPECT_EQ(board.state(), saved);
}

TEST(UndoRing, NoSaveAfterAnOutcomeNoLoadAfterTheLevelEnded)
{
    Board board(".c.\n~~~");
    board.step(1);
    CElement::undoSynced = 0;
    for (uint8_t* flag : {&CElement::caught, &CElement::exited, &CElement::singed, &CElement::fallen}) {
        *flag = 1;
        CElement::UndoSave();
        EXPECT_EQ(CElement::undoCount, 1);
        *flag = 0;
    }
    // A destroyed exit tube does not block saving, and it is restored.
    CElement::exitTubeDestroyed = 1;
    CElement::UndoSave();
    EXPECT_EQ(CElement::undoCount, 2);
    CElement::exitTubeDestroyed = 0;
    CElement::levelEnded = 1;
    CElement::UndoLoad(true);
    EXPECT_EQ(CElement::undoCount, 2);
    CElement::clearLevelEnded();
    CElement::UndoLoad(true);
    EXPECT_EQ(CElement::undoCount, 1);
    EXPECT_TRUE(CElement::GetExitTubeDestroyed());
}

TEST(UndoRing, AShotFiredAfterTheStepIsDeletedOneFiredBeforeStays)
{
    Board board(R"(
        ..........
        ##########
    )");
    board.step(1);
    CElement* before = new CElementDeviceGunshot(1, 0, 0, 0);
    if (!before->spawned)
        CElement::registerSpawnedElement(before);
    CElement::UndoSave(); // skipped: synced
    CElement::UndoSave();
    size_t count = CElement::allElements.size();
    CElement* after = new CElementDeviceGunshot(7, 0, 1, 1);
    if (!after->spawned)
        CElement::registerSpawnedElement(after);
    ASSERT_EQ(CElement::allElements.size(), count + 1);
    CElement::UndoLoad(false);
    EXPECT_EQ(CElement::allElements.size(), count);
    ASSERT_EQ(CElement::spawnedElements.size(), 1u);
    EXPECT_EQ(CElement::spawnedElements[0], before);
    for (CElement* cell : CElement::grid)
        EXPECT_NE(cell, after);
}

TEST(UndoRing, ASecondSpriteIsACopyOfItsOwnOnEachRestore)
{
    Board board(".c.\n###");
    CElement* crate = board.at(1, 0);
    ASSERT_NE(crate->mainSprite, nullptr);
    crate->secondSprite = crate->mainSprite->Copy(true);
    board.step(1); // saves the board with the second sprite
    CSprite* kept = crate->saved[0].secondSprite;
    ASSERT_NE(kept, nullptr);
    const std::vector<CSprite*>& live = CSprite::GetAllSprites();
    EXPECT_EQ(std::count(live.begin(), live.end(), kept), 0); // the slot's copy is never drawn
    for (int i = 0; i < 2; ++i) {
        CElement::UndoLoad(true);
        CSprite* restored = crate->secondSprite;
        ASSERT_NE(restored, nullptr);
        EXPECT_NE(restored, kept);
        EXPECT_EQ(std::count(live.begin(), live.end(), restored), 1);
        EXPECT_EQ(restored->GetFrameCount(), kept->GetFrameCount());
        EXPECT_EQ(crate->saved[0].secondSprite, kept);
    }
}

// Pushes, drops and heat over several steps, then undo back step by step:
// each undo gives back the whole board as it stood before that step.
TEST(UndoRing, StepByStepBackThroughPushesDropsAndHeat)
{
    Board board(R"(
        ..c.......
        .~~~~~*c..
        .......#..
        ##########
    )");
    board.step(1);
    std::vector<std::string> before;
    CElement* top = board.at(2, 0);
    CElement* ledge = board.at(7, 1);
    CElement* hot = board.at(6, 1);
    auto action = [&](int i) {
        switch (i) {
        case 0: top->PushRight(true, false); break;   // slides along the ice onto the hot crate
        case 1: ledge->PushRight(true, false); break; // off its ledge: it drops
        case 2: hot->Freeze(); break;
        default: hot->Heat(false, false); break;
        }
    };
    for (int i = 0; i < 4; ++i) {
        CElement::UndoSave();
        if (i == 0)
            CElement::UndoSave(); // the first save after the level's first step is skipped
        before.push_back(board.state());
        action(i);
        board.step(20);
    }
    ASSERT_EQ(CElement::undoCount, 5);
    for (int i = 3; i >= 0; --i) {
        CElement::UndoLoad(false);
        EXPECT_EQ(board.state(), before[static_cast<size_t>(i)]) << "undo to before action " << i;
    }
}

// A crate leaves a bridge (which collapses), presses a button (the gate
// opens) and leaves it again (the gate closes); each undo gives back the
// board as it stood before that push, the bridge's fall, the gate's rise and
// the pressed count included.
TEST(UndoRing, StepByStepBackThroughABridgeAButtonAndItsGate)
{
    Board board(R"(
        c.b...g.
        _#######
    )");
    board.step(1);
    CElement* crate = board.at(0, 0);
    std::vector<std::string> before;
    for (int i = 0; i < 3; ++i) {
        CElement::UndoSave();
        if (i == 0)
            CElement::UndoSave(); // the first save after the level's first step is skipped
        before.push_back(board.state());
        ASSERT_TRUE(crate->PushRight(true, false)) << "push " << i;
        board.step(i == 1 ? 12 : 40); // the gate is still rising when the crate moves on
    }
    ASSERT_EQ(board.picture(), boardtest::trimPicture(R"(
        ...c..g.
        .#######
    )"));
    for (int i = 2; i >= 0; --i) {
        CElement::UndoLoad(false);
        EXPECT_EQ(board.state(), before[static_cast<size_t>(i)]) << "undo to before push " << i;
    }
}
