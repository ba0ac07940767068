#include "ui/CGuiTextbox.h"

#include <cstring>

#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/Pointer.h"
#include "engine/TextRender.h"
#include "ui/CGuiButton.h"
#include "ui/TextOnImage.h"

namespace {

// Shift with a digit key, for 0 to 9.
const char SHIFTED_DIGITS[] = ")!@#$%^&*(";

// Keys beyond letters, digits and space that type something: the key, its
// character with and without shift, and whether it needs punctuation.
struct PrintableKey {
    int key;
    char plain;
    char shifted;
    bool needsPunctuation;
};

const PrintableKey PRINTABLE_KEYS[] = {
    {';', ';', ':', false},   {'/', '/', '?', false},  {'\'', '\'', '"', true}, {',', ',', ',', true},
    {'-', '-', '-', true},    {'.', '.', '.', true},   {'\\', '\\', '\\', true}, {'`', '`', '`', true},
};

const char LINE_BREAK[] = "%n";

} // namespace

CGuiTextbox::CGuiTextbox(int maximum, int xPos, int yPos, int cursorOffsetX, int cursorOffsetY, const char* box,
                         const char* cursor, bool spaces, bool punctuation, bool lineBreaks)
    : textSprite(nullptr),
      cursorSprite(nullptr),
      boxImage(box),
      cursorImage(cursor),
      x(xPos),
      y(yPos),
      cursorDx(cursorOffsetX),
      cursorDy(cursorOffsetY),
      // The text array bounds the length whatever the caller asks.
      maxLength(maximum < 0 ? 0 : (maximum > MAX_LENGTH_LIMIT ? MAX_LENGTH_LIMIT : maximum)),
      hidden(0),
      allowSpace(spaces ? 1 : 0),
      allowPunctuation(punctuation ? 1 : 0),
      allowLineBreaks(lineBreaks ? 1 : 0),
      masked(0),
      blinkCounter(BLINK_START)
{
    text[0] = '\0';
    char name[512];
    snprintf(name, sizeof name, "x%i_y%i_%s", x, y, boxImage);
    privateName = name;
    MakeTextSprite();
    cursorSprite = makeWidgetSprite(cursorImage, LAYER_CURSOR, "GUI Textbox Cursor", x + cursorDx, y + cursorDy, false);
}

CGuiTextbox::~CGuiTextbox()
{
    delete textSprite;
    delete cursorSprite;
    CDraw::ReleaseImageByName(privateName.c_str());
}

void CGuiTextbox::MakeTextSprite()
{
    CDraw::CopyImage(boxImage, privateName.c_str(), 0);
    textSprite = makeWidgetSprite(privateName.c_str(), LAYER_TEXT, "GUI Textbox Text", x, y, !hidden);
}

int CGuiTextbox::GetLength() const
{
    return static_cast<int>(strlen(text));
}

char CGuiTextbox::Translate(int key, bool shift) const
{
    if (key >= 'a' && key <= 'z')
        return static_cast<char>(shift ? key - 'a' + 'A' : key);
    bool shifted = shift && allowPunctuation;
    if (key >= '0' && key <= '9')
        return shifted ? SHIFTED_DIGITS[key - '0'] : static_cast<char>(key);
    for (const PrintableKey& k : PRINTABLE_KEYS) {
        if (k.key != key)
            continue;
        if (k.needsPunctuation && !allowPunctuation)
            return 0;
        return shifted ? k.shifted : k.plain;
    }
    return 0;
}

void CGuiTextbox::Append(char c)
{
    int n = GetLength();
    if (n < maxLength) {
        text[n] = c;
        text[n + 1] = '\0';
    }
}

void CGuiTextbox::RemoveLast()
{
    int n = GetLength();
    // A line break is the two characters "%n" and goes as one.
    if (n >= 2 && text[n - 2] == LINE_BREAK[0] && text[n - 1] == LINE_BREAK[1])
        text[n - 2] = '\0';
    else if (n > 0)
        text[n - 1] = '\0';
}

void CGuiTextbox::HandleKey(int key, int, bool shift)
{
    int n = GetLength();
    switch (key) {
    case KEY_BACKSPACE:
    case KEY_DELETE:
        RemoveLast();
        break;
    case '\r':
        if (!allowLineBreaks)
            return;
        if (n < maxLength - 1)
            strcat(text, LINE_BREAK);
        break;
    case ' ':
        if (!allowSpace)
            return;
        Append(' ');
        break;
    default: {
        char c = Translate(key, shift);
        if (!c)
            return;
        // A full box still rebuilds for an accepted key.
        Append(c);
        break;
    }
    }
    Rebuild();
}

void CGuiTextbox::PutChar(char c)
{
    if (c == '\b') {
        HandleKey(KEY_BACKSPACE, 0, false);
    } else if (c == '\n') {
        HandleKey('\r', 0, false);
    } else if (c == ' ') {
        HandleKey(' ', 0, false);
    } else {
        // The key that types c under this box's rules, with or without
        // shift; a character that no key types is refused.
        for (int key = '!'; key <= '~'; ++key)
            for (bool shift : {false, true})
                if (Translate(key, shift) == c) {
                    HandleKey(key, 0, shift);
                    return;
                }
    }
}

void CGuiTextbox::SetText(const char* value)
{
    if (!value)
        value = "";
    // Never more than the box may hold.
    size_t n = strlen(value);
    if (n > static_cast<size_t>(maxLength))
        n = static_cast<size_t>(maxLength);
    memcpy(text, value, n);
    text[n] = '\0';
    Rebuild();
}

void CGuiTextbox::Rebuild()
{
    delete textSprite;
    textSprite = nullptr;
    CDraw::ReleaseImageByName(privateName.c_str());
    MakeTextSprite();
    int endX = 0, endY = 0;
    if (text[0]) {
        std::string shown = masked ? std::string(strlen(text), '*') : std::string(text);
        int image = CDraw::FindImageId(privateName.c_str());
        // Where the rendering drew nothing the cursor stays at the start.
        if (drawTextOnImage(STRING_TEXT, image, 0, textSprite->GetWidth(false) - 2 * cursorDx,
                            textSprite->GetHeight(false) - cursorDy, cursorDx, cursorDy, shown.c_str())) {
            endX = getTextEndX();
            endY = getTextEndY();
        }
    }
    cursorSprite->SetPosition(x + cursorDx + endX, y + cursorDy + endY, false);
}

void CGuiTextbox::BlinkCursor()
{
    --blinkCounter;
    if (blinkCounter > 0)
        cursorSprite->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    else
        cursorSprite->Hide();
    if (blinkCounter < -BLINK_START)
        blinkCounter = BLINK_START;
}

void CGuiTextbox::HideCursor()
{
    cursorSprite->Hide();
}

void CGuiTextbox::Show()
{
    if (!hidden)
        return;
    textSprite->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    hidden = 0;
}

void CGuiTextbox::Hide()
{
    if (hidden)
        return;
    textSprite->Hide();
    cursorSprite->Hide();
    hidden = 1;
}

bool CGuiTextbox::IsMouseOver() const
{
    return !hidden && textSprite->IsMouseOver(0, 0);
}

void CGuiTextbox::CenterMouse()
{
    warpMouse(textSprite->GetX(true) + textSprite->GetWidth(false) / 2,
              textSprite->GetY(true) + textSprite->GetHeight(false) / 2);
    hidePointers(1);
}
