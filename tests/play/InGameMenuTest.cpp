// The pause menu on its own, launched by a host screen as the play screen
// launches it: its columns of buttons, what each button and key answers, the
// confirmation and password dialogs in front of the solution and of quitting.
#include <gtest/gtest.h>

#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "profile/CProfile.h"
#include "screens/CControllerInstructions.h"
#include "screens/CControllerOptions.h"
#include "screens/CControllerScoreboard.h"
#include "ui/CControllerMessage.h"
#include "ui/CControllerPassword.h"
#include "ui/CGuiButton.h"
#include "play/CControllerGame.h"
#include "play/CControllerInGame.h"
#include "play/GameTestSupport.h"

using gametest::GameTest;

namespace {

class Menu : public GameTest {
protected:
    void open(int mode)
    {
        m_menu = new CControllerInGame(mode, &m_level);
        m_host.LaunchController(m_menu);
        frame(); // the menu's first frame
    }
    void TearDown() override
    {
        delete m_menu;
        GameTest::TearDown();
    }
    void click(int buttonId)
    {
        CGuiButton* button = m_menu->FindButton(buttonId);
        ASSERT_NE(button, nullptr);
        m_menu->GUICallback(buttonId, 0, false);
    }
    // Frames until the menu has handed its answer to the host.
    void settle() { frames(2); }

    CControllerInGame* m_menu = nullptr;
};

struct Column {
    int mode;
    std::vector<int> ids;
};

} // namespace

TEST_F(Menu, EachModeShowsItsColumnOfButtonsThirtyPixelsApart)
{
    const Column columns[] = {
        {CControllerInGame::MODE_SET_LEVEL, {0, 1, 2, 3, 4, 5, 6, 7, 9, 10}},
        {CControllerInGame::MODE_TUTORIAL_LEVEL, {0, 1, 2, 3, 4, 5, 7, 9, 10}},
        {CControllerInGame::MODE_SINGLE_LEVEL, {0, 1, 2, 3, 4, 5, 8, 9, 10}},
    };
    for (const Column& column : columns) {
        SCOPED_TRACE(column.mode);
        open(column.mode);
        ASSERT_TRUE(m_menu->IsLoaded());
        for (int row = 0; row < CControllerInGame::BUTTON_SLOTS; ++row) {
            CGuiButton* button = m_menu->GetButton(row);
            if (row >= static_cast<int>(column.ids.size())) {
                EXPECT_EQ(button, nullptr) << "row " << row;
                continue;
            }
            ASSERT_NE(button, nullptr) << "row " << row;
            EXPECT_EQ(button->GetId(), column.ids[row]);
            EXPECT_EQ(button->GetX(), 307);
            EXPECT_EQ(button->GetY(), 175 + 30 * row);
        }
        m_menu->ExitNow(1);
        frame();
        delete m_menu;
        m_menu = nullptr;
    }
}

TEST_F(Menu, AnUnknownModeGetsTheSingleLevelColumn)
{
    open(7);
    EXPECT_EQ(m_menu->GetMode(), CControllerInGame::MODE_SINGLE_LEVEL);
    EXPECT_EQ(CControllerInGame::ButtonIdAt(-1, 0), -1);
    EXPECT_EQ(CControllerInGame::ButtonIdAt(0, 10), -1);
    EXPECT_EQ(CControllerInGame::ButtonIdAt(0, 9), 10);
}

TEST_F(Menu, ResumeRestartAndUndoAnswerThePlayScreen)
{
    const struct {
        int button, result;
    } cases[] = {{0, 0}, {1, 1}, {2, 3}};
    for (const auto& c : cases) {
        open(CControllerInGame::MODE_SET_LEVEL);
        click(c.button);
        EXPECT_EQ(m_menu->GetExitCode(), 1);
        EXPECT_EQ(m_menu->GetResult(), c.result) << "button " << c.button;
        frame();
        EXPECT_EQ(CController::GetCurrentController(), &m_host);
        delete m_menu;
        m_menu = nullptr;
    }
}

TEST_F(Menu, TheWaysOutCloseOneOrTwoScreens)
{
    const struct {
        int mode, button, exit;
    } cases[] = {{0, 7, 2}, {2, 8, 2}, {0, 9, 3}, {1, 9, 3}};
    for (const auto& c : cases) {
        open(c.mode);
        click(c.button);
        EXPECT_EQ(m_menu->GetExitCode(), c.exit) << "button " << c.button;
        EXPECT_EQ(m_menu->GetResult(), 0);
        m_menu->SetExitCode(0);
        m_menu->ExitNow(1);
        delete m_menu;
        m_menu = nullptr;
    }
}

TEST_F(Menu, EscapeResumesAndFixedLettersRestartOrUndoWhateverTheBindings)
{
    profile().SetKey(CControllerGame::BIND_RESTART, 'x');
    profile().SetKey(CControllerGame::BIND_UNDO, 'z');
    const struct {
        int key, result;
    } cases[] = {{27, 0}, {'r', 1}, {'u', 3}};
    for (const auto& c : cases) {
        open(CControllerInGame::MODE_SET_LEVEL);
        press(c.key);
        frame();
        EXPECT_EQ(CController::GetCurrentController(), &m_host) << "key " << c.key;
        EXPECT_EQ(m_menu->GetResult(), c.result) << "key " << c.key;
        delete m_menu;
        m_menu = nullptr;
    }
    // The profile's own restart key means nothing to the menu.
    open(CControllerInGame::MODE_SET_LEVEL);
    press('x');
    frame();
    EXPECT_EQ(CController::GetCurrentController(), m_menu);
}

TEST_F(Menu, TheSolutionIsShownAfterTheConfirmationWhenTheProfileHasNoPassword)
{
    open(CControllerInGame::MODE_SET_LEVEL);
    click(CControllerInGame::BUTTON_SOLUTION);
    ASSERT_NE(m_menu->GetMessageChild(), nullptr);
    EXPECT_FALSE(m_menu->IsLoaded());
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MESSAGE);
    frame();
    m_menu->GetMessageChild()->GUICallback(1, 0, false); // OK
    frames(2);
    EXPECT_EQ(m_menu->GetResult(), CControllerInGame::RESULT_SOLUTION);
    EXPECT_EQ(CController::GetCurrentController(), &m_host);
}

TEST_F(Menu, APasswordIsAskedBeforeTheSolutionOfASetOrSingleLevel)
{
    profile().SetPassword("brass");
    for (int mode : {CControllerInGame::MODE_SET_LEVEL, CControllerInGame::MODE_SINGLE_LEVEL}) {
        SCOPED_TRACE(mode);
        open(mode);
        click(CControllerInGame::BUTTON_SOLUTION);
        frame();
        m_menu->GetMessageChild()->GUICallback(1, 0, false);
        frame(); // the message closes
        frame(); // the menu asks for the password
        ASSERT_NE(m_menu->GetPasswordChild(), nullptr);
        EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_PASSWORD);
        EXPECT_FALSE(m_menu->IsLoaded());
        EXPECT_EQ(m_menu->GetExitCode(), 0);
        // Cancelled: the menu comes back with all its buttons, no answer.
        m_menu->GetPasswordChild()->GUICallback(0, 0, false);
        frames(2);
        EXPECT_EQ(CController::GetCurrentController(), m_menu);
        EXPECT_TRUE(m_menu->IsLoaded());
        EXPECT_NE(m_menu->FindButton(CControllerInGame::BUTTON_QUIT), nullptr);
        EXPECT_EQ(m_menu->GetPasswordChild(), nullptr);
        m_menu->ExitNow(1);
        delete m_menu;
        m_menu = nullptr;
    }
}

TEST_F(Menu, TheRightPasswordShowsTheSolution)
{
    profile().SetPassword("brass");
    open(CControllerInGame::MODE_SET_LEVEL);
    click(CControllerInGame::BUTTON_SOLUTION);
    frame();
    m_menu->GetMessageChild()->GUICallback(1, 0, false);
    frames(2);
    ASSERT_NE(m_menu->GetPasswordChild(), nullptr);
    for (const char* c = "brass"; *c; ++c)
        tap(*c);
    tap(13); // Return
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), &m_host);
    EXPECT_EQ(m_menu->GetResult(), CControllerInGame::RESULT_SOLUTION);
}

TEST_F(Menu, ATutorialLevelShowsTheSolutionWithoutThePassword)
{
    profile().SetPassword("brass");
    open(CControllerInGame::MODE_TUTORIAL_LEVEL);
    click(CControllerInGame::BUTTON_SOLUTION);
    frame();
    m_menu->GetMessageChild()->GUICallback(1, 0, false);
    frames(2);
    EXPECT_EQ(m_menu->GetPasswordChild(), nullptr);
    EXPECT_EQ(m_menu->GetResult(), CControllerInGame::RESULT_SOLUTION);
    EXPECT_EQ(CController::GetCurrentController(), &m_host);
}

TEST_F(Menu, CancellingTheSolutionConfirmationBringsTheMenuBack)
{
    open(CControllerInGame::MODE_SET_LEVEL);
    click(CControllerInGame::BUTTON_SOLUTION);
    frame();
    m_menu->GetMessageChild()->GUICallback(0, 0, false); // Cancel
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), m_menu);
    EXPECT_TRUE(m_menu->IsLoaded());
    EXPECT_EQ(m_menu->GetPendingAction(), CControllerInGame::PENDING_NONE);
}

TEST_F(Menu, QuitEndsTheProgramOnlyWhenConfirmed)
{
    open(CControllerInGame::MODE_SET_LEVEL);
    click(CControllerInGame::BUTTON_QUIT);
    frame();
    m_menu->GetMessageChild()->GUICallback(0, 0, false);
    frames(2);
    EXPECT_EQ(CController::GetCurrentController(), m_menu);
    EXPECT_TRUE(m_menu->IsLoaded());

    click(CControllerInGame::BUTTON_QUIT);
    frame();
    m_menu->GetMessageChild()->GUICallback(1, 0, false);
    frames(3);
    EXPECT_EQ(CController::GetCurrentController(), &m_host);
    EXPECT_EQ(m_host.receivedExit, -1) << "the code that ends the program";
}

TEST_F(Menu, InstructionsOptionsAndScoresOpenOverTheClosedMenuAndReturnToIt)
{
    const struct {
        int button, childId;
    } cases[] = {{4, CONTROLLER_INSTRUCTIONS}, {5, CONTROLLER_OPTIONS}, {6, CONTROLLER_SCOREBOARD}};
    open(CControllerInGame::MODE_SET_LEVEL);
    for (const auto& c : cases) {
        click(c.button);
        EXPECT_FALSE(m_menu->IsLoaded());
        EXPECT_EQ(CController::GetCurrentId(), c.childId);
        frame();
        CController::GetCurrentController()->ExitNow(1);
        frame();
        EXPECT_EQ(CController::GetCurrentController(), m_menu);
        EXPECT_TRUE(m_menu->IsLoaded()) << "after child " << c.childId;
        EXPECT_EQ(m_menu->GetInstructionsChild(), nullptr);
        EXPECT_EQ(m_menu->GetOptionsChild(), nullptr);
        EXPECT_EQ(m_menu->GetScoreboardChild(), nullptr);
    }
}

TEST_F(Menu, ItsParchmentShowsTheHeadingAndIsReleasedWithTheMenu)
{
    size_t spritesBefore = CSprite::GetAllSprites().size();
    open(CControllerInGame::MODE_SET_LEVEL);
    EXPECT_GE(CDraw::FindImageId("baseInGameController.png"), 0);
    EXPECT_GT(CSprite::GetAllSprites().size(), spritesBefore);
    m_menu->ExitNow(1);
    delete m_menu;
    m_menu = nullptr;
    EXPECT_EQ(CDraw::FindImageId("baseInGameController.png"), -1);
    EXPECT_EQ(CSprite::GetAllSprites().size(), spritesBefore);
}
