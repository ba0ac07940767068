// The world map: the unlock rule, the dots of a set and their states, the
// set switch, the way to the level manager, and progress that survives a
// restart after a level was finished by its recorded solution.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "engine/CSprite.h"
#include "screens/CControllerMain.h"
#include "screens/CControllerMap.h"
#include "screens/CControllerScoreboard.h"
#include "screens/ScreenTestSupport.h"
#include "ui/CGuiButtonMapDot.h"
#include "world/CControllerGame.h"
#include "world/Level.h"
#include "world/LevelSet.h"
#include "world/TileCodes.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiButton.h"
#include "ui/Input.h"
#include "world/CElement.h"

using namespace screentest;

namespace {

class Map : public ScreenTest {
protected:
    // Finishes level of set 0 in the profile with the given steps.
    void finish(int level, int steps)
    {
        profile->SetCurrentSet(0);
        profile->SetCurrentLevel(level);
        profile->SetSteps(steps);
        profile->RecordSetResult();
    }
    // A click on a dot once it has come onto the map.
    void clickDot(CGuiButtonMapDot* dot)
    {
        ASSERT_NE(dot, nullptr);
        CSprite* s = dot->GetCurrentSprite();
        clickAt(s->GetX(true) + s->GetWidth(false) / 2, s->GetY(true) + s->GetHeight(false) / 2);
    }
    // Turns the first regular level into a short walk from the entrance to
    // the exit with a recorded solution: hold right.
    static void makeWalkLevel(CLevel* level)
    {
        level->Clear();
        level->SetName("walk-right");
        level->SetHeadingText("A Short Walk");
        for (int x = 0; x < 16; ++x)
            level->SetTile(TERRAIN_GRASS, x, 23);
        level->SetTile(DEVICE_TUBE_START, 0, 22);
        level->SetTile(DEVICE_TUBE_END, 15, 22);
        level->AddReplayKey(1, 275, false);
        level->AddReplayKey(600, 275, true);
        level->SetSolutionRecorded();
    }
    // Runs frames until the screen with the id is current (at most limit).
    // Plays the map's selected level by Return and ends it with the
    // professor in the exit tube, as the world step leaves it; true once the
    // post-level screen is up.
    bool playAndSolveSelected()
    {
        press(SDLK_RETURN);
        frame();
        if (CController::GetCurrentId() != CONTROLLER_GAME)
            return false;
        frame(3);
        CElement::exited = 1;
        CElement::levelEnded = 1;
        return runUntil(CONTROLLER_SCOREBOARD, 5);
    }
    bool runUntil(int screenId, int limit)
    {
        for (int i = 0; i < limit; ++i) {
            if (CController::GetCurrentId() == screenId)
                return true;
            frame();
        }
        return CController::GetCurrentId() == screenId;
    }
};

} // namespace

TEST_F(Map, TheFirstLevelAndEveryLevelAfterAFinishedOneAreOpen)
{
    EXPECT_TRUE(CControllerMap::IsUnlocked(profile.get(), 0, 0));
    EXPECT_FALSE(CControllerMap::IsUnlocked(profile.get(), 0, 1));
    EXPECT_FALSE(CControllerMap::IsUnlocked(profile.get(), 0, -1));
    EXPECT_EQ(CControllerMap::DotState(profile.get(), 0, 0), CControllerMap::DOT_INCOMPLETE);
    EXPECT_EQ(CControllerMap::DotState(profile.get(), 0, 1), CControllerMap::DOT_LOCKED);

    finish(0, 20);
    EXPECT_EQ(CControllerMap::DotState(profile.get(), 0, 0), CControllerMap::DOT_COMPLETED);
    EXPECT_EQ(CControllerMap::DotState(profile.get(), 0, 1), CControllerMap::DOT_INCOMPLETE);
    EXPECT_EQ(CControllerMap::DotState(profile.get(), 0, 2), CControllerMap::DOT_LOCKED);
    // Progress in one set opens nothing in another.
    EXPECT_FALSE(CControllerMap::IsUnlocked(profile.get(), 1, 1));
    EXPECT_TRUE(CControllerMap::IsUnlocked(profile.get(), 1, 0));

    // A finished level stays open, and opens the one after it, even when
    // the one before it is still locked; the one before it stays locked.
    finish(5, 10);
    EXPECT_EQ(CControllerMap::DotState(profile.get(), 0, 5), CControllerMap::DOT_COMPLETED);
    EXPECT_EQ(CControllerMap::DotState(profile.get(), 0, 6), CControllerMap::DOT_INCOMPLETE);
    EXPECT_EQ(CControllerMap::DotState(profile.get(), 0, 4), CControllerMap::DOT_LOCKED);
    // The last level of the set.
    finish(109, 10);
    EXPECT_EQ(CControllerMap::DotState(profile.get(), 0, 110), CControllerMap::DOT_INCOMPLETE);
}

TEST_F(Map, OneHundredAndTwentyFiveDotsFitOnTheMapWithoutOverlapping)
{
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < CControllerMap::MAX_DOTS; ++i) {
        int x = 0, y = 0;
        CControllerMap::DotPosition(i, x, y);
        EXPECT_GE(x, 0);
        EXPECT_LE(x + 28, 800);
        EXPECT_GE(y, 60);
        EXPECT_LE(y + 26, 460); // above the level line and the buttons
        EXPECT_TRUE(seen.insert({x, y}).second) << i;
    }
    // Consecutive levels are neighbours: the rows wind back and forth.
    int x12, y12, x13, y13;
    CControllerMap::DotPosition(12, x12, y12);
    CControllerMap::DotPosition(13, x13, y13);
    EXPECT_EQ(x12, x13);
    EXPECT_EQ(y13 - y12, CControllerMap::DOT_STEP_Y);
}

TEST_F(Map, DotsShowTheProfilesProgressAndALockedDotPlaysNothing)
{
    finish(0, 20);
    profile->SetCurrentLevel(1);
    CControllerMap* map = open(new CControllerMap());
    ASSERT_EQ(map->GetDotCount(), CLevelSet::getSet(0)->getCount());
    EXPECT_EQ(map->GetSelectedLevel(), 1);
    EXPECT_EQ(map->GetDot(0)->GetState(), CControllerMap::DOT_COMPLETED);
    EXPECT_EQ(map->GetDot(1)->GetState(), CControllerMap::DOT_INCOMPLETE);
    EXPECT_EQ(map->GetDot(2)->GetState(), CControllerMap::DOT_LOCKED);
    EXPECT_TRUE(map->GetDot(1)->IsTutorial());
    EXPECT_FALSE(map->GetDot(0)->IsTutorial());
    frame(200); // every dot has come onto the map

    clickDot(map->GetDot(2));
    frame();
    clickDot(map->GetDot(2));
    frame();
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAP);
    EXPECT_EQ(map->GetGame(), nullptr);
    EXPECT_EQ(map->GetSelectedLevel(), 1);

    // One click selects a level without playing it.
    clickDot(map->GetDot(0));
    frame();
    EXPECT_EQ(map->GetSelectedLevel(), 0);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAP);
}

TEST_F(Map, ASecondClickOnAnOpenDotPlaysItsLevelAndTheMapComesBack)
{
    profile->SetShowStory(false);
    CControllerMap* map = open(new CControllerMap());
    frame(200);
    clickDot(map->GetDot(0));
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAP);
    clickDot(map->GetDot(0));
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_GAME);
    ASSERT_NE(map->GetGame(), nullptr);
    EXPECT_EQ(profile->GetCurrentLevel(), 0);
    // Nothing of the map stays on screen over the level, not even the
    // (disabled) button of the set being shown.
    CGuiButton* setButton = static_cast<CGuiButton*>(map->FindButton(CControllerMap::BUTTON_SET_FIRST));
    ASSERT_TRUE(setButton->IsButtonDisabled());
    EXPECT_TRUE(setButton->GetBaseSprite()->IsHidden());
    EXPECT_TRUE(map->GetDot(0)->GetCurrentSprite()->IsHidden());
    frame(3);
    // The play screen leaves (the pause menu's "world map").
    map->GetGame()->SetExitCode(1);
    frame(3);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAP);
    EXPECT_EQ(map->GetGame(), nullptr);
    EXPECT_EQ(map->GetSelectedLevel(), 0); // not finished: the selection stays
    EXPECT_EQ(map->GetDot(1)->GetState(), CControllerMap::DOT_LOCKED);
}

TEST_F(Map, ContinueAfterAFinishedLevelPlaysTheNextOneAndLeavingShowsTheMap)
{
    profile->SetShowStory(false);
    CControllerMap* map = open(new CControllerMap());
    frame(2);
    ASSERT_TRUE(playAndSolveSelected());
    EXPECT_NE(profile->GetSetResult(0, 0), PROFILE_NO_RESULT);
    CControllerScoreboard* board = static_cast<CControllerScoreboard*>(CController::GetCurrentController());
    // The next play screen may reuse the old one's address: tell them apart
    // by the level they play.
    const CLevel* firstLevel = map->GetGame()->GetLevel();
    frame(2);
    click(board->FindButton(CControllerScoreboard::BUTTON_LEAVE));
    for (int i = 0; i < 10 && (!map->GetGame() || map->GetGame()->GetLevel() == firstLevel); ++i)
        frame();
    ASSERT_NE(map->GetGame(), nullptr);
    ASSERT_NE(map->GetGame()->GetLevel(), firstLevel);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_GAME);
    EXPECT_EQ(map->GetSelectedLevel(), 1);
    EXPECT_EQ(profile->GetCurrentLevel(), 1);
    EXPECT_EQ(CLevelSet::getSet(0)->getCurrentIndex(), 1);
    EXPECT_EQ(map->GetDot(0)->GetState(), CControllerMap::DOT_COMPLETED);

    // Leaving this one without finishing it shows the map.
    frame(3);
    map->GetGame()->SetExitCode(1);
    ASSERT_TRUE(runUntil(CONTROLLER_MAP, 10));
    frame(3);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAP);
    EXPECT_EQ(map->GetSelectedLevel(), 1);
    EXPECT_FALSE(CControllerScoreboard::TakeContinueRequest());
}

TEST_F(Map, ContinueAfterTheLastLevelOfASetStartsNothingNew)
{
    profile->SetShowStory(false);
    finish(109, 5);
    profile->SetCurrentLevel(110); // the regular set's last level, open now
    CControllerMap* map = open(new CControllerMap());
    frame(2);
    ASSERT_EQ(map->GetSelectedLevel(), 110);
    ASSERT_TRUE(playAndSolveSelected());
    CControllerScoreboard* board = static_cast<CControllerScoreboard*>(CController::GetCurrentController());
    EXPECT_EQ(board->GetType(), CControllerScoreboard::TYPE_SET_SOLVED);
    frame(2);
    click(board->FindButton(CControllerScoreboard::BUTTON_LEAVE));
    frame(10);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAP);
    EXPECT_EQ(map->GetGame(), nullptr) << "no level played again";
    EXPECT_EQ(map->GetSelectedLevel(), 110);
    EXPECT_EQ(map->GetDot(110)->GetState(), CControllerMap::DOT_COMPLETED);
    EXPECT_FALSE(CControllerScoreboard::TakeContinueRequest());
}

TEST_F(Map, TheSetButtonsSwitchSetsAndTheProfileRemembersTheSet)
{
    CControllerMap* map = open(new CControllerMap());
    frame(2);
    click(map->FindButton(CControllerMap::BUTTON_SET_FIRST + 1));
    frame();
    EXPECT_EQ(map->GetSet(), 1);
    EXPECT_EQ(map->GetDotCount(), CLevelSet::getSet(1)->getCount());
    EXPECT_EQ(profile->GetCurrentSet(), 1);
    EXPECT_EQ(map->GetDot(0)->GetState(), CControllerMap::DOT_INCOMPLETE);
    EXPECT_FALSE(map->GetDot(1)->IsTutorial()); // only the regular set has tutorials
    frame(2);
    click(map->FindButton(CControllerMap::BUTTON_SET_FIRST + 2));
    frame();
    EXPECT_EQ(map->GetDotCount(), CLevelSet::getSet(2)->getCount());
    EXPECT_EQ(profile->GetCurrentSet(), 2);
}

TEST_F(Map, BackLeavesWithExitCodeOneAndTheManagerButtonAsksForTheManager)
{
    CControllerMap* map = open(new CControllerMap());
    frame(2);
    click(map->FindButton(CControllerMap::BUTTON_BACK));
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childResult, 0);
    EXPECT_EQ(holder->passedCode, 0);

    map = open(new CControllerMap());
    frame(2);
    click(map->FindButton(CControllerMap::BUTTON_MANAGER));
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childResult, CONTROLLER_MANAGER);
    EXPECT_EQ(holder->passedCode, 0);
}

TEST_F(Map, TheMainMenuOpensTheManagerWhenTheMapAsksForIt)
{
    CControllerMain* menu = open(new CControllerMain());
    frame(2);
    click(menu->FindButton(CControllerMain::BUTTON_PLAY));
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MAP);
    CControllerMap* map = static_cast<CControllerMap*>(menu->GetChild());
    frame(2);
    click(map->FindButton(CControllerMap::BUTTON_MANAGER));
    frame(3);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MANAGER);
}

TEST_F(Map, AFinishedLevelIsCompletedAfterARestartAndTheNextOneIsOpen)
{
    makeWalkLevel(CLevelSet::getSet(0)->getLevel(0));
    profile->SetShowStory(false);
    ASSERT_TRUE(profile->Save());

    // Main menu, map, play the first level by keys.
    CControllerMain* menu = open(new CControllerMain());
    press(SDLK_RETURN); // Play Now is the default button
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MAP);
    CControllerMap* map = static_cast<CControllerMap*>(menu->GetChild());
    frame(5);
    press(SDLK_RETURN);
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_GAME);
    ASSERT_NE(CElement::theProfessor, nullptr);
    frame(5);

    // The pause menu's solution button, confirmed, replays the solution.
    press(SDLK_p);
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_IN_GAME);
    frame(2);
    clickAt(400, 265 + 14);
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    frame();
    clickAt(CControllerMessage::OK_X + 40, CControllerMessage::BUTTON_Y + 16);
    ASSERT_TRUE(runUntil(CONTROLLER_SCOREBOARD, 3000));
    CControllerScoreboard* board = static_cast<CControllerScoreboard*>(CController::GetCurrentController());
    EXPECT_EQ(board->GetType(), CControllerScoreboard::TYPE_SET_SOLVED);
    frame(2);
    // Continue goes straight on to the next level.
    const CLevel* firstLevel = map->GetGame()->GetLevel();
    click(board->FindButton(CControllerScoreboard::BUTTON_LEAVE));
    for (int i = 0; i < 10 && (!map->GetGame() || map->GetGame()->GetLevel() == firstLevel); ++i)
        frame();
    ASSERT_NE(map->GetGame(), nullptr);
    ASSERT_NE(map->GetGame()->GetLevel(), firstLevel);
    EXPECT_EQ(map->GetSelectedLevel(), 1);
    EXPECT_EQ(CLevelSet::getSet(0)->getCurrentIndex(), 1);
    frame(3);
    map->GetGame()->SetExitCode(1); // and leaves it again
    ASSERT_TRUE(runUntil(CONTROLLER_MAP, 10));
    frame();
    EXPECT_EQ(map->GetSelectedLevel(), 1);
    EXPECT_EQ(map->GetDot(0)->GetState(), CControllerMap::DOT_COMPLETED);
    EXPECT_EQ(map->GetDot(1)->GetState(), CControllerMap::DOT_INCOMPLETE);
    click(map->FindButton(CControllerMap::BUTTON_BACK));
    ASSERT_TRUE(runUntil(CONTROLLER_MAIN, 10));
    frame();
    click(menu->FindButton(CControllerMain::BUTTON_EXIT));
    frame(2);
    ASSERT_TRUE(closed());

    // A new run reads the same folders.
    makeProfile();
    EXPECT_NE(profile->GetSetResult(0, 0), PROFILE_NO_RESULT);
    EXPECT_EQ(profile->GetCurrentLevel(), 1);
    map = open(new CControllerMap());
    EXPECT_EQ(map->GetSelectedLevel(), 1);
    EXPECT_EQ(map->GetDot(0)->GetState(), CControllerMap::DOT_COMPLETED);
    EXPECT_EQ(map->GetDot(1)->GetState(), CControllerMap::DOT_INCOMPLETE);
    EXPECT_EQ(map->GetDot(2)->GetState(), CControllerMap::DOT_LOCKED);
}
