// The keyboard path: a key hides the pointer until the mouse really moves; a
// screen or dialog opened from the keys starts on its default button (the
// first one where it has none) whatever the resting pointer covers, and a
// screen that a child covered comes back to the button that opened it; the
// pointer takes the focus only once it moves; keys typed in one go reach the
// widgets they mean.
#include <gtest/gtest.h>

#include "engine/CSprite.h"
#include "engine/Pointer.h"
#include "screens/CControllerMain.h"
#include "screens/CControllerOptions.h"
#include "screens/CControllerProfiles.h"
#include "screens/CControllerScoreboard.h"
#include "screens/ScreenTestSupport.h"
#include "ui/CControllerMessage.h"
#include "ui/CControllerProfileName.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiTextbox.h"
#include "engine/Input.h"
#include "play/CControllerInGame.h"
#include "level/Level.h"

using namespace screentest;

namespace {

class Focus : public ScreenTest {
protected:
    // A key that no screen here takes, pressed while the holder is current:
    // the player is on the keys.
    void useKeys() { press(SDLK_F5); }
    static bool arrowShown() { return !getPointerArrow()->IsHidden(); }
    static void centreOf(CGuiButtonBase* w, int& x, int& y)
    {
        CGuiButton* b = dynamic_cast<CGuiButton*>(w);
        ASSERT_NE(b, nullptr);
        x = b->GetCenterX();
        y = b->GetCenterY();
    }
    // The centre of a main-menu button (they stand in one column).
    static int menuY(int row) { return CControllerMain::BUTTON_TOP + row * CControllerMain::BUTTON_STEP + 20; }
    static int focusedId()
    {
        CGuiButtonBase* f = CGuiButtonBase::GetFocused();
        return f ? f->GetId() : -1;
    }
};

} // namespace

TEST_F(Focus, AKeyHidesThePointerUntilTheMouseReallyMoves)
{
    open(new CControllerProfiles());
    pointAt(700, 560);
    frame(2);
    EXPECT_TRUE(arrowShown());
    press(SDLK_F5);
    frame(10);
    EXPECT_FALSE(arrowShown()) << "the arrow came back without the mouse moving";
    // The program's own warps (a focus move) do not bring it back...
    warpMouse(650, 560);
    frame(3);
    EXPECT_FALSE(arrowShown());
    // ...a real move does, and so does a mouse button.
    pointAt(640, 555);
    EXPECT_TRUE(arrowShown());
    press(SDLK_F5);
    frame(3);
    EXPECT_FALSE(arrowShown());
    pushMouseButton(SDL_BUTTON_RIGHT, false);
    pushMouseButton(SDL_BUTTON_RIGHT, true);
    frame(2);
    EXPECT_TRUE(arrowShown());
}

TEST_F(Focus, TheMainMenuOpenedFromTheKeysStartsOnPlayWhateverThePointerCovers)
{
    // The pointer rests where Exit will be.
    pointAt(CControllerMain::BUTTON_X + 100, menuY(5));
    useKeys();
    CControllerMain* m = open(new CControllerMain());
    frame(2);
    EXPECT_EQ(focusedId(), CControllerMain::BUTTON_PLAY);
    EXPECT_FALSE(arrowShown());
    press(SDLK_RETURN);
    frame();
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_MAP) << "Return did not take the button shown as focused";
    (void)m;
}

TEST_F(Focus, ThePointerTakesTheFocusOnlyOnceItMoves)
{
    useKeys();
    open(new CControllerMain());
    frame(2);
    ASSERT_EQ(focusedId(), CControllerMain::BUTTON_PLAY);
    pointAt(CControllerMain::BUTTON_X + 100, menuY(5));
    EXPECT_EQ(focusedId(), CControllerMain::BUTTON_EXIT);
    EXPECT_TRUE(arrowShown());
}

TEST_F(Focus, AScreenOpenedByTheMouseLeavesThePointerWhereItIs)
{
    pointAt(CControllerMain::BUTTON_X + 100, menuY(3));
    open(new CControllerMain());
    frame(2);
    EXPECT_EQ(getMouseX(), CControllerMain::BUTTON_X + 100);
    EXPECT_EQ(getMouseY(), menuY(3));
    EXPECT_EQ(focusedId(), CControllerMain::BUTTON_INSTRUCTIONS);
}

TEST_F(Focus, ACoveredScreenComesBackToTheButtonThatOpenedIt)
{
    useKeys();
    open(new CControllerMain());
    frame(2);
    for (int i = 0; i < 4; ++i)
        press(SDLK_DOWN);
    ASSERT_EQ(focusedId(), CControllerMain::BUTTON_SETTINGS);
    press(SDLK_RETURN);
    frame();
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_OPTIONS);
    // The settings move the pointer about (onto their Save button, where
    // the main menu has Exit, among others).
    for (int i = 0; i < 7; ++i)
        press(SDLK_TAB);
    press(SDLK_ESCAPE);
    frame(3);
    ASSERT_EQ(CController::GetCurrentId(), CONTROLLER_MAIN);
    EXPECT_EQ(focusedId(), CControllerMain::BUTTON_SETTINGS);
}

TEST_F(Focus, KeysTypedInOneGoReachTheWidgetsTheyMean)
{
    useKeys();
    open(new CControllerMain());
    frame(2);
    // Down, Down and Return within one frame: High Scores.
    pushKey(SDLK_DOWN, false);
    pushKey(SDLK_DOWN, true);
    pushKey(SDLK_DOWN, false);
    pushKey(SDLK_DOWN, true);
    pushKey(SDLK_RETURN, false);
    pushKey(SDLK_RETURN, true);
    frame();
    EXPECT_EQ(CController::GetCurrentId(), CONTROLLER_SCOREBOARD);
}

TEST_F(Focus, ThePauseMenuOpenedFromTheKeysStartsOnResume)
{
    CLevel level;
    // The pointer rests where How to Play will be.
    pointAt(CControllerInGame::BUTTON_X + 90, CControllerInGame::FIRST_BUTTON_Y + 4 * CControllerInGame::BUTTON_ROW + 14);
    useKeys();
    open(new CControllerInGame(CControllerInGame::MODE_SET_LEVEL, &level));
    frame(2);
    EXPECT_EQ(focusedId(), CControllerInGame::BUTTON_RESUME);
    press(SDLK_RETURN);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childResult, CControllerInGame::RESULT_RESUME);
}

TEST_F(Focus, ThePostLevelScreenOpenedFromTheKeysStartsOnContinue)
{
    CControllerScoreboard* s = open(new CControllerScoreboard(CControllerScoreboard::TYPE_SET_SOLVED, false));
    int x = 0, y = 0;
    centreOf(s->FindButton(CControllerScoreboard::BUTTON_RETRY), x, y);
    holder->child->SetExitCode(1);
    frame(2);
    pointAt(x, y);
    useKeys();
    open(new CControllerScoreboard(CControllerScoreboard::TYPE_SET_SOLVED, false));
    frame(2);
    EXPECT_EQ(focusedId(), CControllerScoreboard::BUTTON_LEAVE);
    press(SDLK_RETURN);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->passedCode, 1); // continued out of the play screen
    EXPECT_TRUE(CControllerScoreboard::TakeContinueRequest());
}

TEST_F(Focus, DialogsOpenedFromTheKeysStartOnTheirDefaultOrTheirTextBox)
{
    // A question: the pointer rests on OK, Return answers Cancel.
    pointAt(CControllerMessage::OK_X + 40, CControllerMessage::BUTTON_Y + 16);
    useKeys();
    open(new CControllerMessage(6031, 6051, true, "alpha"));
    frame(2);
    EXPECT_EQ(focusedId(), CControllerMessage::BUTTON_CANCEL);
    press(SDLK_RETURN);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childResult, 0);

    // A name: the pointer rests on Cancel; typed letters and Return give
    // the name.
    CControllerProfileName* n = open(new CControllerProfileName());
    int x = 0, y = 0;
    centreOf(n->GetCancelButton(), x, y);
    holder->child->SetExitCode(1);
    frame(2);
    pointAt(x, y);
    useKeys();
    n = open(new CControllerProfileName());
    frame(2);
    EXPECT_TRUE(n->TextboxHasFocus());
    EXPECT_TRUE(n->GetTextbox()->IsMouseOver());
    press(SDLK_b);
    press(SDLK_o);
    press(SDLK_RETURN);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_EQ(holder->childResult, 1);
}
