// The player's keys on the play screen: the profile's bindings, the fixed
// codes a recording stores, the keys that open the menu, restart and undo,
// and the feed of a recorded solution by frame number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "profile/CProfile.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiCounter.h"
#include "play/CControllerGame.h"
#include "play/CControllerInGame.h"
#include "world/CElement.h"
#include "walkers/CElementAIPowerup.h"
#include "walkers/CElementAIProfessor.h"
#include "play/GameTestSupport.h"

using gametest::GameTest;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

struct Key {
    int frame, key;
    bool released;
    bool operator==(const Key& o) const { return frame == o.frame && key == o.key && released == o.released; }
};

std::ostream& operator<<(std::ostream& out, const Key& k)
{
    return out << "{" << k.frame << "," << k.key << "," << k.released << "}";
}

class Input : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        gametest::drawLevel(m_level, gametest::kWalkFloor);
    }
    // Every binding moved off its default key.
    void rebind()
    {
        const int keys[CControllerGame::BIND_COUNT] = {'x', 'z', 'a', 'd', 'w', 's', 'k', 'q', 'e', 'm',
                                                       'i', 'o', 'p', 'g', 'h', 'j'};
        for (int i = 0; i < CControllerGame::BIND_COUNT; ++i)
            profile().SetKey(i, keys[i]);
    }
    // The play screen's first frame (its return path) and one game frame.
    void start(bool record, bool replayFlag, bool test)
    {
        play(m_level, record, replayFlag, test);
        frame();
    }
    std::vector<Key> recorded()
    {
        std::vector<Key> keys;
        for (const ReplayKey& k : m_level.GetSolution())
            keys.push_back({k.frame, k.key, k.released});
        return keys;
    }
};

} // namespace

TEST_F(Input, ChangedBindingsStillRecordTheFixedCodes)
{
    rebind();
    start(true, false, true);
    const struct {
        int key, code;
    } moves[] = {{'a', 276}, {'d', 275}, {'w', 273}, {'s', 274}, {'k', 102}};
    std::vector<Key> want;
    int elapsed = 1;
    for (const auto& m : moves) {
        tap(m.key);
        want.push_back({elapsed, m.code, false});
        want.push_back({elapsed + 1, m.code, true});
        elapsed += 2;
    }
    EXPECT_EQ(recorded(), want);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
}

TEST_F(Input, APowerupSlotRecordsItsPressAndRelease)
{
    rebind();
    start(true, false, true);
    tap('m'); // slot 3
    tap('j'); // slot 9
    std::vector<Key> want = {{1, 51, false}, {2, 51, true}, {3, 57, false}, {4, 57, true}};
    EXPECT_EQ(recorded(), want);
}

TEST_F(Input, AnArrowNoLongerBoundIsNoMoveAndEndsATestRun)
{
    rebind();
    start(true, false, true);
    press(276);
    frames(2);
    EXPECT_TRUE(recorded().empty());
    EXPECT_EQ(CController::GetCurrentController(), &m_host);
    EXPECT_EQ(m_host.returns, 1);
    EXPECT_EQ(m_host.receivedExit, 0);
}

TEST_F(Input, AnUnboundKeyOpensThePauseMenuOutsideATestRun)
{
    start(false, false, false);
    press(27); // Escape, bound to nothing
    frame();
    ASSERT_NE(m_screen->GetInGameChild(), nullptr);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_IN_GAME);
    EXPECT_EQ(m_screen->GetInGameChild()->GetMode(), CControllerInGame::MODE_SINGLE_LEVEL);
    // Its release, and a release of an unbound key alone, open nothing.
    press(27);
    frame(); // the menu takes Escape: resume
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    release(27);
    frame();
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    EXPECT_EQ(m_screen->GetInGameChild(), nullptr);
}

TEST_F(Input, TheMenuButtonOpensTheMenu)
{
    start(false, false, false);
    m_screen->GUICallback(CControllerGame::MENU_BUTTON_ID, 0, false);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_IN_GAME);
    frames(2);
    m_screen->GetInGameChild()->GUICallback(CControllerInGame::BUTTON_RESUME, 0, false);
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    // Another widget id is no menu.
    m_screen->GUICallback(99, 0, false);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
}

TEST_F(Input, RestartAndUndoAreTestedBeforeTheSlots)
{
    rebind();
    profile().SetKey(CControllerGame::BIND_SLOT1, 'z'); // also undo
    start(true, false, true);
    tap('z');
    EXPECT_TRUE(recorded().empty()) << "undo is not recorded, nor its key as slot 1";
    profile().SetKey(CControllerGame::BIND_UNDO, 'y');
    tap('z');
    std::vector<Key> want = {{3, 49, false}, {4, 49, true}};
    EXPECT_EQ(recorded(), want);
}

TEST_F(Input, ARestartWhileRecordingStartsTheRecordingAgain)
{
    rebind();
    start(true, false, true);
    tap('d');
    tap('d');
    ASSERT_EQ(recorded().size(), 4u);
    profile().SetSteps(7);
    tap('x'); // restart
    EXPECT_TRUE(recorded().empty());
    EXPECT_EQ(profile().GetTotal(1), 0);
    tap('d');
    // The restart key's release was handled in the new level's first frame.
    std::vector<Key> want = {{2, 275, false}, {3, 275, true}};
    EXPECT_EQ(recorded(), want) << "the frame count starts again after a restart";
}

TEST_F(Input, ARestartStepsTheNewBoardFromItsFirstFrame)
{
    start(false, false, false);
    frames(5);
    tap('r');
    EXPECT_EQ(m_screen->GetElapsedFrames(), 1);
    EXPECT_EQ(CElement::undoCount, 1) << "the first step of the new board saved it";
}

TEST_F(Input, TheStepCounterFollowsTheProfilesCount)
{
    start(false, false, false);
    for (int steps : {0, 42, 99998, 99999, 100000}) {
        profile().SetSteps(steps);
        frame();
        EXPECT_EQ(m_screen->GetStepCounter()->GetValue(false), steps > 99999 ? 99999 : steps) << steps;
    }
    profile().SetSteps(3);
    frame();
    EXPECT_EQ(m_screen->GetStepCounter()->GetValue(false), 3) << "and back down";
}

TEST_F(Input, TheStepCounterRollsBackToZeroAfterARestart)
{
    start(false, false, false);
    profile().SetSteps(4);
    frames(100);
    ASSERT_EQ(m_screen->GetStepCounter()->GetValue(true), 80);
    tap('r');
    frames(60);
    EXPECT_EQ(profile().GetTotal(1), 0);
    EXPECT_EQ(m_screen->GetStepCounter()->GetValue(false), 0);
    EXPECT_EQ(m_screen->GetStepCounter()->GetValue(true), 0) << "the digits rolled down";
}

// ------------------------------------------------------------------ replay

namespace {

class Replay : public Input {
protected:
    void solution(const std::vector<Key>& keys)
    {
        m_level.ClearSolution();
        for (const Key& k : keys)
            m_level.AddReplayKey(k.frame, k.key, k.released);
    }
    std::string captureFrames(int n)
    {
        logCategoryOn(LOG_CGAME);
        CaptureStdout();
        frames(n);
        std::string log = GetCapturedStdout();
        logCategoryOff(LOG_CGAME);
        return log;
    }
};

} // namespace

TEST_F(Replay, KeysOfOneFrameAreAllAppliedInThatFrameInOrder)
{
    solution({{3, 275, false}, {3, 275, true}, {5, 102, false}});
    start(false, true, true);
    std::string log = captureFrames(2); // elapsed 1, 2
    EXPECT_EQ(log.find("Using replay key"), std::string::npos);
    log = captureFrames(1); // elapsed 3
    size_t press = log.find("Frame 3:  Using replay key 275  (released = 0)");
    size_t rel = log.find("Frame 3:  Using replay key 275  (released = 1)");
    ASSERT_NE(press, std::string::npos);
    ASSERT_NE(rel, std::string::npos);
    EXPECT_LT(press, rel);
    log = captureFrames(2); // elapsed 4, 5
    EXPECT_NE(log.find("Frame 5:  Using replay key 102  (released = 0)"), std::string::npos);
    EXPECT_TRUE(m_screen->IsReplaying());
}

TEST_F(Replay, PlaybackEndsOnTheFrameAfterTheLastKey)
{
    solution({{10, 276, false}, {120, 276, true}});
    start(false, true, true);
    frames(120); // elapsed 1 to 120
    EXPECT_EQ(m_screen->GetElapsedFrames(), 120);
    EXPECT_TRUE(m_screen->IsReplaying());
    std::string log = captureFrames(1); // elapsed 121
    EXPECT_FALSE(m_screen->IsReplaying());
    EXPECT_NE(log.find("Playback completed at frame 121"), std::string::npos);
}

TEST_F(Replay, AnEmptySolutionEndsOnTheFirstFrame)
{
    solution({});
    play(m_level, false, true, true);
    EXPECT_TRUE(m_screen->IsReplaying());
    std::string log = captureFrames(2);
    EXPECT_FALSE(m_screen->IsReplaying());
    EXPECT_NE(log.find("Playback completed at frame 1"), std::string::npos);
}

TEST_F(Replay, ThePlayersKeysOnlyStopTheShow)
{
    solution({{500, 276, false}});
    start(false, true, true);
    release('r');
    frame();
    EXPECT_EQ(CController::GetCurrentController(), m_screen) << "a release is ignored";
    press('r');
    frame();
    EXPECT_EQ(CController::GetCurrentController(), &m_host) << "a press ends the test run";
}

TEST_F(Replay, OnlyThePressOfAPowerupSlotUsesIt)
{
    // Slot 1 pressed once the professor stands outside his tube and
    // released long after the use is over, then slot 2's release alone.
    solution({{120, 49, false}, {240, 49, true}, {300, 50, true}, {400, 276, false}});
    start(false, true, true);
    CElementAIProfessor* professor = m_screen->GetProfessor();
    ASSERT_NE(professor, nullptr);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(professor->addPowerup(POWERUP_TYPE_WHISTLE));
    auto held = [&] {
        int n = 0;
        for (int slot = 0; slot < CElementAIProfessor::SLOTS; ++slot)
            n += professor->getPowerup(slot) != POWERUP_NONE;
        return n;
    };
    frames(200);
    EXPECT_EQ(held(), 2) << "the press used one";
    frames(200);
    EXPECT_EQ(held(), 2) << "the releases used none";
}

TEST_F(Replay, AClickDuringPlaybackOpensTheMenu)
{
    solution({{500, 276, false}});
    start(false, true, false);
    m_screen->InputMouseButton(true, true, false, false, false);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    m_screen->InputMouseButton(false, false, false, true, false);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_IN_GAME);
}

TEST_F(Replay, TheIndicatorBlinksHiddenSixteenFramesShownThirtyFive)
{
    solution({{1000, 276, false}});
    play(m_level, false, true, true);
    frame(); // return path
    const struct {
        int gameFrames;
        bool shown;
    } marks[] = {{15, false}, {16, true}, {50, true}, {51, false}, {66, false}, {67, true}};
    int done = 0;
    for (const auto& m : marks) {
        frames(m.gameFrames - done);
        done = m.gameFrames;
        EXPECT_EQ(!m_screen->GetReplayIndicator()->IsHidden(), m.shown) << "after " << done << " frames";
    }
}

TEST_F(Replay, TheSolutionFromTheMenuPlaysAtTheDefaultSpeed)
{
    profile().SetGameSpeed(0);
    solution({{1000, 276, false}});
    start(false, false, false);
    EXPECT_EQ(CDraw::GetFramePeriod(), 66u);
    press(27);
    frames(2);
    CControllerInGame* menu = m_screen->GetInGameChild();
    ASSERT_NE(menu, nullptr);
    menu->GUICallback(CControllerInGame::BUTTON_SOLUTION, 0, false);
    frame();
    menu->GetMessageChild()->GUICallback(1, 0, false);
    frames(4);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    EXPECT_TRUE(m_screen->IsReplaying());
    EXPECT_EQ(CDraw::GetFramePeriod(), 33u);
    EXPECT_EQ(m_screen->GetElapsedFrames(), 1) << "the level started again";

    // Any key stops the show; resuming plays on at the profile's speed.
    press('r');
    frames(2);
    ASSERT_NE(m_screen->GetInGameChild(), nullptr);
    m_screen->GetInGameChild()->GUICallback(CControllerInGame::BUTTON_RESUME, 0, false);
    frames(2);
    EXPECT_FALSE(m_screen->IsReplaying());
    EXPECT_EQ(CDraw::GetFramePeriod(), 66u);
}

TEST_F(Replay, TheMenusRestartStartsTheLevelAgainWithoutReplay)
{
    start(false, false, false);
    frames(4);
    profile().SetSteps(9);
    press(27);
    frames(2);
    m_screen->GetInGameChild()->GUICallback(CControllerInGame::BUTTON_RESTART, 0, false);
    frames(3);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    EXPECT_EQ(profile().GetTotal(1), 0);
    EXPECT_EQ(m_screen->GetElapsedFrames(), 1);
    EXPECT_FALSE(m_screen->IsReplaying());
}
