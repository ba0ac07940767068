// A text entry field: one line, or several when line breaks are allowed.
// It is not a registered widget: its owner feeds it keys, asks whether the
// pointer is over it and blinks its cursor. It keeps its own text,
// translates SDL key symbols into characters with a fixed US keyboard
// mapping, renders the text (or one '*' per character when masked) into a
// private copy of its box image named "x%i_y%i_%s", and places a cursor
// sprite right after the text.
#pragma once

#include <cstdint>
#include <string>

class CSprite;

class CGuiTextbox {
public:
    enum {
        TEXT_CAPACITY = 1003, // bytes of the text, terminator included
        MAX_LENGTH_LIMIT = TEXT_CAPACITY - 1,
        LAYER_TEXT = 1422,
        LAYER_CURSOR = 1423,
        STRING_TEXT = 500, // "%1" in the box's font
        KEY_BACKSPACE = 8,
        KEY_DELETE = 127,
        BLINK_START = 8
    };

    // Image names are names of preloaded images and must outlive the box.
    CGuiTextbox(int maxLength, int x, int y, int cursorDx, int cursorDy, const char* boxImage,
                const char* cursorImage, bool allowSpace, bool allowPunctuation, bool allowLineBreaks);
    ~CGuiTextbox();
    CGuiTextbox(const CGuiTextbox&) = delete;
    CGuiTextbox& operator=(const CGuiTextbox&) = delete;

    // Types one key (an SDL 1.2 key symbol); mode has no effect.
    void HandleKey(int key, int mode, bool shift);
    // Copies the text (at most the maximum length of it) and rebuilds.
    void SetText(const char* value);
    const char* GetText() const { return text; }
    int GetLength() const;
    int GetMaxLength() const { return maxLength; }
    // Appends c (8 deletes, 10 adds a line break) under the rules of
    // HandleKey, and rebuilds.
    void PutChar(char c);
    // Takes effect at the next rebuild.
    void SetMasked(bool on) { masked = on ? 1 : 0; }
    bool IsMasked() const { return masked != 0; }
    // Renders the text into the box and places the cursor after it.
    void Rebuild();

    // One frame of blinking: 7 frames shown, 10 hidden.
    void BlinkCursor();
    void HideCursor();
    void Show();
    void Hide();
    bool IsHidden() const { return hidden != 0; }
    bool IsMouseOver() const;
    void CenterMouse();

    CSprite* GetTextSprite() const { return textSprite; }
    CSprite* GetCursorSprite() const { return cursorSprite; }
    const char* GetPrivateImageName() const { return privateName.c_str(); }
    int GetX() const { return x; }
    int GetY() const { return y; }

private:
    // The character a key types (0: the key types nothing).
    char Translate(int key, bool shift) const;
    void Append(char c);
    void RemoveLast();
    void MakeTextSprite();

    CSprite* textSprite;
    CSprite* cursorSprite;
    const char* boxImage;
    const char* cursorImage;
    std::string privateName;
    int x, y;
    int cursorDx, cursorDy;
    int maxLength;
    uint8_t hidden;
    uint8_t allowSpace;
    uint8_t allowPunctuation;
    uint8_t allowLineBreaks;
    uint8_t masked;
    char text[TEXT_CAPACITY];
    int blinkCounter;
};
