// Whole levels played through the play screen with the real professor: a
// recorded walk replays to the same end and step count, undo from the pause
// menu and from the undo key takes the last action back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "profile/CProfile.h"
#include "screens/CControllerMessageTutorial.h"
#include "screens/CControllerScoreboard.h"
#include "engine/Input.h"
#include "play/CControllerGame.h"
#include "play/CControllerInGame.h"
#include "world/CElement.h"
#include "play/GameTestSupport.h"

using gametest::GameTest;

namespace {

const int kRight = 275;
// The professor climbs out of his tube before he takes keys.
const int kOutOfTheTube = 90;
const int kFrameLimit = 3000;

class Walk : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        gametest::drawLevel(m_level, gametest::kWalkFloor);
        m_level.SetBackground(0);
    }
    // Frames until the play screen has returned to the host, at most limit.
    int runUntilReturned(int limit)
    {
        int n = 0;
        while (m_host.returns == 0 && n < limit) {
            frame();
            ++n;
        }
        return n;
    }
    // Frames until the professor stands still on a cell.
    void settle()
    {
        for (int i = 0; i < 200 && (!CElement::theProfessor->IsAtRest() || CElement::theProfessor->moving); ++i)
            frame();
    }
    int professorX() { return CElement::theProfessor->x; }

    // Records a walk to the exit in a test run: right held from frame 60.
    void recordWalk()
    {
        play(m_level, true, false, true);
        frames(60);
        press(kRight);
        runUntilReturned(kFrameLimit);
    }
};

} // namespace

TEST_F(Walk, ARecordedWalkReplaysToTheSameEndAndStepCount)
{
    recordWalk();
    ASSERT_EQ(m_host.returns, 1) << "the walk never reached the exit";
    EXPECT_TRUE(CElement::GetExited());
    int steps = profile().GetTotal(1);
    EXPECT_GE(steps, 14);
    ASSERT_TRUE(m_level.IsSolutionRecorded());
    ASSERT_EQ(m_level.GetSolution().size(), 1u);
    EXPECT_EQ(m_level.GetSolution()[0].key, kRight);
    EXPECT_FALSE(m_level.GetSolution()[0].released);
    delete m_screen;
    m_screen = nullptr;

    replay::Report report = replay::replayLevel(m_level, replay::Options());
    EXPECT_EQ(report.outcome, "exited");
    EXPECT_EQ(report.steps, steps);
    EXPECT_TRUE(report.hasSolution);
}

TEST_F(Walk, AKeyHandledInTheFrameOfARestartIsStampedForTheNewRun)
{
    play(m_level, true, false, true);
    frames(40);
    tap(kRight);
    frames(5);
    // Restart, and in the same frame's input the walk of the new run.
    press('r');
    press(kRight);
    runUntilReturned(kFrameLimit);
    ASSERT_TRUE(CElement::GetExited());
    int recordedFrames = m_screen->GetElapsedFrames();
    int steps = profile().GetTotal(1);
    const std::vector<ReplayKey>& keys = m_level.GetSolution();
    ASSERT_EQ(keys.size(), 1u) << "the restart discarded the first run's keys";
    EXPECT_EQ(keys[0].key, kRight);
    EXPECT_EQ(keys[0].frame, 1) << "the new run's first frame";
    delete m_screen;
    m_screen = nullptr;

    replay::Report report = replay::replayLevel(m_level, replay::Options());
    EXPECT_EQ(report.outcome, "exited");
    EXPECT_EQ(report.frames, recordedFrames);
    EXPECT_EQ(report.steps, steps);
}

TEST_F(Walk, AReplayStoppedHalfWayLeavesTheProfessorWhereTheSolutionTookHim)
{
    m_level.AddReplayKey(60, kRight, false);
    m_level.AddReplayKey(90, kRight, true);
    replay::Options options;
    options.graceFrames = 100;
    replay::Report report = replay::replayLevel(m_level, options);
    EXPECT_EQ(report.outcome, "not ended");
    EXPECT_GT(report.steps, 0);
    EXPECT_LT(report.steps, 15);
    EXPECT_EQ(report.frames, 189) << "the first of the 190 frames is the screen's launch frame";
}

TEST_F(Walk, UndoFromThePauseMenuTakesTheLastActionBack)
{
    play(m_level);
    frames(kOutOfTheTube);
    int start = professorX();
    tap(kRight);
    settle();
    int afterFirst = professorX();
    int stepsAfterFirst = profile().GetTotal(1);
    ASSERT_GT(afterFirst, start);
    tap(kRight);
    settle();
    ASSERT_GT(professorX(), afterFirst);

    press(27);
    frames(2);
    ASSERT_NE(m_screen->GetInGameChild(), nullptr);
    m_screen->GetInGameChild()->GUICallback(CControllerInGame::BUTTON_UNDO, 0, false);
    frames(3);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    EXPECT_EQ(professorX(), afterFirst);
    EXPECT_EQ(profile().GetTotal(1), stepsAfterFirst);
}

TEST_F(Walk, TheUndoKeyTakesTheLastActionBackButNotWhileRecording)
{
    for (bool recording : {false, true}) {
        SCOPED_TRACE(recording);
        play(m_level, recording, false, recording);
        frames(kOutOfTheTube);
        tap(kRight);
        settle();
        int afterFirst = professorX();
        tap(kRight);
        settle();
        int afterSecond = professorX();
        tap('u');
        frames(2);
        EXPECT_EQ(professorX(), recording ? afterSecond : afterFirst);
        m_screen->ExitNow(1);
        delete m_screen;
        m_screen = nullptr;
    }
}

TEST_F(Walk, AClickOnTheBoardSendsTheProfessorThereButNotWhileRecording)
{
    for (bool recording : {false, true}) {
        SCOPED_TRACE(recording);
        play(m_level, recording, false, recording);
        frames(kOutOfTheTube);
        int start = professorX();
        // The middle of cell (6, 22) on the screen.
        setMouseX(15 + 6 * 24 + 12);
        setMouseY(15 + 22 * 24 + 12);
        m_screen->InputMouseButton(false, true, false, false, false);
        m_screen->InputMouseButton(true, true, false, false, false);
        frames(120);
        EXPECT_EQ(professorX(), recording ? start : 6);
        EXPECT_TRUE(m_level.GetSolution().empty());
        m_screen->ExitNow(1);
        delete m_screen;
        m_screen = nullptr;
    }
}

TEST_F(Walk, CaughtByABotTheFatalStepIsUndoneFromThePostLevelScreen)
{
    m_level.Clear();
    gametest::drawLevel(m_level,
                        "@.....q........$\n"
                        "################\n");
    play(m_level);
    frames(kOutOfTheTube);
    press(kRight);
    for (int i = 0; i < 600 && !m_screen->GetPostLevelChild(); ++i)
        frame();
    release(kRight);
    ASSERT_NE(m_screen->GetPostLevelChild(), nullptr) << "the bot never caught him";
    EXPECT_TRUE(CElement::GetCaught());
    EXPECT_EQ(m_screen->GetPostLevelChild()->GetType(), CControllerGame::POST_LOST);

    m_screen->GetPostLevelChild()->GUICallback(CControllerScoreboard::BUTTON_UNDO, 0, false);
    frames(3);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    EXPECT_FALSE(CElement::GetLevelEnded());
    EXPECT_FALSE(CElement::GetCaught());
    EXPECT_EQ(professorX(), 0) << "back where the walk began";
    frames(10);
    EXPECT_EQ(m_screen->GetPostLevelChild(), nullptr) << "play goes on";
}

TEST_F(Walk, ATutorialMarkerSpeaksOnceWhenTheProfessorReachesIt)
{
    const char hint[] = "Mind the gap, Professor.";
    gametest::drawMarkerWalk(m_level, hint);
    play(m_level);
    frames(kOutOfTheTube);
    press(kRight);
    for (int i = 0; i < 300 && !m_screen->GetTutorialChild(); ++i)
        frame();
    ASSERT_NE(m_screen->GetTutorialChild(), nullptr) << "no tutorial text";
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE_TUTORIAL);
    EXPECT_EQ(m_screen->GetTutorialChild()->GetText(), hint);
    EXPECT_EQ(professorX(), 3);
    release(kRight);
    frames(CControllerMessageTutorial::KEY_WAIT_FRAMES);
    tap(32); // any key closes the text once it has been up half a second
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    EXPECT_EQ(m_screen->GetTutorialChild(), nullptr);
    // Walking on, and back onto the marker, shows nothing more.
    press(kRight);
    frames(40);
    release(kRight);
    press(276);
    frames(80);
    release(276);
    frame();
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
}

TEST_F(Walk, ATestRunShowsNoTutorialText)
{
    m_level.Clear();
    gametest::drawLevel(m_level,
                        "@..?...........$\n"
                        "################\n");
    play(m_level, true, false, true);
    frames(60);
    press(kRight);
    EXPECT_GT(runUntilReturned(kFrameLimit), 0);
    EXPECT_TRUE(CElement::GetExited()) << "the walk went through without a pause";
}

// Writes the small solved level that the replay check of the test suite
// plays (tests/play/data/walk-right.lvl): the walk floor with a walk
// to the exit recorded through the play screen. Run it on purpose with
// --gtest_also_run_disabled_tests after a change to the professor's walk.
TEST_F(Walk, DISABLED_WriteTheSolvedTestLevel)
{
    recordWalk();
    ASSERT_TRUE(CElement::GetExited());
    m_level.SetName("walk-right");
    m_level.SetHeadingText("A Walk to the Right");
    std::string path = testsupport::sourceDir() + "/tests/play/data/walk-right.lvl";
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    // Kind GAME, version 8, as the built-in levels are stored.
    EXPECT_TRUE(m_level.Write(f, 0x08202004u));
    fclose(f);
}
