#include "elements/CElementDeviceButton.h"

#include <cstdio>

#include "elements/ElementSprites.h"
#include "engine/CSprite.h"
#include "engine/Sound.h"

uint8_t CElementDeviceButton::sharedImages = 0;
CElementDeviceButton::Counts CElementDeviceButton::pressedCounts{};
SlotCopies<CElementDeviceButton::Counts> CElementDeviceButton::savedPressedCounts;

namespace {
enum { ANCHOR_X = 4, ANCHOR_Y = 4, BUTTON_LAYER = 23 };
} // namespace

CElementDeviceButton::CElementDeviceButton(int cx, int cy, int c)
    : CElementDevice(cx, cy, 1, DEVICE_BUTTON),
      colour(c >= 0 && c < COLOURS ? c : 0)
{
    state = BUTTON_UP;
    soundPress = new CSound("click_v1-3.ogg", false);
    body = elementsprites::newBoardSprite("Button Device", ANCHOR_X, ANCHOR_Y, BUTTON_LAYER, 0, sharedImages, 1);
    char prefix[32];
    snprintf(prefix, sizeof prefix, "button%s", elementsprites::gateColourName(colour));
    elementsprites::addSeries(body, prefix, 0, 1, ".tga");
    mainSprite = sprite = body;
    elementsprites::showAt(body, x * TILE, y * TILE);
}

CElementDeviceButton::~CElementDeviceButton()
{
    delete body;
    delete soundPress;
}

void CElementDeviceButton::Pump()
{
    bool occupied = isCellOccupied(x, y, false);
    if (occupied && state == BUTTON_UP) {
        state = BUTTON_DOWN;
        ++pressedCounts[colour];
        soundPress->play(false, 0, 0.0f);
    } else if (!occupied && state == BUTTON_DOWN) {
        state = BUTTON_UP;
        if (pressedCounts[colour] > 0)
            --pressedCounts[colour];
    }
    mainSprite = sprite = body;
    body->SetFrame(state == BUTTON_DOWN ? 1 : 0);
    elementsprites::showAt(body, x * TILE, y * TILE);
}

int CElementDeviceButton::GetPressedCount(int c)
{
    return c >= 0 && c < COLOURS ? pressedCounts[c] : 0;
}

void CElementDeviceButton::resetPressedCounts()
{
    pressedCounts.fill(0);
    savedPressedCounts.Fill(pressedCounts);
}

void CElementDeviceButton::savePressedCounts(int step)
{
    savedPressedCounts.Save(step, pressedCounts);
}

void CElementDeviceButton::restorePressedCounts(int step)
{
    savedPressedCounts.Restore(step, pressedCounts);
}
