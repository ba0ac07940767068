// A number shown with rolling digits (the play screen's step counter). Each
// digit is a 20-pixel window onto a vertical strip of digits; moving the
// window rolls one digit into the next. Not a registered widget.
#pragma once

class CSprite;

class CGuiCounter {
public:
    enum { MAX_DIGITS = 10, MAX_VALUE = 99999, DIGIT_HEIGHT = 20, DIGIT_SPACING = 13 };

    // frameImage may be null; digits is 1 to 10.
    CGuiCounter(int x, int y, int digits, const char* frameImage, int frameDx, int frameDy);
    ~CGuiCounter();
    CGuiCounter(const CGuiCounter&) = delete;
    CGuiCounter& operator=(const CGuiCounter&) = delete;

    // The target; the digits move toward it only through Tick.
    void SetValue(int v);
    // The shown position in twentieths of a unit, or the target.
    int GetValue(bool shown) const { return shown ? position : target; }
    // One frame of the rolling animation.
    void Tick();
    void Show();
    void Hide();

    // Digit i counted from the left.
    CSprite* GetDigitSprite(int i) const { return (i >= 0 && i < digitCount) ? digitSprites[i] : nullptr; }
    CSprite* GetFrameSprite() const { return frame; }

private:
    CSprite* digitSprites[MAX_DIGITS];
    CSprite* frame;
    int x, y;
    int digitCount;
    int position;
    int target;
};
