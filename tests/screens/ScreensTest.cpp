// Results and exit codes of the screens through the controller stack:
// instructions, story, the post-level screen and best results, settings,
// key bindings, the profile password, profiles and the tutorial hint.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>

#include "engine/TextRender.h"
#include "screens/CControllerInstructions.h"
#include "screens/CControllerMessageTutorial.h"
#include "screens/CControllerOptions.h"
#include "screens/CControllerOptionsControls.h"
#include "screens/CControllerOptionsPassword.h"
#include "screens/CControllerProfiles.h"
#include "screens/CControllerScoreboard.h"
#include "screens/CControllerStory.h"
#include "screens/ScreenTestSupport.h"
#include "test_support.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiCheckbox.h"
#include "ui/CGuiTextbox.h"

using namespace screentest;

namespace {

class Screens : public ScreenTest {
protected:
    void type(const std::string& text)
    {
        for (char c : text)
            press(static_cast<unsigned char>(c));
    }
    // The buttons of the dialogs.
    void messageLoneOk() { clickAt(CControllerMessage::LONE_OK_X + 40, CControllerMessage::BUTTON_Y + 16); }
    void messageOk() { clickAt(CControllerMessage::OK_X + 40, CControllerMessage::BUTTON_Y + 16); }
    void nameOk() { clickAt(325 + 34, 444 + 13); }
    void passwordOk() { clickAt(301 + 34, 327 + 13); }
    void passwordCancel() { clickAt(383 + 34, 327 + 13); }
    void clickButton(int widgetId)
    {
        CControllerScreen* s = dynamic_cast<CControllerScreen*>(CController::GetCurrentController());
        ASSERT_NE(s, nullptr);
        frame(2);
        click(s->FindButton(widgetId));
        frame();
    }
    // Turns the profile folder into a plain file.
    void breakProfileFolder()
    {
        std::string folder = profileDir.substr(0, profileDir.size() - 1);
        ASSERT_EQ(rename(folder.c_str(), (folder + ".saved").c_str()), 0);
        testsupport::writeFile(folder, "not a folder");
    }
};

} // namespace

// ------------------------------------------------------------ instructions

TEST_F(Screens, InstructionPagesStopAtBothEnds)
{
    EXPECT_EQ(CControllerInstructions(-1).GetPage(), 0);
    EXPECT_EQ(CControllerInstructions(CControllerInstructions::PAGE_COUNT).GetPage(),
              CControllerInstructions::PAGE_COUNT - 1);
    CControllerInstructions* s = open(new CControllerInstructions(0));
    press(SDLK_LEFT);
    EXPECT_EQ(s->GetPage(), 0);
    press(SDLK_RIGHT);
    EXPECT_EQ(s->GetPage(), 1);
    for (int i = 0; i < CControllerInstructions::PAGE_COUNT + 2; ++i)
        press(SDLK_RIGHT);
    EXPECT_EQ(s->GetPage(), CControllerInstructions::PAGE_COUNT - 1);
    clickButton(CControllerInstructions::BUTTON_PREVIOUS);
    EXPECT_EQ(s->GetPage(), CControllerInstructions::PAGE_COUNT - 2);
    press(SDLK_ESCAPE);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childId, CONTROLLER_INSTRUCTIONS);
    EXPECT_EQ(holder->childResult, 0);
    EXPECT_EQ(holder->passedCode, 0);
}

// ------------------------------------------------------------ story

TEST_F(Screens, StoryChaptersAreClampedAndAnyKeyTurnsThePage)
{
    EXPECT_EQ(CControllerStory(-1).GetChapter(), 0);
    EXPECT_EQ(CControllerStory(11).GetChapter(), 11);
    EXPECT_EQ(CControllerStory(12).GetChapter(), 11);
    open(new CControllerStory(3));
    press('x');
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childId, CONTROLLER_STORY);
    EXPECT_EQ(holder->childResult, 0);
    EXPECT_EQ(holder->passedCode, 0);

    open(new CControllerStory(11));
    clickAt(20, 20);
    frame();
    EXPECT_TRUE(closed());
}

// ------------------------------------------------------------ post-level screen

TEST_F(Screens, AfterAMishapEachChoiceLeavesItsResultOrLeavesThePlayScreen)
{
    struct Case {
        int button;
        int result;
        int passed;
    };
    const Case cases[] = {{CControllerScoreboard::BUTTON_RETRY, CControllerScoreboard::RESULT_RETRY, 0},
                          {CControllerScoreboard::BUTTON_UNDO, CControllerScoreboard::RESULT_UNDO, 0},
                          {CControllerScoreboard::BUTTON_SOLUTION, CControllerScoreboard::RESULT_SOLUTION, 0},
                          {CControllerScoreboard::BUTTON_BACK_TO_CHOOSER, 0, 1}};
    for (int type : {CControllerScoreboard::TYPE_SINGED, CControllerScoreboard::TYPE_FAILED})
        for (const Case& c : cases) {
            SCOPED_TRACE(type * 100 + c.button);
            open(new CControllerScoreboard(type, false));
            clickButton(c.button);
            frame();
            ASSERT_TRUE(closed());
            EXPECT_EQ(holder->childId, CONTROLLER_SCOREBOARD);
            EXPECT_EQ(holder->childResult, c.result);
            EXPECT_EQ(holder->passedCode, c.passed);
        }
}

TEST_F(Screens, AfterALevelEscapeAndTheMapButtonGoBackWithoutPlayingOn)
{
    // Every post-level screen, after a success too, has the way back to the
    // map (the level manager for a single level), and Escape takes it: the
    // play screen closes (code 2 passes 1 on) and the map plays nothing.
    for (int type : {CControllerScoreboard::TYPE_SINGED, CControllerScoreboard::TYPE_FAILED,
                     CControllerScoreboard::TYPE_SET_SOLVED, CControllerScoreboard::TYPE_SINGLE_SOLVED})
        for (bool byEscape : {true, false}) {
            SCOPED_TRACE(type * 10 + (byEscape ? 1 : 0));
            CControllerScoreboard* s = open(new CControllerScoreboard(type, type == 7));
            ASSERT_NE(s->FindButton(CControllerScoreboard::BUTTON_BACK_TO_CHOOSER), nullptr);
            if (byEscape)
                press(SDLK_ESCAPE);
            else
                clickButton(CControllerScoreboard::BUTTON_BACK_TO_CHOOSER);
            frame();
            ASSERT_TRUE(closed());
            EXPECT_EQ(holder->passedCode, 1);
            EXPECT_EQ(holder->childResult, CControllerScoreboard::RESULT_NONE);
            EXPECT_FALSE(CControllerScoreboard::TakeContinueRequest());
        }
    // Continue after a level of a set still asks the map to play on.
    open(new CControllerScoreboard(CControllerScoreboard::TYPE_SET_SOLVED, false));
    clickButton(CControllerScoreboard::BUTTON_LEAVE);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_TRUE(CControllerScoreboard::TakeContinueRequest());
}

TEST_F(Screens, ASolvedLevelContinuesOutOfThePlayScreenOrTriesAgain)
{
    for (int type : {CControllerScoreboard::TYPE_SET_SOLVED, CControllerScoreboard::TYPE_SINGLE_SOLVED}) {
        SCOPED_TRACE(type);
        CControllerScoreboard* s = open(new CControllerScoreboard(type, type == 7));
        EXPECT_EQ(s->FindButton(CControllerScoreboard::BUTTON_UNDO), nullptr); // nothing to undo
        clickButton(CControllerScoreboard::BUTTON_LEAVE);
        frame();
        ASSERT_TRUE(closed());
        EXPECT_EQ(holder->passedCode, 1);
        EXPECT_EQ(holder->childResult, 0);
        open(new CControllerScoreboard(type, type == 7));
        clickButton(CControllerScoreboard::BUTTON_RETRY);
        frame();
        ASSERT_TRUE(closed());
        EXPECT_EQ(holder->childResult, CControllerScoreboard::RESULT_RETRY);
        EXPECT_EQ(holder->passedCode, 0);
    }
}

TEST_F(Screens, TheSolutionOfALockedProfileNeedsItsPasswordExceptInTutorials)
{
    profile->SetPassword("pw");
    profile->SetCurrentSet(0);
    profile->SetCurrentLevel(0);
    open(new CControllerScoreboard(CControllerScoreboard::TYPE_FAILED, false));
    clickButton(CControllerScoreboard::BUTTON_SOLUTION);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_PASSWORD);
    frame();
    // A wrong password keeps the dialog open; Cancel goes back.
    type("no");
    passwordOk();
    frame();
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_PASSWORD);
    passwordCancel();
    frame(2);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_SCOREBOARD);
    EXPECT_FALSE(closed());

    clickButton(CControllerScoreboard::BUTTON_SOLUTION);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_PASSWORD);
    frame();
    type("pw");
    passwordOk();
    frame(3);
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childResult, CControllerScoreboard::RESULT_SOLUTION);
    EXPECT_EQ(holder->passedCode, 0);

    // Regular level 1 is a tutorial level: no password.
    profile->SetCurrentLevel(1);
    open(new CControllerScoreboard(CControllerScoreboard::TYPE_FAILED, false));
    clickButton(CControllerScoreboard::BUTTON_SOLUTION);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childResult, CControllerScoreboard::RESULT_SOLUTION);
}

TEST_F(Screens, BestResultsRankTheProfilesByLevelsThenSteps)
{
    profile->SetCurrentLevel(0);
    profile->SetSteps(50);
    profile->RecordSetResult(); // Player: 1 level, 50 steps
    ASSERT_EQ(profile->AddProfile("Ada"), 2);
    for (int level = 0; level < 2; ++level) {
        profile->SetCurrentLevel(level);
        profile->SetSteps(30);
        profile->RecordSetResult(); // Ada: 2 levels, 60 steps
    }
    ASSERT_EQ(profile->AddProfile("Bert"), 3);
    profile->SetCurrentLevel(3);
    profile->SetSteps(20);
    profile->RecordSetResult(); // Bert: 1 level, 20 steps
    ASSERT_EQ(profile->AddProfile("Cleo"), 4); // nothing yet
    std::vector<CControllerScoreboard::Row> rows = CControllerScoreboard::CollectBestResults();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].name, "Ada");
    EXPECT_EQ(rows[0].finished, 2);
    EXPECT_EQ(rows[0].steps, 60);
    EXPECT_EQ(rows[1].name, "Bert");
    EXPECT_EQ(rows[2].name, "Player");
    EXPECT_EQ(rows[3].name, "Cleo");
    EXPECT_EQ(rows[3].finished, 0);

    open(new CControllerScoreboard(CControllerScoreboard::TYPE_HIGH_SCORES, false));
    press(SDLK_ESCAPE);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->passedCode, 0);
    EXPECT_EQ(holder->childResult, 0);
}

// ------------------------------------------------------------ settings

TEST_F(Screens, ScalesStopAtZeroAndElevenInBothDirections)
{
    profile->SetSoundVolume(11);
    profile->SetMusicVolume(0);
    CControllerOptions* s = open(new CControllerOptions());
    clickButton(CControllerOptions::BUTTON_MORE + CControllerOptions::SCALE_SOUND);
    EXPECT_EQ(profile->GetSoundVolume(), 11);
    clickButton(CControllerOptions::BUTTON_LESS + CControllerOptions::SCALE_SOUND);
    EXPECT_EQ(profile->GetSoundVolume(), 10);
    clickButton(CControllerOptions::BUTTON_LESS + CControllerOptions::SCALE_MUSIC);
    EXPECT_EQ(profile->GetMusicVolume(), 0);
    clickButton(CControllerOptions::BUTTON_MORE + CControllerOptions::SCALE_MUSIC);
    EXPECT_EQ(profile->GetMusicVolume(), 1);
    EXPECT_EQ(s->GetScale(CControllerOptions::SCALE_MUSIC), 1);
    int speed = profile->GetGameSpeed();
    clickButton(CControllerOptions::BUTTON_MORE + CControllerOptions::SCALE_GAME_SPEED);
    EXPECT_EQ(profile->GetGameSpeed(), speed + 1);

    EXPECT_EQ(CControllerOptions::MouseSpeedToScale(0.5f), 0);
    EXPECT_EQ(CControllerOptions::MouseSpeedToScale(0.4f), 0);
    EXPECT_EQ(CControllerOptions::MouseSpeedToScale(0.75f), 1);
    EXPECT_EQ(CControllerOptions::MouseSpeedToScale(3.25f), 11);
    EXPECT_EQ(CControllerOptions::MouseSpeedToScale(3.5f), 11);
    EXPECT_FLOAT_EQ(CControllerOptions::ScaleToMouseSpeed(2), 1.0f);
    profile->SetMouseSpeed(3.25f);
    clickButton(CControllerOptions::BUTTON_MORE + CControllerOptions::SCALE_MOUSE_SPEED);
    EXPECT_FLOAT_EQ(profile->GetMouseSpeed(), 3.25f);
}

TEST_F(Screens, SwitchesApplyAtOnceAndLeavingSavesTheProfile)
{
    ASSERT_TRUE(profile->GetShowStory());
    CControllerOptions* s = open(new CControllerOptions());
    frame(2);
    clickAt(s->GetSwitch(CControllerOptions::SWITCH_STORY)->GetX() + 8,
            s->GetSwitch(CControllerOptions::SWITCH_STORY)->GetY() + 8);
    frame();
    EXPECT_FALSE(profile->GetShowStory());
    clickAt(s->GetSwitch(CControllerOptions::SWITCH_STEP_COUNTER)->GetX() + 8,
            s->GetSwitch(CControllerOptions::SWITCH_STEP_COUNTER)->GetY() + 8);
    frame();
    EXPECT_FALSE(profile->GetShowStepCounter());
    EXPECT_FALSE(testsupport::fileExists(CProfileBase::ProfileFileName(1)));
    press(SDLK_ESCAPE); // leaving by Escape saves too
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->passedCode, 0);
    makeProfile();
    EXPECT_FALSE(profile->GetShowStory());
    EXPECT_FALSE(profile->GetShowStepCounter());
}

TEST_F(Screens, SettingsThatCannotBeSavedAreToldAndStayInUse)
{
    profile->SetSoundVolume(3);
    open(new CControllerOptions());
    breakProfileFolder();
    clickButton(CControllerOptions::BUTTON_MORE + CControllerOptions::SCALE_SOUND);
    clickButton(CControllerOptions::BUTTON_BACK);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    EXPECT_FALSE(closed());
    frame();
    messageLoneOk();
    frame(2);
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->passedCode, 0);
    EXPECT_EQ(profile->GetSoundVolume(), 4);
}

TEST_F(Screens, AQuitOverTheSettingsNotSavedNoticeQuitsAtOnce)
{
    // Settings left by their button, and a new password saved: each tells
    // its failed save, and a quit meanwhile (the window closed, an
    // interrupt) is passed on.
    for (int which = 0; which < 2; ++which) {
        SCOPED_TRACE(which == 0 ? "settings" : "password");
        if (which == 0) {
            open(new CControllerOptions());
            breakProfileFolder();
            clickButton(CControllerOptions::BUTTON_BACK);
        } else {
            std::string folder = profileDir.substr(0, profileDir.size() - 1);
            ASSERT_EQ(remove(folder.c_str()), 0);
            ASSERT_EQ(rename((folder + ".saved").c_str(), folder.c_str()), 0);
            open(new CControllerOptionsPassword());
            breakProfileFolder();
            clickButton(CControllerOptionsPassword::BUTTON_SAVE);
        }
        ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
        frame();
        if (which == 0) {
            SDL_Event quit;
            memset(&quit, 0, sizeof quit);
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        } else {
            // SDL turns an interrupt (Ctrl+C) into the same quit event.
            struct sigaction handler;
            ASSERT_EQ(sigaction(SIGINT, nullptr, &handler), 0);
            ASSERT_NE(handler.sa_handler, SIG_DFL);
            ASSERT_NE(handler.sa_handler, SIG_IGN);
            raise(SIGINT);
        }
        frame(3);
        ASSERT_TRUE(closed());
        EXPECT_EQ(holder->passedCode, -1);
    }
}

TEST_F(Screens, TheSettingsOpenTheKeyBindingsAndThePasswordAndComeBack)
{
    open(new CControllerOptions());
    clickButton(CControllerOptions::BUTTON_CONTROLS);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_OPTIONS_CONTROLS);
    frame();
    press(SDLK_ESCAPE);
    frame(2);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_OPTIONS);
    clickButton(CControllerOptions::BUTTON_PASSWORD);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_OPTIONS_PASSWORD);
    frame();
    press(SDLK_ESCAPE);
    frame(2);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_OPTIONS);
    EXPECT_FALSE(closed());
}

// ------------------------------------------------------------ key bindings

TEST_F(Screens, AKeyIsBoundByPressingItAndAKeyBoundTwiceIsRefused)
{
    CControllerOptionsControls* s = open(new CControllerOptionsControls());
    clickButton(0); // restart
    EXPECT_EQ(s->GetWaitingAction(), 0);
    press(SDLK_q);
    EXPECT_EQ(s->GetWaitingAction(), -1);
    EXPECT_EQ(profile->GetKey(0), SDLK_q);

    clickButton(1); // undo: offered the key of "left"
    press(SDLK_LEFT);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    EXPECT_EQ(profile->GetKey(1), SDLK_u);
    EXPECT_EQ(profile->GetKey(2), SDLK_LEFT);
    // The notice dims a frozen copy of the screen, whose buttons are out of
    // reach meanwhile.
    EXPECT_TRUE(CRender::IsSwapped());
    EXPECT_TRUE(s->FindButton(CControllerOptionsControls::BUTTON_BACK)->IsHidden());
    frame();
    messageLoneOk();
    frame(2);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_OPTIONS_CONTROLS);
    EXPECT_FALSE(CRender::IsSwapped());
    EXPECT_FALSE(s->FindButton(CControllerOptionsControls::BUTTON_BACK)->IsHidden());

    // Its own key again is no conflict; Escape keeps the old key.
    clickButton(1);
    press(SDLK_u);
    EXPECT_EQ(profile->GetKey(1), SDLK_u);
    clickButton(6);
    press(SDLK_ESCAPE);
    EXPECT_EQ(profile->GetKey(6), SDLK_SPACE);
    EXPECT_FALSE(closed());

    clickButton(CControllerOptionsControls::BUTTON_DEFAULTS);
    EXPECT_EQ(profile->GetKey(0), SDLK_r);
    press(SDLK_ESCAPE);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->passedCode, 0);
}

// ------------------------------------------------------------ password

TEST_F(Screens, AnOpenProfileGetsAPasswordOfAtMostTenCharacters)
{
    CControllerOptionsPassword* s = open(new CControllerOptionsPassword());
    EXPECT_TRUE(s->IsUnlocked());
    ASSERT_NE(s->GetTextbox(), nullptr);
    type("abcdefghijk");
    EXPECT_STREQ(s->GetTextbox()->GetText(), "abcdefghij");
    // The prompt above the box states the count the box takes.
    const char* const counts[] = {"zero", "one", "two",   "three", "four",  "five",
                                  "six",  "seven", "eight", "nine",  "ten", "eleven"};
    std::string prompt = toNarrowString(getStringTableEntry(6413).text.c_str());
    size_t taken = strlen(s->GetTextbox()->GetText());
    ASSERT_LT(taken, sizeof counts / sizeof counts[0]);
    EXPECT_NE(prompt.find(std::string("up to ") + counts[taken] + " "), std::string::npos) << prompt;
    press(SDLK_RETURN);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->passedCode, 0);
    makeProfile();
    EXPECT_STREQ(profile->GetPassword(), "abcdefghij");
}

TEST_F(Screens, ALockedProfileAsksForItsPasswordBeforeItCanBeChanged)
{
    profile->SetPassword("old");
    ASSERT_TRUE(profile->Save());
    CControllerOptionsPassword* s = open(new CControllerOptionsPassword());
    EXPECT_FALSE(s->IsUnlocked());
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_PASSWORD);
    frame();
    passwordCancel();
    frame(3);
    ASSERT_TRUE(closed());
    EXPECT_STREQ(profile->GetPassword(), "old");

    s = open(new CControllerOptionsPassword());
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_PASSWORD);
    frame();
    type("old");
    passwordOk();
    frame(2);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_OPTIONS_PASSWORD);
    EXPECT_TRUE(s->IsUnlocked());
    // An empty box unlocks the profile.
    clickButton(CControllerOptionsPassword::BUTTON_SAVE);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_FALSE(profile->HasPassword());
}

// ------------------------------------------------------------ profiles

TEST_F(Screens, ANewProfileIsMadeAndChosenAndNamesLikePathsAreRefused)
{
    open(new CControllerProfiles());
    clickButton(CControllerProfiles::BUTTON_NEW);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_TEXT_ENTRY);
    frame();
    type("bob");
    nameOk();
    frame(3);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_PROFILES);
    ASSERT_EQ(profile->GetProfileCount(), 2);
    EXPECT_EQ(profile->GetProfileName(), "bob");

    for (const char* bad : {"a/b", "..", "player"}) {
        SCOPED_TRACE(bad);
        clickButton(CControllerProfiles::BUTTON_NEW);
        ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_TEXT_ENTRY);
        frame();
        type(bad);
        nameOk();
        frame(3);
        // Refused either by the dialog itself or with our notice.
        if (CController::GetCurrentId() == CONTROLLER_MESSAGE) {
            messageLoneOk();
            frame(2);
        } else if (CController::GetCurrentId() == CONTROLLER_TEXT_ENTRY) {
            press(SDLK_ESCAPE);
            frame(2);
        }
        EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_PROFILES);
        EXPECT_EQ(profile->GetProfileCount(), 2);
    }
    press(SDLK_ESCAPE);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->passedCode, 0);
}

TEST_F(Screens, ANewProfileInAnUnwritableFolderIsToldAndNothingChanges)
{
    ASSERT_TRUE(profile->Save());
    open(new CControllerProfiles());
    breakProfileFolder();
    clickButton(CControllerProfiles::BUTTON_NEW);
    frame();
    type("bob");
    nameOk();
    frame(3);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    messageLoneOk();
    frame(2);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_PROFILES);
    EXPECT_EQ(profile->GetProfileCount(), 1);
    EXPECT_EQ(profile->GetProfileName(), "Player");
}

TEST_F(Screens, DeletingAsksFirstAndTheLastProfileStays)
{
    open(new CControllerProfiles());
    clickButton(CControllerProfiles::BUTTON_DELETE);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    frame();
    messageLoneOk();
    frame(2);
    EXPECT_EQ(profile->GetProfileCount(), 1);

    ASSERT_EQ(profile->AddProfile("Ada"), 2);
    clickButton(CControllerProfiles::BUTTON_DELETE);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    frame();
    press(SDLK_ESCAPE); // cancel
    frame(2);
    EXPECT_EQ(profile->GetProfileCount(), 2);
    clickButton(CControllerProfiles::BUTTON_DELETE);
    frame();
    messageOk();
    frame(2);
    EXPECT_EQ(profile->GetProfileCount(), 1);
    EXPECT_EQ(profile->GetProfileName(), "Player");
}

TEST_F(Screens, ALockedProfileIsChosenOnlyWithItsPassword)
{
    ASSERT_EQ(profile->AddProfile("Ada"), 2);
    profile->SetPassword("key");
    ASSERT_TRUE(profile->SelectProfile(1));
    open(new CControllerProfiles());
    clickButton(CControllerProfiles::ROW_FIRST + 2);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_PASSWORD);
    frame();
    passwordCancel();
    frame(2);
    EXPECT_EQ(profile->GetProfileNumber(), 1);
    clickButton(CControllerProfiles::ROW_FIRST + 2);
    frame();
    type("key");
    passwordOk();
    frame(2);
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_PROFILES);
    EXPECT_EQ(profile->GetProfileNumber(), 2);
    // Choosing the current profile closes the screen.
    clickButton(CControllerProfiles::ROW_FIRST + 2);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->passedCode, 0);
}

TEST_F(Screens, ProfileNameNoticesMatchTheirReasons)
{
    EXPECT_EQ(CControllerProfiles::NoticeForName(PROFILE_NAME_OK), 0);
    EXPECT_NE(CControllerProfiles::NoticeForName(PROFILE_NAME_EMPTY), 0);
    EXPECT_NE(CControllerProfiles::NoticeForName(PROFILE_NAME_BAD_CHARACTER),
              CControllerProfiles::NoticeForName(PROFILE_NAME_TAKEN));
    EXPECT_NE(CControllerProfiles::NoticeForName(PROFILE_NAME_TOO_LONG), 0);
    EXPECT_NE(CControllerProfiles::NoticeForName(PROFILE_NAME_LIST_FULL), 0);
}

// ------------------------------------------------------------ tutorial hint

TEST_F(Screens, TheTutorialHintClosesOnAnyKeyOrClick)
{
    EXPECT_EQ(CControllerMessageTutorial(nullptr).GetText(), CControllerMessageTutorial("UNDEFINED").GetText());
    EXPECT_EQ(CControllerMessageTutorial("Push the crate").GetText(), "Push the crate");
    CControllerMessageTutorial* s = open(new CControllerMessageTutorial("Push the crate"));
    EXPECT_EQ(s->GetId(), CONTROLLER_MESSAGE_TUTORIAL);
    frame(CControllerMessageTutorial::KEY_WAIT_FRAMES); // a key waits half a second
    press(SDLK_a);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childId, CONTROLLER_MESSAGE_TUTORIAL);
    EXPECT_EQ(holder->passedCode, 0);
    EXPECT_EQ(holder->childResult, 0);
    open(new CControllerMessageTutorial("x"));
    clickAt(400, 300);
    frame();
    EXPECT_TRUE(closed());
}
