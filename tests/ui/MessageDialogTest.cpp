#include "DialogTestSupport.h"

#include "ui/CControllerMessage.h"
#include "ui/CGuiButton.h"

using dialogtest::inkedRows;
using dialogtest::inkIn;
using dialogtest::tapKey;

namespace {

class MessageDialog : public dialogtest::DialogTest {
protected:
    void TearDown() override
    {
        dialog.reset();
        dialogtest::DialogTest::TearDown();
    }
    void open(CControllerMessage* d)
    {
        dialog.reset(d);
        launch(d);
        frame();
    }
    // The dialog has closed and the root screen is current again.
    bool closed() { return CController::GetCurrentController() == &root; }

    std::unique_ptr<CControllerMessage> dialog;
};

const int OK_WITH_CANCEL_X = 355, CANCEL_X = 450, LONE_OK_X = 400, BUTTON_Y = 436;

} // namespace

TEST_F(MessageDialog, OkOnlyIsConfirmedByEscapeReturnAndAClick)
{
    for (int way = 0; way < 3; ++way) {
        open(new CControllerMessage(-1, 1501, false, nullptr));
        EXPECT_EQ(dialog->GetId(), CONTROLLER_MESSAGE);
        EXPECT_FALSE(dialog->HasCancel());
        EXPECT_EQ(dialog->GetOkButton()->GetX(), 360);
        if (way == 0)
            tapKey(SDLK_ESCAPE);
        else if (way == 1)
            tapKey(SDLK_RETURN);
        else
            click(LONE_OK_X, BUTTON_Y);
        frames(2);
        EXPECT_TRUE(closed()) << way;
        EXPECT_TRUE(dialog->isConfirmed()) << way;
        EXPECT_EQ(root.firstFramePreviousIds.back(), CONTROLLER_MESSAGE);
    }
}

TEST_F(MessageDialog, QuestionAnswersCancelUnlessOkIsChosen)
{
    // Escape cancels.
    open(new CControllerMessage(2214, 2323, true, nullptr));
    EXPECT_EQ(dialog->GetOkButton()->GetX(), 315);
    EXPECT_EQ(dialog->GetCancelButton()->GetX(), 410);
    tapKey(SDLK_ESCAPE);
    frames(2);
    ASSERT_TRUE(closed());
    EXPECT_FALSE(dialog->isConfirmed());

    // Return with the pointer on no button answers the default, Cancel.
    open(new CControllerMessage(2214, 2323, true, nullptr));
    hover(20, 20);
    tapKey(SDLK_RETURN);
    frames(2);
    ASSERT_TRUE(closed());
    EXPECT_FALSE(dialog->isConfirmed());

    // Return with the pointer on OK answers OK.
    open(new CControllerMessage(2214, 2323, true, nullptr));
    hover(OK_WITH_CANCEL_X, BUTTON_Y);
    tapKey(SDLK_RETURN);
    frames(2);
    ASSERT_TRUE(closed());
    EXPECT_TRUE(dialog->isConfirmed());

    // Clicks on either button.
    open(new CControllerMessage(2214, 2323, true, nullptr));
    click(CANCEL_X, BUTTON_Y);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_FALSE(dialog->isConfirmed());
    open(new CControllerMessage(2214, 2323, true, nullptr));
    click(OK_WITH_CANCEL_X, BUTTON_Y);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_TRUE(dialog->isConfirmed());
}

TEST_F(MessageDialog, TabMovesTheFocusFromButtonToButton)
{
    open(new CControllerMessage(2214, 2323, true, nullptr));
    hover(20, 20);
    tapKey(SDLK_TAB); // the first registered widget: OK
    frame();
    EXPECT_EQ(CGuiButtonBase::GetFocused(), dialog->GetOkButton());
    tapKey(SDLK_TAB);
    frame();
    EXPECT_EQ(CGuiButtonBase::GetFocused(), dialog->GetCancelButton());
    tapKey(SDLK_UP);
    frame();
    EXPECT_EQ(CGuiButtonBase::GetFocused(), dialog->GetOkButton());
    tapKey(SDLK_SPACE);
    frames(2);
    ASSERT_TRUE(closed());
    EXPECT_TRUE(dialog->isConfirmed());
}

TEST_F(MessageDialog, AClickBesideTheButtonsOnlyClicks)
{
    open(new CControllerMessage(2214, 2323, true, nullptr));
    int clicks = plainClicks([&] { click(200, 150); });
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(closed());
    EXPECT_EQ(dialog->GetExitCode(), 0);
    // A click on a button is no plain click.
    clicks = plainClicks([&] { click(CANCEL_X, BUTTON_Y); });
    EXPECT_EQ(clicks, 0);
}

TEST_F(MessageDialog, PanelIsComposedUnderItsNameAndFreedWithTheDialog)
{
    open(new CControllerMessage(2214, 2323, true, nullptr));
    int image = CDraw::FindImageId(CControllerMessage::IMAGE_NAME);
    ASSERT_GE(image, 0);
    EXPECT_EQ(dialog->GetBackgroundSprite()->GetFrameImage(0), image);
    EXPECT_EQ(dialog->GetBackgroundSprite()->GetX(true), 150);
    EXPECT_EQ(dialog->GetBackgroundSprite()->GetY(true), 88);
    EXPECT_EQ(dialog->GetBackgroundSprite()->GetType(), 1412);
    EXPECT_EQ(dialog->GetDimmerSprite()->GetType(), 1411);
    // The inner parchment sits at (180, 100) of the copy.
    drawtest::Rgba inner = drawtest::pixelAt(CDraw::GetImageSurface(image), 185, 105);
    EXPECT_TRUE(drawtest::near(inner.g, dialogtest::INNER_G));
    EXPECT_TRUE(drawtest::near(inner.r, dialogtest::INNER_R));
    // Title in its 450 x 50 box at y 50, body in its 350 x 120 box at y 200.
    EXPECT_GT(inkIn(image, 25, 50, 450, 50), 30);
    EXPECT_GT(inkIn(image, 75, 200, 350, 120), 30);
    EXPECT_EQ(inkIn(image, 0, 0, 500, 50), 0);
    EXPECT_EQ(inkIn(image, 0, 100, 500, 100), 0);
    // The original picture is untouched.
    int original = CDraw::GetImage("confirmation_parch.png");
    EXPECT_EQ(inkIn(original, 0, 0, 500, 424), 0);
    CDraw::ReleaseImage(original);

    dialog.reset();
    EXPECT_EQ(CDraw::FindImageId(CControllerMessage::IMAGE_NAME), -1);
    // The next dialog composes its own picture again.
    open(new CControllerMessage(-1, 2323, false, nullptr));
    image = CDraw::FindImageId(CControllerMessage::IMAGE_NAME);
    ASSERT_GE(image, 0);
    EXPECT_EQ(inkIn(image, 0, 0, 500, 110), 0); // no title this time
    EXPECT_GT(inkIn(image, 75, 200, 350, 120), 30);
}

TEST_F(MessageDialog, ALongTextWrapsInsideTheBodyBox)
{
    const char* text = "The copper lantern flickers as the professor climbs down into the cellar, where the "
                       "crates are stacked higher than any sensible person would stack them.";
    open(new CControllerMessage("A note", text, false));
    int image = CDraw::FindImageId(CControllerMessage::IMAGE_NAME);
    // Several lines, all inside the 350-pixel box.
    int rows = inkedRows(image, 75, 200, 350, 120);
    EXPECT_GT(rows, 40);
    EXPECT_GT(inkIn(image, 75, 250, 350, 70), 20); // below a first line or two
    EXPECT_EQ(inkIn(image, 0, 200, 75, 120), 0);
    EXPECT_EQ(inkIn(image, 425, 200, 75, 120), 0);
    EXPECT_EQ(inkIn(image, 0, 320, 500, 104), 0);
    // The plain title text goes to the title box.
    EXPECT_GT(inkIn(image, 25, 50, 450, 50), 20);

    // The same text as a body parameter of a string with only a body.
    tapKey(SDLK_RETURN);
    frames(2);
    dialog.reset();
    open(new CControllerMessage(text, false));
    image = CDraw::FindImageId(CControllerMessage::IMAGE_NAME);
    EXPECT_EQ(inkedRows(image, 75, 200, 350, 120), rows);
    EXPECT_EQ(inkIn(image, 0, 0, 500, 110), 0);
}
