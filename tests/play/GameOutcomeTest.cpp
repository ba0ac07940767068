// The end of a level: which post-level screen follows which outcome, the
// best results the profile keeps, the story pages of a set, the post-level
// screen's answers (retry, solution, undo of the fatal step), and test runs
// that end without any screen.
#include <gtest/gtest.h>

#include "profile/CProfile.h"
#include "screens/CControllerScoreboard.h"
#include "screens/CControllerStory.h"
#include "play/CControllerGame.h"
#include "world/CElement.h"
#include "level/LevelSet.h"
#include "play/GameTestSupport.h"

using gametest::GameSetTest;
using gametest::GameTest;

namespace {

// The outcome flags as the world step leaves them at the end of a level.
void endLevel(uint8_t* flag)
{
    if (flag)
        *flag = 1;
    CElement::levelEnded = 1;
}

class Outcome : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        gametest::drawLevel(m_level, gametest::kWalkFloor);
    }
    void start(bool record = false, bool replayFlag = false, bool test = false)
    {
        play(m_level, record, replayFlag, test);
        frames(2);
    }
    int postLevelType()
    {
        CControllerScoreboard* post = m_screen->GetPostLevelChild();
        return post ? post->GetType() : -1;
    }
};

class SetOutcome : public GameSetTest {
protected:
    void start(int set, int index)
    {
        playSet(set, index);
        frames(2);
    }
    int postLevelType()
    {
        CControllerScoreboard* post = m_screen->GetPostLevelChild();
        return post ? post->GetType() : -1;
    }
};

} // namespace

TEST_F(Outcome, EachLossOpensThePostLevelScreenOfItsKind)
{
    const struct {
        uint8_t* flag;
        int type;
    } cases[] = {{&CElement::caught, 4}, {&CElement::singed, 3}, {&CElement::fallen, 4},
                 {&CElement::exitTubeDestroyed, 4}};
    for (const auto& c : cases) {
        start();
        endLevel(c.flag);
        frame();
        EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_SCOREBOARD);
        EXPECT_EQ(postLevelType(), c.type);
        m_screen->GetPostLevelChild()->ExitNow(2); // leave the play screen
        frames(2);
        EXPECT_EQ(CController::GetCurrentController(), &m_host);
        delete m_screen;
        m_screen = nullptr;
    }
}

TEST_F(Outcome, TheFirstFlagSetDecidesTheOutcome)
{
    start();
    CElement::singed = 1;
    endLevel(&CElement::caught);
    frame();
    EXPECT_EQ(postLevelType(), 4) << "caught before singed";
}

TEST_F(Outcome, ASolvedSingleLevelKeepsItsBestRecord)
{
    start();
    profile().SetSteps(30);
    endLevel(&CElement::exited);
    frame();
    EXPECT_EQ(postLevelType(), 7);
    EXPECT_EQ(profile().GetLevelRecord("test-level"), 30);
}

TEST_F(Outcome, ThePostLevelScreenShowsTheKeptBestOfASingleLevel)
{
    // 30 steps, then a worse 40 and a better 20: the screen shows the kept
    // record each time, not the count just walked.
    const int runs[][2] = {{30, 30}, {40, 30}, {20, 20}};
    for (const auto& run : runs) {
        start();
        profile().SetSteps(run[0]);
        endLevel(&CElement::exited);
        frame();
        ASSERT_NE(m_screen->GetPostLevelChild(), nullptr);
        EXPECT_EQ(m_screen->GetPostLevelChild()->GetShownBest(), run[1]) << "after " << run[0] << " steps";
        m_screen->GetPostLevelChild()->ExitNow(2);
        frames(2);
        delete m_screen;
        m_screen = nullptr;
        CElement::clearLevelEnded();
        CElement::exited = 0;
    }
}

TEST_F(Outcome, AnUndoOfTheFatalStepPlaysOn)
{
    start();
    frames(3);
    endLevel(&CElement::caught);
    frame();
    ASSERT_NE(m_screen->GetPostLevelChild(), nullptr);
    m_screen->GetPostLevelChild()->GUICallback(CControllerScoreboard::BUTTON_UNDO, 0, false);
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    EXPECT_FALSE(CElement::GetLevelEnded());
    EXPECT_FALSE(CElement::GetCaught()) << "the restored step was before the catch";
    frames(3);
    EXPECT_EQ(m_screen->GetPostLevelChild(), nullptr);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
}

TEST_F(Outcome, RetryAndSolutionStartTheLevelAgain)
{
    m_level.AddReplayKey(400, 276, false);
    const struct {
        int button;
        bool replaying;
    } cases[] = {{CControllerScoreboard::BUTTON_RETRY, false}, {CControllerScoreboard::BUTTON_SOLUTION, true}};
    for (const auto& c : cases) {
        start();
        profile().SetSteps(12);
        endLevel(&CElement::fallen);
        frame();
        ASSERT_NE(m_screen->GetPostLevelChild(), nullptr);
        m_screen->GetPostLevelChild()->GUICallback(c.button, 0, false);
        frames(3);
        EXPECT_EQ(CController::GetCurrentController(), m_screen);
        EXPECT_EQ(m_screen->IsReplaying(), c.replaying);
        EXPECT_FALSE(CElement::GetFallen());
        EXPECT_EQ(profile().GetTotal(1), 0);
        EXPECT_EQ(m_screen->GetElapsedFrames(), 1);
        m_screen->ExitNow(1);
        delete m_screen;
        m_screen = nullptr;
    }
}

TEST_F(Outcome, ATestRunEndsWithoutAnyScreenAndKeepsTheRecording)
{
    start(true, false, true);
    tap(275);
    endLevel(&CElement::caught);
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), &m_host);
    EXPECT_EQ(m_screen->GetPostLevelChild(), nullptr);
    EXPECT_TRUE(m_level.IsSolutionRecorded());
    EXPECT_EQ(m_level.GetSolution().size(), 2u);
}

TEST_F(Outcome, ATestRunWithoutRecordingMarksNoSolution)
{
    start(false, false, true);
    endLevel(&CElement::exited);
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), &m_host);
    EXPECT_FALSE(m_level.IsSolutionRecorded());
}

// A window closed in the frame in which the level ends, or ahead of a key
// that opens the pause menu, still closes the program: no screen opened in
// that frame takes the close away.
TEST_F(Outcome, AWindowCloseIsKeptWhenTheLevelEndsOrAKeyOpensTheMenuInItsFrame)
{
    for (bool levelEnds : {true, false}) {
        SCOPED_TRACE(levelEnds ? "level ends" : "menu key");
        m_host.returns = 0;
        start();
        closeWindow();
        if (levelEnds)
            endLevel(&CElement::exited);
        else
            press(27); // unbound: opens the pause menu
        frames(2);
        EXPECT_EQ(m_screen->GetPostLevelChild(), nullptr);
        EXPECT_EQ(m_screen->GetInGameChild(), nullptr);
        EXPECT_EQ(CController::GetCurrentController(), &m_host);
        EXPECT_EQ(m_host.returns, 1);
        EXPECT_EQ(m_host.receivedExit, -1);
        delete m_screen;
        m_screen = nullptr;
        CElement::clearLevelEnded();
        CElement::exited = 0;
    }
}

TEST_F(SetOutcome, AWindowClosedDuringTheEndingIsNotTakenAwayByThePostLevelScreen)
{
    profile().SetShowStory(true);
    start(1, 49);
    endLevel(&CElement::exited);
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_STORY);
    closeWindow();
    for (int i = 0; i < 5 && m_host.returns == 0; ++i)
        frame();
    EXPECT_EQ(m_screen->GetPostLevelChild(), nullptr);
    EXPECT_EQ(CController::GetCurrentController(), &m_host);
    EXPECT_EQ(m_host.receivedExit, -1);
}

TEST_F(SetOutcome, ASolvedSetLevelKeepsItsBestResult)
{
    profile().SetShowStory(true);
    start(0, 2); // no story page belongs to it
    EXPECT_EQ(m_screen->GetMenuMode(), CControllerGame::MENU_MODE_SET);
    profile().SetSteps(25);
    endLevel(&CElement::exited);
    frame();
    EXPECT_EQ(postLevelType(), 5);
    EXPECT_EQ(profile().GetSetResult(0, 2), 25);
    EXPECT_EQ(profile().GetSetFlag(0), 0);
}

TEST_F(SetOutcome, ATutorialLevelOpensTheTutorialMenu)
{
    start(0, 1);
    EXPECT_EQ(m_screen->GetMenuMode(), CControllerGame::MENU_MODE_TUTORIAL);
    m_screen->ExitNow(1);
    delete m_screen;
    m_screen = nullptr;
    start(1, 1);
    EXPECT_EQ(m_screen->GetMenuMode(), CControllerGame::MENU_MODE_SET) << "no tutorials outside the regular set";
}

TEST_F(SetOutcome, AStoryPageOpensBeforeItsChapterLevel)
{
    profile().SetShowStory(true);
    playSet(0, 8); // chapter 1
    frame();
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_STORY);
    ASSERT_NE(m_screen->GetStoryChild(), nullptr);
    CController::GetCurrentController()->ExitNow(1);
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    EXPECT_EQ(m_screen->GetStoryChild(), nullptr);
    EXPECT_EQ(m_screen->GetPostLevelChild(), nullptr);
}

TEST_F(SetOutcome, NoStoryPageWhenTheProfileSwitchesStoriesOff)
{
    profile().SetShowStory(false);
    playSet(0, 8);
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), m_screen);
    EXPECT_EQ(m_screen->GetStoryChild(), nullptr);
}

TEST_F(SetOutcome, TheLastLevelCompletesTheSetAndShowsTheEnding)
{
    profile().SetShowStory(true);
    start(1, 49);
    EXPECT_EQ(CController::GetCurrentController(), m_screen) << "the ending is not shown before the level";
    endLevel(&CElement::exited);
    frame();
    EXPECT_EQ(profile().GetSetFlag(1), 1);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_STORY);
    EXPECT_EQ(m_screen->GetPostLevelChild(), nullptr);
    CController::GetCurrentController()->ExitNow(1);
    frame();
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_SCOREBOARD) << "then the post-level screen";
    EXPECT_EQ(postLevelType(), 5);
}

TEST_F(SetOutcome, TheLastLevelWithoutStoriesGoesStraightToThePostLevelScreen)
{
    profile().SetShowStory(false);
    start(1, 49);
    endLevel(&CElement::exited);
    frame();
    EXPECT_EQ(profile().GetSetFlag(1), 1);
    EXPECT_EQ(postLevelType(), 5);
}

TEST_F(SetOutcome, TheLevelBeforeTheLastDoesNotCompleteTheSet)
{
    profile().SetShowStory(false);
    start(1, 48);
    endLevel(&CElement::exited);
    frame();
    EXPECT_EQ(profile().GetSetFlag(1), 0);
    EXPECT_EQ(postLevelType(), 5);
}
