// The main menu and the way into it from the intro, through the controller
// stack with pushed events.
#include <gtest/gtest.h>

#include <set>

#include "screens/CControllerIntro.h"
#include "screens/CControllerMain.h"
#include "screens/CControllerScreen.h"
#include "screens/ScreenTestSupport.h"
#include "ui/CControllerMessage.h"
#include "ui/CGuiButtonBase.h"
#include "test_support.h"

using namespace screentest;

namespace {
class MainMenu : public ScreenTest {};
} // namespace

TEST_F(MainMenu, ExitClosesTheMenuWithExitCodeOne)
{
    CControllerMain* menu = open(new CControllerMain());
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAIN);
    frame(2);
    click(menu->FindButton(CControllerMain::BUTTON_EXIT));
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childId, CONTROLLER_MAIN);
    EXPECT_EQ(holder->passedCode, 0);
}

TEST_F(MainMenu, EscapeDoesNotLeaveTheMenu)
{
    open(new CControllerMain());
    press(SDLK_ESCAPE);
    frame(2);
    EXPECT_FALSE(closed());
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAIN);
}

TEST_F(MainMenu, EachButtonOpensItsScreenAndTheMenuComesBack)
{
    CControllerMain* menu = open(new CControllerMain());
    struct Case {
        int button;
        int screen;
    };
    const Case cases[] = {{CControllerMain::BUTTON_INSTRUCTIONS, CONTROLLER_INSTRUCTIONS},
                          {CControllerMain::BUTTON_SETTINGS, CONTROLLER_OPTIONS},
                          {CControllerMain::BUTTON_SCORES, CONTROLLER_SCOREBOARD},
                          {CControllerMain::BUTTON_PROFILES, CONTROLLER_PROFILES}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        frame(2);
        click(menu->FindButton(c.button));
        frame();
        ASSERT_EQ(CController::GetCurrentId(), c.screen);
        ASSERT_NE(menu->GetChild(), nullptr);
        // The menu's own buttons are hidden while the screen is on top.
        EXPECT_TRUE(menu->FindButton(CControllerMain::BUTTON_PLAY)->IsHidden());
        frame();
        press(SDLK_ESCAPE);
        frame(2);
        EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAIN);
        EXPECT_EQ(menu->GetChild(), nullptr);
        EXPECT_FALSE(menu->FindButton(CControllerMain::BUTTON_PLAY)->IsHidden());
    }
    EXPECT_FALSE(closed());
}

TEST_F(MainMenu, TheIntroOpensTheMenuByKeysAndEndsWhenItCloses)
{
    CControllerIntro* intro = open(new CControllerIntro());
    press(SDLK_RETURN); // to the last splash
    press(SDLK_RETURN); // on to the menu
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MAIN);
    ASSERT_NE(intro->GetMenu(), nullptr);
    CControllerMain* menu = static_cast<CControllerMain*>(intro->GetMenu());
    frame(2);
    click(menu->FindButton(CControllerMain::BUTTON_EXIT));
    frame(3);
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childId, CONTROLLER_INTRO);
    EXPECT_EQ(holder->passedCode, 0); // the intro left with exit code 1
}

TEST_F(MainMenu, AProfileFolderThatCannotBeWrittenIsTold)
{
    CControllerMain* menu = open(new CControllerMain());
    EXPECT_TRUE(CControllerMain::CanWriteProfiles());
    EXPECT_FALSE(menu->ShowsSaveWarning());
    frame(2);
    click(menu->FindButton(CControllerMain::BUTTON_EXIT));
    frame();
    ASSERT_TRUE(closed());

    // The folder becomes a plain file.
    std::string folder = profileDir.substr(0, profileDir.size() - 1);
    ASSERT_EQ(rename(folder.c_str(), (folder + ".saved").c_str()), 0);
    testsupport::writeFile(folder, "not a folder");
    EXPECT_FALSE(CControllerMain::CanWriteProfiles());
    menu = open(new CControllerMain());
    EXPECT_TRUE(menu->ShowsSaveWarning());
    EXPECT_EQ(testsupport::readFile(folder), "not a folder");
}

TEST_F(MainMenu, WhatStartUpFoundWrongWithTheProfileFilesIsToldInADialogEach)
{
    // A damaged profile file, and a profile file that the list does not name.
    testsupport::writeFile(CProfileBase::ProfileFileName(1), "BPPR damaged");
    testsupport::writeFile(CProfileBase::ProfileFileName(3), "BPPR also damaged");
    makeProfile();
    CControllerMain* menu = open(new CControllerMain());
    std::string log = testsupport::readFile(profileDir + "LOG.TXT");
    EXPECT_NE(log.find("PROFILE1v3.DAT' of 'Player' is damaged; it was kept as"), std::string::npos) << log;
    EXPECT_NE(log.find("was put back as profile 2 'Player 2'"), std::string::npos) << log;
    for (int notice = 0; notice < 2; ++notice) {
        SCOPED_TRACE(notice);
        frame();
        ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
        // (That the dialog is wholly in front of the menu: DialogsInFront.)
        frame();
        clickAt(CControllerMessage::LONE_OK_X + 40, CControllerMessage::BUTTON_Y + 16);
        frame(2);
    }
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAIN);
    EXPECT_EQ(menu->GetChild(), nullptr);
    EXPECT_FALSE(profile->HasNotice());
}

namespace {
// The screens' own table of notice strings.
struct NoticeStrings : CControllerScreen {
    using CControllerScreen::NoticeString;
};
} // namespace

TEST(ProfileNoticeStrings, EachKindOfNoticeHasATextOfItsOwn)
{
    std::string strings = testsupport::readFile(testsupport::sourceDir() + "/data/strings.txt");
    std::set<int> ids;
    for (int kind = ProfileNotice::LIST_SET_ASIDE; kind <= ProfileNotice::SAVE_IN_THE_WAY; ++kind) {
        SCOPED_TRACE(kind);
        int id = NoticeStrings::NoticeString(kind);
        EXPECT_TRUE(ids.insert(id).second);
        EXPECT_NE(strings.find("\n@" + std::to_string(id) + "|"), std::string::npos);
    }
}
