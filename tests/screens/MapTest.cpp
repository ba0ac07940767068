// The world map: the unlock rule, the dots of a set and their states, the
// set switch, the way to the level manager, and progress that survives a
// restart after a level was finished by its recorded solution.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "engine/CSprite.h"
#include "screens/CControllerMain.h"
#include "screens/CControllerMap.h"
#include "screens/CControllerScoreboard.h"
#include "screens/MapLayout.h"
#include "screens/ScreenTestSupport.h"
#include "ui/CGuiButtonMapDot.h"
#include "play/CControllerGame.h"
#include "level/Level.h"
#include "level/LevelSet.h"
#include "level/TileCodes.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiButton.h"
#include "engine/Input.h"
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
    // A click on the middle of a level's dot (or star) as it is drawn.
    void clickLevel(CControllerMap* map, int level)
    {
        int x = 0, y = 0;
        ASSERT_TRUE(map->GetDotCentre(level, x, y));
        clickAt(x, y);
    }
    // The arrow key that points from one level's dot towards another's.
    static int arrowTowards(CControllerMap* map, int from, int to)
    {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        map->GetDotCentre(from, x0, y0);
        map->GetDotCentre(to, x1, y1);
        const int dx = x1 - x0, dy = y1 - y0;
        if (std::abs(dx) >= std::abs(dy))
            return dx > 0 ? SDLK_RIGHT : SDLK_LEFT;
        return dy > 0 ? SDLK_DOWN : SDLK_UP;
    }
    // The main menu, as a new player meets it.
    CControllerMap* openMapFromMenuByKeys()
    {
        CControllerMain* menu = open(new CControllerMain());
        press(SDLK_RETURN); // Play Now is the default button
        frame();
        if (CController::GetCurrentId() != CONTROLLER_MAP)
            return nullptr;
        return static_cast<CControllerMap*>(menu->GetChild());
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

    clickLevel(map, 2);
    frame();
    clickLevel(map, 2);
    frame();
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAP);
    EXPECT_EQ(map->GetGame(), nullptr);
    EXPECT_EQ(map->GetSelectedLevel(), 1);

    // One click selects a level without playing it.
    clickLevel(map, 0);
    frame();
    EXPECT_EQ(map->GetSelectedLevel(), 0);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAP);
}

TEST_F(Map, ASecondClickOnAnOpenDotPlaysItsLevelAndTheMapComesBack)
{
    profile->SetShowStory(false);
    CControllerMap* map = open(new CControllerMap());
    frame(200);
    clickLevel(map, 0);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAP);
    clickLevel(map, 0);
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

TEST_F(Map, SwitchingSetsIsNotPlayingAndTheMenuStillSaysWelcome)
{
    CControllerMap* map = openMapFromMenuByKeys();
    ASSERT_NE(map, nullptr);
    frame(2);
    click(map->FindButton(CControllerMap::BUTTON_SET_FIRST + 2));
    frame();
    ASSERT_EQ(profile->GetCurrentSet(), 2);
    frame(2);
    click(map->FindButton(CControllerMap::BUTTON_BACK));
    frame(3);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MAIN);
    EXPECT_EQ(profile->GetCurrentSet(), 2);
    EXPECT_FALSE(CControllerMain::HasPlayed(profile.get()));
    // A finished level of any set counts.
    profile->SetCurrentLevel(0);
    profile->SetSteps(9);
    profile->RecordSetResult();
    EXPECT_TRUE(CControllerMain::HasPlayed(profile.get()));
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

TEST_F(Map, KeysAloneOnAFreshProfilePlayTheFirstLevelWhereverThePointerWasLeft)
{
    // The pointer rests where the dot of a locked level will be (left of
    // the main menu's buttons): the map must not give that dot the focus.
    const int count = CLevelSet::getSet(0)->getCount();
    std::vector<maplayout::Point> centres = maplayout::DotCentres(0, count);
    int resting = -1;
    for (int i = 2; i < count && resting < 0; ++i)
        if (centres[static_cast<size_t>(i)].x < 270 && !CLevelSet::isTutorialLevel(0, i))
            resting = i;
    ASSERT_GE(resting, 0);
    pointAt(static_cast<int>(centres[static_cast<size_t>(resting)].x),
            static_cast<int>(centres[static_cast<size_t>(resting)].y));

    // Play Now, Return, Return.
    CControllerMap* map = openMapFromMenuByKeys();
    ASSERT_NE(map, nullptr);
    frame(2);
    EXPECT_EQ(map->GetSelectedLevel(), 0);
    // What Return acts on has the focus, and shows it: the first level's
    // dot, pulsing.
    ASSERT_NE(CGuiButtonBase::GetFocused(), nullptr);
    EXPECT_EQ(CGuiButtonBase::GetFocused(), map->GetDot(0));
    EXPECT_EQ(map->GetDot(0)->GetMode(), CGuiButtonMapDot::MODE_SELECTED);
    press(SDLK_RETURN);
    ASSERT_TRUE(runUntil(CONTROLLER_STORY, 5)); // the first level opens a chapter
    press(SDLK_RETURN);
    ASSERT_TRUE(runUntil(CONTROLLER_GAME, 5));
    EXPECT_EQ(profile->GetCurrentSet(), 0);
    EXPECT_EQ(CLevelSet::getSet(0)->getCurrentIndex(), 0);
}

TEST_F(Map, AfterAClickOnALockedDotReturnPlaysTheRingedLevel)
{
    finish(0, 12);
    profile->SetCurrentLevel(1);
    profile->SetShowStory(false);
    CControllerMap* map = open(new CControllerMap());
    frame(20);
    ASSERT_EQ(map->GetSelectedLevel(), 1);
    // Moved onto a locked dot, the pointer gives it the focus; a click there
    // tells the player it is locked and leaves the ring where it was.
    int x = 0, y = 0;
    ASSERT_TRUE(map->GetDotCentre(4, x, y));
    pointAt(x, y);
    EXPECT_EQ(CGuiButtonBase::GetFocused(), map->GetDot(4));
    clickLevel(map, 4);
    EXPECT_EQ(map->GetCaptionId(), CControllerMap::STRING_LOCKED);
    EXPECT_EQ(map->GetSelectedLevel(), 1);
    // Return plays the ringed level, and the caption is the ringed level's:
    // the keyboard never says "locked" again.
    press(SDLK_RETURN);
    EXPECT_EQ(map->GetCaptionId(), CControllerScreen::STRING_BODY);
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_GAME);
    EXPECT_EQ(CLevelSet::getSet(0)->getCurrentIndex(), 1);
}

TEST_F(Map, ALockedStarAnswersAClickAsALockedDotDoes)
{
    CControllerMap* map = open(new CControllerMap());
    frame(20);
    // Level 3 is a tutorial level (a star), level 2 an ordinary one; both
    // are locked on a new profile.
    ASSERT_TRUE(map->GetDot(3)->IsTutorial());
    ASSERT_FALSE(map->GetDot(2)->IsTutorial());
    ASSERT_EQ(map->GetDot(3)->GetState(), CControllerMap::DOT_LOCKED);
    clickLevel(map, 3);
    EXPECT_EQ(map->GetCaptionId(), CControllerMap::STRING_LOCKED);
    EXPECT_EQ(map->GetSelectedLevel(), 0);

    clickLevel(map, 0);
    EXPECT_EQ(map->GetCaptionId(), CControllerScreen::STRING_BODY);
    frame(20);
    clickLevel(map, 2);
    EXPECT_EQ(map->GetCaptionId(), CControllerMap::STRING_LOCKED);
    EXPECT_EQ(map->GetSelectedLevel(), 0);

    // An open star answers a click at its middle too.
    finish(0, 12);
    frame(20);
    map->ShowSet(1);
    map->ShowSet(0);
    frame(20);
    ASSERT_EQ(map->GetDot(1)->GetState(), CControllerMap::DOT_INCOMPLETE);
    clickLevel(map, 1);
    EXPECT_EQ(map->GetCaptionId(), CControllerScreen::STRING_BODY);
    EXPECT_EQ(map->GetSelectedLevel(), 1);
}

TEST_F(Map, SwitchingSetsSelectsTheSetsNextOpenLevel)
{
    // Five advanced levels finished; the profile stands on regular level 7.
    profile->SetCurrentSet(1);
    for (int level = 0; level < 5; ++level) {
        profile->SetCurrentLevel(level);
        profile->SetSteps(30);
        profile->RecordSetResult();
    }
    profile->SetCurrentSet(0);
    profile->SetCurrentLevel(7);
    CControllerMap* map = open(new CControllerMap());
    frame(2);
    // Regular level 7 is locked: the map stands on the first level instead.
    EXPECT_EQ(map->GetSelectedLevel(), 0);

    click(map->FindButton(CControllerMap::BUTTON_SET_FIRST + 1));
    frame();
    EXPECT_EQ(map->GetSet(), 1);
    EXPECT_EQ(map->GetSelectedLevel(), 5);
    EXPECT_EQ(CGuiButtonMapDot::GetSelectedId(), 5);
    EXPECT_EQ(profile->GetCurrentLevel(), 5);
    EXPECT_EQ(map->GetCaption().rfind("Level 6: ", 0), 0u) << map->GetCaption();

    // By keys: the set switch parks the pointer on the new set's level, so
    // Return plays it.
    frame(20);
    CGuiButtonBase* kids = map->FindButton(CControllerMap::BUTTON_SET_FIRST + 2);
    kids->CenterMouse();
    frame();
    ASSERT_EQ(CGuiButtonBase::GetFocused(), kids);
    press(SDLK_RETURN);
    EXPECT_EQ(map->GetSet(), 2);
    EXPECT_EQ(map->GetSelectedLevel(), 0);
    frame(2);
    EXPECT_EQ(CGuiButtonBase::GetFocused(), map->GetDot(0));

    // Back on the advanced set: the next open level again, not the first.
    click(map->FindButton(CControllerMap::BUTTON_SET_FIRST + 1));
    frame();
    EXPECT_EQ(map->GetSelectedLevel(), 5);

    // A set with every level finished opens on its last level.
    profile->SetCurrentSet(2);
    for (int level = 0; level < CLevelSet::getSet(2)->getCount(); ++level) {
        profile->SetCurrentLevel(level);
        profile->SetSteps(30);
        profile->RecordSetResult();
    }
    EXPECT_EQ(CControllerMap::NextOpenLevel(profile.get(), 2, CLevelSet::getSet(2)->getCount()),
              CLevelSet::getSet(2)->getCount() - 1);
    EXPECT_EQ(CControllerMap::NextOpenLevel(profile.get(), 0, CLevelSet::getSet(0)->getCount()), 0);
    EXPECT_EQ(CControllerMap::NextOpenLevel(profile.get(), 1, 0), 0);
}

TEST_F(Map, ArrowKeysStepAlongTheRoadFromOpenLevelToOpenLevel)
{
    for (int level = 0; level < 10; ++level)
        finish(level, 20);
    profile->SetCurrentLevel(10);
    // Opened from the keyboard (Return on the main menu): the map starts on
    // its selected level.
    noteKeyboardUse();
    CControllerMap* map = open(new CControllerMap());
    frame(20);
    ASSERT_EQ(map->GetSelectedLevel(), 10);
    // Towards the level before, along the road.
    press(arrowTowards(map, 10, 9));
    EXPECT_EQ(map->GetSelectedLevel(), 9);
    EXPECT_EQ(CGuiButtonBase::GetFocused(), map->GetDot(9));
    press(arrowTowards(map, 9, 8));
    EXPECT_EQ(map->GetSelectedLevel(), 8);
    // And back.
    press(arrowTowards(map, 8, 9));
    EXPECT_EQ(map->GetSelectedLevel(), 9);
    EXPECT_EQ(map->GetCaption().rfind(std::string("Level ") + CLevelSet::getLabel(0, 9) + ": ", 0), 0u);
    // Return plays the level the arrows reached.
    profile->SetShowStory(false);
    press(SDLK_RETURN);
    frame();
    EXPECT_NE(map->GetGame(), nullptr);
    EXPECT_EQ(CLevelSet::getSet(0)->getCurrentIndex(), 9);
}

TEST_F(Map, ArrowKeysPassLockedLevelsOnTheRoad)
{
    // Levels 0 and 5 finished: 0, 1, 5 and 6 are open, 2 to 4 locked.
    finish(0, 20);
    finish(5, 20);
    profile->SetCurrentLevel(1);
    noteKeyboardUse();
    CControllerMap* map = open(new CControllerMap());
    frame(20);
    ASSERT_EQ(map->GetSelectedLevel(), 1);
    press(arrowTowards(map, 1, 2));
    EXPECT_EQ(map->GetSelectedLevel(), 5);
    press(arrowTowards(map, 5, 4));
    EXPECT_EQ(map->GetSelectedLevel(), 1);
}

TEST_F(Map, EveryDotIsOnTheChartWithinHalfASecond)
{
    // 15 frames of 33 ms.
    for (int set = 0; set < CLevelSet::SET_COUNT; ++set) {
        profile->SetCurrentSet(set);
        CControllerMap* map = open(new CControllerMap());
        frame(15);
        for (int i = 0; i < map->GetDotCount(); ++i) {
            const int mode = map->GetDot(i)->GetMode();
            EXPECT_TRUE(mode == CGuiButtonMapDot::MODE_IDLE || mode == CGuiButtonMapDot::MODE_SELECTED ||
                        mode == CGuiButtonMapDot::MODE_ROLLED_OVER)
                << set << "/" << i << " mode " << mode;
            EXPECT_FALSE(map->GetDot(i)->GetCurrentSprite()->IsHidden()) << set << "/" << i;
        }
        click(map->FindButton(CControllerMap::BUTTON_BACK));
        frame();
        ASSERT_TRUE(closed());
    }
}

TEST_F(Map, TheSetOnShowIsMarkedAndTheSelectedDotKeepsItsLook)
{
    finish(0, 20);
    finish(1, 20);
    profile->SetCurrentLevel(0);
    CControllerMap* map = open(new CControllerMap());
    frame(20);
    for (int s = 0; s < CLevelSet::SET_COUNT; ++s) {
        CGuiButton* b = static_cast<CGuiButton*>(map->FindButton(CControllerMap::BUTTON_SET_FIRST + s));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->IsButtonDisabled(), s == 0) << s;
        EXPECT_EQ(b->GetDisableSprite() && !b->GetDisableSprite()->IsHidden(), s == 0) << s;
    }
    // The selected level, finished, pulses over its own green dot.
    ASSERT_EQ(map->GetSelectedLevel(), 0);
    CSprite* mark = map->GetSelectionMark();
    ASSERT_NE(mark, nullptr);
    EXPECT_FALSE(mark->IsHidden());
    EXPECT_EQ(mark->GetFrameImage(0), CDraw::FindImageId("mapdotregularcompletedbase.png"));
    int x = 0, y = 0;
    map->GetDotCentre(0, x, y);
    EXPECT_EQ(mark->GetX(true) + mark->GetWidth(false) / 2, x);
    EXPECT_EQ(mark->GetY(true) + mark->GetHeight(false) / 2, y);
    // Another open level selected: the mark moves with it.
    clickLevel(map, 2);
    frame();
    mark = map->GetSelectionMark();
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->GetFrameImage(0), CDraw::FindImageId("mapdotregularincompletebase.png"));
    map->GetDotCentre(2, x, y);
    EXPECT_EQ(mark->GetX(true) + mark->GetWidth(false) / 2, x);

    click(map->FindButton(CControllerMap::BUTTON_SET_FIRST + 2));
    frame();
    EXPECT_FALSE(static_cast<CGuiButton*>(map->FindButton(CControllerMap::BUTTON_SET_FIRST + 0))->IsButtonDisabled());
    EXPECT_TRUE(static_cast<CGuiButton*>(map->FindButton(CControllerMap::BUTTON_SET_FIRST + 2))->IsButtonDisabled());
}

TEST_F(Map, TheChartShowsTheRoadUnderEveryDot)
{
    // The warm earth of the road, not the blue-grey sea or the grass: red
    // well above blue, on average over the 5 x 5 pixels under the middle
    // of each dot.
    SDL_Surface* chart = CDraw::GetImageSurface(CDraw::FindImageId("map_background.jpg"));
    ASSERT_NE(chart, nullptr);
    auto warmth = [chart](double cx, double cy) {
        int red = 0, blue = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                Uint8 r, g, b;
                SDL_GetRGB(CDraw::GetPixel(chart, static_cast<int>(cx) + dx, static_cast<int>(cy) + dy), chart->format,
                           &r, &g, &b);
                red += r;
                blue += b;
            }
        return (red - blue) / 25;
    };
    EXPECT_LT(warmth(30, 300), 30); // open sea at the left edge
    for (int set = 0; set < CLevelSet::SET_COUNT; ++set) {
        const int count = CLevelSet::getSet(set)->getCount();
        std::vector<maplayout::Point> centres = maplayout::DotCentres(set, count);
        for (int i = 0; i < count; ++i)
            EXPECT_GT(warmth(centres[static_cast<size_t>(i)].x, centres[static_cast<size_t>(i)].y), 45)
                << set << "/" << i;
    }
}
