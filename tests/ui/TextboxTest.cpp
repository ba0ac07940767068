#include "DialogTestSupport.h"

#include "ui/CGuiTextbox.h"

using dialogtest::inkIn;

namespace {

class Textbox : public dialogtest::DialogTest {
protected:
    std::unique_ptr<CGuiTextbox> make(int maxLength, bool spaces, bool punctuation, bool lineBreaks)
    {
        return std::unique_ptr<CGuiTextbox>(new CGuiTextbox(maxLength, 100, 200, 6, 4,
                                                            "profile_entername_textbox.png",
                                                            "profilenternamecursor.png", spaces, punctuation,
                                                            lineBreaks));
    }
    // The image the text sprite shows; a new one after every rebuild.
    static int shownImage(const CGuiTextbox& box) { return box.GetTextSprite()->GetFrameImage(0); }
    static void type(CGuiTextbox& box, const char* keys)
    {
        for (const char* k = keys; *k; ++k)
            box.HandleKey(*k, 0, false);
    }
};

} // namespace

TEST_F(Textbox, FullBoxRefusesLettersButStillRebuilds)
{
    auto box = make(15, true, false, false);
    type(*box, "abcdefghijklmn"); // 14
    EXPECT_EQ(box->GetLength(), 14);
    box->HandleKey('o', 0, false); // the 15th still fits
    EXPECT_STREQ(box->GetText(), "abcdefghijklmno");
    int before = shownImage(*box);
    box->HandleKey('p', 0, false);
    box->HandleKey('7', 0, false);
    box->HandleKey(' ', 0, false);
    EXPECT_STREQ(box->GetText(), "abcdefghijklmno");
    EXPECT_NE(shownImage(*box), before);
    // Back below the limit, letters are taken again.
    box->HandleKey(CGuiTextbox::KEY_BACKSPACE, 0, false);
    EXPECT_EQ(box->GetLength(), 14);
    box->HandleKey('z', 0, false);
    EXPECT_STREQ(box->GetText(), "abcdefghijklmnz");
    // A key that types nothing does not rebuild.
    before = shownImage(*box);
    box->HandleKey('=', 0, false);
    box->HandleKey(SDLK_F1, 0, false);
    EXPECT_EQ(shownImage(*box), before);
}

TEST_F(Textbox, LineBreakNeedsRoomForBothCharactersAndGoesAsOne)
{
    auto box = make(6, true, true, true);
    type(*box, "abcde"); // n = max - 1
    box->HandleKey('\r', 0, false);
    EXPECT_STREQ(box->GetText(), "abcde");
    box->HandleKey(CGuiTextbox::KEY_DELETE, 0, false);
    box->HandleKey('\r', 0, false); // n = max - 2
    EXPECT_STREQ(box->GetText(), "abcd%n");
    box->HandleKey(CGuiTextbox::KEY_BACKSPACE, 0, false);
    EXPECT_STREQ(box->GetText(), "abcd");
    box->PutChar('\n');
    EXPECT_STREQ(box->GetText(), "abcd%n");
    box->PutChar('\b');
    box->PutChar('\b');
    EXPECT_STREQ(box->GetText(), "abc");

    // Without line breaks Return types nothing and does not rebuild.
    auto plain = make(6, true, true, false);
    int before = shownImage(*plain);
    plain->HandleKey('\r', 0, false);
    EXPECT_STREQ(plain->GetText(), "");
    EXPECT_EQ(shownImage(*plain), before);
    // Deleting from an empty box leaves it empty.
    plain->HandleKey(CGuiTextbox::KEY_BACKSPACE, 0, false);
    EXPECT_STREQ(plain->GetText(), "");
}

TEST_F(Textbox, ShiftAndPunctuationFollowTheUsKeyboard)
{
    auto open = make(40, true, true, false);
    open->HandleKey('2', 0, true);
    open->HandleKey('0', 0, true);
    open->HandleKey('9', 0, true);
    open->HandleKey(';', 0, true);
    open->HandleKey('/', 0, true);
    open->HandleKey('\'', 0, true);
    open->HandleKey('\'', 0, false);
    open->HandleKey('q', 0, true);
    open->HandleKey('.', 0, true);
    open->HandleKey('-', 0, false);
    open->HandleKey('`', 0, false);
    open->HandleKey('\\', 0, false);
    open->HandleKey(',', 0, true);
    EXPECT_STREQ(open->GetText(), "@)(:?\"'Q.-`\\,");

    // Without punctuation, shift leaves digits and ';' '/' plain, and the
    // keys that need punctuation type nothing.
    auto password = make(40, false, false, false);
    password->HandleKey('2', 0, true);
    password->HandleKey('a', 0, true);
    password->HandleKey('z', 0, false);
    password->HandleKey(';', 0, true);
    password->HandleKey('/', 0, false);
    for (int key : {'.', ',', '-', '\'', '`', '\\', ' ', '[', ']', '='})
        password->HandleKey(key, 0, false);
    EXPECT_STREQ(password->GetText(), "2Az;/");
    // Typed characters go through the same rules.
    password->PutChar('!');
    password->PutChar(' ');
    password->PutChar('Q');
    password->PutChar('7');
    EXPECT_STREQ(password->GetText(), "2Az;/Q7");
}

TEST_F(Textbox, MaskedTextShowsStarsWithTheCursorAfterThem)
{
    auto masked = make(10, false, false, false);
    masked->SetMasked(true);
    masked->SetText("abc");
    auto stars = make(10, false, false, false);
    stars->SetText("***");
    // Same ink and same cursor place as a box that really holds "***" (the
    // two boxes share their place, so their pictures are compared in turn).
    int maskedInk = inkIn(shownImage(*masked), 0, 0, 160, 26);
    int maskedCursor = masked->GetCursorSprite()->GetX(true);
    EXPECT_GT(maskedInk, 5);
    EXPECT_EQ(inkIn(shownImage(*stars), 0, 0, 160, 26), maskedInk);
    EXPECT_EQ(stars->GetCursorSprite()->GetX(true), maskedCursor);
    EXPECT_GT(maskedCursor, 100 + 6 + 5);
    EXPECT_STREQ(masked->GetText(), "abc");
}

TEST_F(Textbox, CursorFollowsTheTextAndBlinksSevenOnTenOff)
{
    auto box = make(15, true, false, false);
    EXPECT_EQ(box->GetCursorSprite()->GetX(true), 106);
    EXPECT_EQ(box->GetCursorSprite()->GetY(true), 204);
    EXPECT_TRUE(box->GetCursorSprite()->IsHidden());
    type(*box, "ab");
    int afterTwo = box->GetCursorSprite()->GetX(true);
    EXPECT_GT(afterTwo, 106);
    box->HandleKey('c', 0, false);
    EXPECT_GT(box->GetCursorSprite()->GetX(true), afterTwo);
    // Blanks take room too; an emptied box puts the cursor at its start.
    box->SetText("   ");
    EXPECT_GT(box->GetCursorSprite()->GetX(true), 106);
    box->SetText("");
    EXPECT_EQ(box->GetCursorSprite()->GetX(true), 106);

    std::string pattern;
    for (int i = 0; i < 34; ++i) {
        box->BlinkCursor();
        pattern += box->GetCursorSprite()->IsHidden() ? '.' : '#';
    }
    EXPECT_EQ(pattern, "#######..........#######..........");
    box->HideCursor();
    EXPECT_TRUE(box->GetCursorSprite()->IsHidden());
}

TEST_F(Textbox, SetTextKeepsWithinTheMaximumAndThePrivatePictureFollowsTheBox)
{
    auto box = make(5, true, false, false);
    box->SetText("much too long");
    EXPECT_STREQ(box->GetText(), "much ");
    box->SetText(nullptr);
    EXPECT_STREQ(box->GetText(), "");
    // A length beyond the text array is held to it.
    auto huge = make(5000, true, false, false);
    EXPECT_EQ(huge->GetMaxLength(), CGuiTextbox::TEXT_CAPACITY - 1);
    huge.reset();

    EXPECT_STREQ(box->GetPrivateImageName(), "x100_y200_profile_entername_textbox.png");
    EXPECT_EQ(CDraw::FindImageId(box->GetPrivateImageName()), shownImage(*box));
    EXPECT_EQ(box->GetTextSprite()->GetType(), 1422);
    EXPECT_EQ(box->GetCursorSprite()->GetType(), 1423);
    box.reset();
    EXPECT_EQ(CDraw::FindImageId("x100_y200_profile_entername_textbox.png"), -1);
}

TEST_F(Textbox, HiddenBoxIsNotUnderThePointer)
{
    auto box = make(5, true, false, false);
    setMouseX(150);
    setMouseY(210);
    EXPECT_TRUE(box->IsMouseOver());
    box->Hide();
    EXPECT_FALSE(box->IsMouseOver());
    EXPECT_TRUE(box->GetTextSprite()->IsHidden());
    box->HandleKey('a', 0, false); // a rebuild keeps it hidden
    EXPECT_TRUE(box->GetTextSprite()->IsHidden());
    box->Show();
    EXPECT_TRUE(box->IsMouseOver());
    box->CenterMouse();
    frame();
    EXPECT_EQ(getMouseX(), 180);
    EXPECT_EQ(getMouseY(), 213);
}
