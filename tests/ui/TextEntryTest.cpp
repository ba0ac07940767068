#include "DialogTestSupport.h"

#include "ui/CControllerPassword.h"
#include "ui/CControllerProfileName.h"
#include "ui/CControllerScoreboardName.h"
#include "ui/CGuiButton.h"
#include "ui/CGuiTextbox.h"

using dialogtest::pushKey;
using dialogtest::tapKey;

namespace {

class TextEntry : public dialogtest::DialogTest {
protected:
    void TearDown() override
    {
        dialog.reset();
        dialogtest::DialogTest::TearDown();
    }
    template <typename T>
    T* open(T* d)
    {
        dialog.reset(d);
        launch(d);
        frame();
        return d;
    }
    void typeText(const char* text)
    {
        for (const char* c = text; *c; ++c)
            tapKey(*c);
        frame();
    }
    bool closed() { return CController::GetCurrentController() == &root; }
    const char* boxText() { return dialog->GetTextbox()->GetText(); }

    std::unique_ptr<CControllerTextEntryBase> dialog;
};

// Button centres: the big panel's OK and Cancel, the small panel's OK.
const int BIG_OK_X = 335, BIG_CANCEL_X = 417, BIG_BUTTON_Y = 340;
const int SMALL_OK_X = 359, SMALL_BUTTON_Y = 457;

} // namespace

TEST_F(TextEntry, BlanksAreNoAnswerButABlankBeforeALetterIs)
{
    open(new CControllerScoreboardName(false));
    EXPECT_EQ(dialog->GetId(), CONTROLLER_TEXT_ENTRY);
    typeText("   ");
    EXPECT_STREQ(boxText(), "   ");
    int clicks = plainClicks([&] {
        tapKey(SDLK_RETURN); // no focus: OK is the default
        frame();
    });
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(closed());

    // Down to one blank, then a letter: " a" is an answer.
    tapKey(SDLK_BACKSPACE);
    tapKey(SDLK_BACKSPACE);
    typeText("a");
    tapKey(SDLK_RETURN);
    frames(2);
    ASSERT_TRUE(closed());
    EXPECT_FALSE(dialog->isCancelled());
    EXPECT_STREQ(dialog->getText(), " a");
}

TEST_F(TextEntry, CancelAfterTypingGivesNoText)
{
    // By Escape.
    open(new CControllerProfileName());
    typeText("Ada");
    tapKey(SDLK_ESCAPE);
    frames(2);
    ASSERT_TRUE(closed());
    EXPECT_TRUE(dialog->isCancelled());
    EXPECT_EQ(dialog->getText(), nullptr);

    // By a click on Cancel.
    open(new CControllerScoreboardName(false));
    typeText("Ada");
    click(BIG_CANCEL_X, BIG_BUTTON_Y);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_TRUE(dialog->isCancelled());
    EXPECT_EQ(dialog->getText(), nullptr);

    // An empty box confirmed with a default text removed gives null too.
    open(new CControllerScoreboardName(false));
    dialog->setText("Bo");
    EXPECT_STREQ(boxText(), "Bo");
    click(BIG_OK_X, BIG_BUTTON_Y);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_STREQ(dialog->getText(), "Bo");
}

TEST_F(TextEntry, WrongPasswordEmptiesTheBoxAndShowsTheNoticeUntilItFades)
{
    open(new CControllerPassword("tea4two"));
    EXPECT_EQ(dialog->GetId(), CONTROLLER_PASSWORD);
    EXPECT_TRUE(dialog->GetTextbox()->IsMasked());
    CSprite* notice = dialog->GetNoticeSprite();
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->IsHidden());

    typeText("tea4tw");
    tapKey(SDLK_RETURN);
    frame();
    EXPECT_FALSE(closed());
    EXPECT_STREQ(boxText(), "");
    EXPECT_TRUE(dialog->TextboxHasFocus());
    EXPECT_FALSE(notice->IsHidden());
    EXPECT_EQ(notice->GetFrame(), 0);
    // Thirty frames of notice (the first counted in the frame of the
    // answer), then its six frames run once.
    frames(28);
    EXPECT_EQ(notice->GetFrame(), 0);
    EXPECT_TRUE(notice->IsStopped());
    frame();
    EXPECT_FALSE(notice->IsStopped());
    frames(15);
    EXPECT_EQ(notice->GetFrame(), 5);
    EXPECT_TRUE(notice->IsFinished());
    EXPECT_FALSE(closed());

    // A longer text is wrong too; the right one closes the dialog.
    typeText("tea4twoo");
    tapKey(SDLK_RETURN);
    frame();
    EXPECT_FALSE(closed());
    EXPECT_EQ(notice->GetFrame(), 0);
    typeText("tea4two");
    click(BIG_OK_X, BIG_BUTTON_Y);
    frame();
    ASSERT_TRUE(closed());
    EXPECT_STREQ(dialog->getText(), "tea4two");
}

TEST_F(TextEntry, PasswordOfTenCharactersFitsTheBoxExactly)
{
    open(new CControllerPassword("abcdefghij"));
    typeText("abcdefghi"); // nine: one short
    tapKey(SDLK_RETURN);
    frame();
    EXPECT_FALSE(closed());
    typeText("abcdefghijk"); // eleven typed, the box keeps ten
    EXPECT_STREQ(boxText(), "abcdefghij");
    tapKey(SDLK_RETURN);
    frames(2);
    ASSERT_TRUE(closed());
    EXPECT_STREQ(dialog->getText(), "abcdefghij");

    // Blanks are not typed into a password box; no expected password
    // accepts the empty box.
    open(new CControllerPassword(nullptr));
    typeText(" ");
    EXPECT_STREQ(boxText(), "");
    tapKey(SDLK_RETURN);
    frames(2);
    EXPECT_TRUE(closed());
    EXPECT_FALSE(dialog->isCancelled());
}

TEST_F(TextEntry, HeldKeyRepeatsOnTheEleventhFrameAndEveryThirdAfter)
{
    open(new CControllerProfileName());
    pushKey('k', true);
    std::string counts;
    for (int f = 1; f <= 17; ++f) {
        frame();
        counts += std::to_string(strlen(boxText()));
    }
    // Frames 1-10: one k; 11: two; 14: three; 17: four.
    EXPECT_EQ(counts, "11111111112223334");
    EXPECT_EQ(dialog->GetHeldKey(), 'k');
    // Another key held takes over; releasing a key that is not held
    // changes nothing; releasing the held one stops the repeat.
    pushKey('m', true);
    pushKey('k', false);
    frame();
    EXPECT_EQ(dialog->GetHeldKey(), 'm');
    pushKey('m', false);
    frames(12);
    EXPECT_STREQ(boxText(), "kkkkm");
    EXPECT_EQ(dialog->GetHeldKey(), -1);
}

TEST_F(TextEntry, TabCyclesBoxOkCancelAndShiftTabGoesBack)
{
    open(new CControllerScoreboardName(false));
    EXPECT_TRUE(dialog->TextboxHasFocus());
    tapKey(SDLK_TAB);
    frame();
    EXPECT_EQ(CGuiButtonBase::GetFocused(), dialog->GetOkButton());
    EXPECT_FALSE(dialog->TextboxHasFocus());
    EXPECT_TRUE(dialog->GetTextbox()->GetCursorSprite()->IsHidden());
    tapKey(SDLK_TAB);
    frame();
    EXPECT_EQ(CGuiButtonBase::GetFocused(), dialog->GetCancelButton());
    tapKey(SDLK_TAB);
    frame();
    EXPECT_EQ(CGuiButtonBase::GetFocused(), nullptr);
    EXPECT_TRUE(dialog->TextboxHasFocus());
    EXPECT_TRUE(dialog->GetTextbox()->IsMouseOver());

    // Backwards: box, Cancel, OK, box.
    pushKey(SDLK_LSHIFT, true);
    tapKey(SDLK_TAB);
    frame();
    EXPECT_EQ(CGuiButtonBase::GetFocused(), dialog->GetCancelButton());
    tapKey(SDLK_TAB);
    frame();
    EXPECT_EQ(CGuiButtonBase::GetFocused(), dialog->GetOkButton());
    tapKey(SDLK_TAB);
    frame();
    EXPECT_TRUE(dialog->TextboxHasFocus());
    pushKey(SDLK_LSHIFT, false);

    // Letters typed while a button has the focus do not reach the box;
    // Return there presses that button.
    tapKey(SDLK_RIGHT);
    frame();
    tapKey(SDLK_DOWN);
    frame();
    EXPECT_EQ(CGuiButtonBase::GetFocused(), dialog->GetCancelButton());
    typeText("zz");
    EXPECT_STREQ(boxText(), "");
    tapKey(SDLK_RETURN);
    frames(2);
    ASSERT_TRUE(closed());
    EXPECT_TRUE(dialog->isCancelled());
}

TEST_F(TextEntry, ProfileNameWithAPathIsRefusedWithANotice)
{
    open(new CControllerProfileName());
    CSprite* notice = dialog->GetNoticeSprite();
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->IsHidden());
    typeText("my/self");
    EXPECT_STREQ(boxText(), "my/self");
    tapKey(SDLK_RETURN);
    frame();
    EXPECT_FALSE(closed());
    EXPECT_FALSE(notice->IsHidden());
    // The refused name stays for mending.
    EXPECT_STREQ(boxText(), "my/self");

    // ".." cannot be typed (no punctuation) but can arrive as a default.
    dialog->setText("..");
    click(SMALL_OK_X, SMALL_BUTTON_Y);
    frame();
    EXPECT_FALSE(closed());
    dialog->setText("a\\b");
    tapKey(SDLK_RETURN);
    frame();
    EXPECT_FALSE(closed());
    // The notice is text of its own, drawn into its six frames.
    EXPECT_GT(dialogtest::inkIn(notice->GetFrameImage(0), 0, 0, 300, 30), 0);

    dialog->setText("Ada Lovelace");
    tapKey(SDLK_RETURN);
    frames(2);
    ASSERT_TRUE(closed());
    EXPECT_STREQ(dialog->getText(), "Ada Lovelace");

    EXPECT_TRUE(CControllerProfileName::IsAcceptableName("Dot.Com"));
    EXPECT_TRUE(CControllerProfileName::IsAcceptableName("a.b.c"));
    EXPECT_FALSE(CControllerProfileName::IsAcceptableName("a..b"));
    EXPECT_FALSE(CControllerProfileName::IsAcceptableName("/"));
    EXPECT_FALSE(CControllerProfileName::IsAcceptableName(nullptr));
    // Its notice pictures go with the dialog.
    dialog.reset();
    EXPECT_EQ(CDraw::FindImageId("profilename_invalid0.png"), -1);
}

TEST_F(TextEntry, ScoreNameNoticeShowsAtOnceOnlyWhenAsked)
{
    open(new CControllerScoreboardName(true));
    EXPECT_FALSE(dialog->GetNoticeSprite()->IsHidden());
    tapKey(SDLK_ESCAPE);
    frames(2);
    ASSERT_TRUE(closed());
    open(new CControllerScoreboardName(false));
    EXPECT_TRUE(dialog->GetNoticeSprite()->IsHidden());
}

TEST_F(TextEntry, PanelIsADimmedCopyOfTheScreenAndGoesWithTheDialog)
{
    SDL_Surface* screen = CDraw::GetScreen();
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 250, 250, 250));
    open(new CControllerPassword("x"));
    int image = CDraw::FindImageId(CControllerTextEntryBase::IMAGE_NAME);
    ASSERT_GE(image, 0);
    EXPECT_EQ(dialog->GetBackgroundSprite()->GetFrameImage(0), image);
    EXPECT_EQ(dialog->GetBackgroundSprite()->GetType(), 1410);
    SDL_Surface* s = CDraw::GetImageSurface(image);
    EXPECT_EQ(s->w, 800);
    // Dimmed outside the panel, the panel's own colour at its place, and
    // the prompt written into the prompt box.
    drawtest::Rgba outside = drawtest::pixelAt(s, 10, 10);
    EXPECT_LT(outside.r, 240);
    EXPECT_GT(outside.r, 100);
    drawtest::Rgba panel = drawtest::pixelAt(s, 215, 208);
    EXPECT_TRUE(drawtest::near(panel.g, dialogtest::PARCH_G));
    EXPECT_GT(dialogtest::inkIn(image, 227, 240, 300, 60), 30);
    EXPECT_EQ(dialog->GetTextbox()->GetX(), 290);
    EXPECT_EQ(dialog->GetOkButton()->GetX(), 301);
    dialog.reset();
    EXPECT_EQ(CDraw::FindImageId(CControllerTextEntryBase::IMAGE_NAME), -1);
}
