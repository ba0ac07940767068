// A level from 0 to 11 shown as a bar in a frame; the options screen moves it
// with its own minus and plus buttons. Not a registered widget.
#pragma once

#include <cstdint>

class CSprite;

class CGuiSlider {
public:
    enum { MAX_VALUE = 11 };

    CGuiSlider(int x, int y);
    ~CGuiSlider();
    CGuiSlider(const CGuiSlider&) = delete;
    CGuiSlider& operator=(const CGuiSlider&) = delete;

    // Stores any value (no clamping) and sizes the bar.
    void SetValue(int v);
    int GetValue() const { return value; }
    // One step up or down within 0..11; nothing while disabled.
    void Increment();
    void Decrement();
    void SetDisabled(bool on);
    bool IsDisabled() const { return disabled != 0; }
    void Refresh();

    // Bar width in pixels for a value, given the full width of the bar image.
    static int BarWidth(int v, int fullWidth);

    CSprite* GetValueSprite() const { return bar; }
    CSprite* GetGreyOutSprite() const { return greyOut; }

private:
    CSprite* shadow;
    CSprite* frame;
    CSprite* bar;
    CSprite* greyOut;
    int x, y;
    uint8_t disabled;
    int value;
};
