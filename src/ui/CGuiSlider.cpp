#include "ui/CGuiSlider.h"

#include "engine/CSprite.h"
#include "ui/CGuiButton.h"

namespace {
int clampValue(int v)
{
    return v < 0 ? 0 : (v > CGuiSlider::MAX_VALUE ? static_cast<int>(CGuiSlider::MAX_VALUE) : v);
}
} // namespace

CGuiSlider::CGuiSlider(int xPos, int yPos) : x(xPos), y(yPos), disabled(0), value(MAX_VALUE)
{
    shadow = makeWidgetSprite("slider_shadow.png", 1420, "GUI Slider Shadow", x, y, true);
    frame = makeWidgetSprite("slider_frame.png", 1422, "GUI Slider Frame", x, y, true);
    bar = makeWidgetSprite("slider_value.png", 1421, "GUI Slider Base", x, y, true);
    greyOut = makeWidgetSprite("slider_greyout.png", 1423, "GUI Slider Gray", x - 18, y, false);
}

CGuiSlider::~CGuiSlider()
{
    delete shadow;
    delete frame;
    delete bar;
    delete greyOut;
}

int CGuiSlider::BarWidth(int v, int fullWidth)
{
    if (v == 0)
        return 0;
    if (v == MAX_VALUE)
        return fullWidth;
    return 102 - (10 - v) * 10;
}

void CGuiSlider::Refresh()
{
    bar->SetWidth(BarWidth(value, bar->GetWidth(true)));
}

void CGuiSlider::SetValue(int v)
{
    value = v;
    Refresh();
}

void CGuiSlider::Increment()
{
    if (disabled)
        return;
    value = clampValue(value + 1);
    Refresh();
}

void CGuiSlider::Decrement()
{
    if (disabled)
        return;
    value = clampValue(value - 1);
    Refresh();
}

void CGuiSlider::SetDisabled(bool on)
{
    disabled = on ? 1 : 0;
    if (on)
        greyOut->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    else
        greyOut->Hide();
}
