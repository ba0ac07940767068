#include "ui/CGuiCounter.h"

#include "engine/CSprite.h"
#include "ui/CGuiButton.h"

CGuiCounter::CGuiCounter(int xPos, int yPos, int digits, const char* frameImage, int frameDx, int frameDy)
    : digitSprites(), frame(nullptr), x(xPos), y(yPos), digitCount(digits), position(0), target(0)
{
    if (digitCount > MAX_DIGITS)
        digitCount = MAX_DIGITS;
    if (digitCount < 1)
        digitCount = 1;
    if (frameImage)
        frame = makeWidgetSprite(frameImage, 1450, "GUI Counter Frame", x + frameDx, y + frameDy, true);
    for (int i = 0; i < digitCount; ++i) {
        CSprite* s = makeWidgetSprite("counterdigitsA_faded.png", 1423, "GUI Counter Digit", x + DIGIT_SPACING * i,
                                      y, true);
        s->SetHeight(DIGIT_HEIGHT);
        s->SetClipY(0);
        digitSprites[i] = s;
    }
    // The units digit shows the 0 at the end of the strip, from where it can
    // roll back down to 9.
    digitSprites[digitCount - 1]->SetClipY(200);
}

CGuiCounter::~CGuiCounter()
{
    for (int i = 0; i < digitCount; ++i)
        delete digitSprites[i];
    delete frame;
}

void CGuiCounter::SetValue(int v)
{
    target = v > MAX_VALUE ? static_cast<int>(MAX_VALUE) : v;
}

void CGuiCounter::Tick()
{
    int goal = target * 20;
    if (position == goal)
        return;
    int step = (goal - position) / 20;
    if (step == 0)
        step = goal > position ? 1 : -1;
    position += step;

    int power = 1;
    int previous = 0; // p mod 200 of the position below
    for (int i = 0; i < digitCount; ++i) {
        CSprite* s = digitSprites[digitCount - 1 - i];
        int q = position / power;
        int p;
        // The units digit always moves with the fraction; a higher digit
        // moves only while the one below rolls over from 9 to 0.
        if (i == 0 || previous > 180)
            p = (q / 20) * 20 + position % 20;
        else
            p = (q / 20) * 20;
        int clip = ((p - 20) % 200) + 20;
        if (i == 0 && position < 20)
            clip = ((p - 20) % 200) + 220;
        s->SetClipY(clip);
        s->ForceRedraw();
        previous = p % 200;
        if (i + 1 < digitCount)
            power *= 10;
    }
}

void CGuiCounter::Show()
{
    if (frame)
        frame->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    for (int i = 0; i < digitCount; ++i)
        digitSprites[i]->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
}

void CGuiCounter::Hide()
{
    if (frame)
        frame->Hide();
    for (int i = 0; i < digitCount; ++i)
        digitSprites[i]->Hide();
}
