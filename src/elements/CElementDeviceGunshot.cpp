#include "elements/CElementDeviceGunshot.h"

#include <cstdio>

#include "elements/ElementSprites.h"
#include "engine/CSprite.h"
#include "engine/Log.h"

uint8_t CElementDeviceGunshot::sharedImages = 0;

namespace {
enum {
    ANCHOR_X = 4,
    ANCHOR_Y = 4,
    SHOT_LAYER = 53,
    FROST_BURST_LAYER = 93,
    HEAT_BURST_LAYER = 92,
    FLIGHT_PICTURES = 12,
    FROST_BURST_PICTURES = 9,
    HEAT_BURST_PICTURES = 26
};
} // namespace

CElementDeviceGunshot::CElementDeviceGunshot(int cx, int cy, int k, int facing)
    : CElementDevice(cx, cy, 1, DEVICE_GUNSHOT),
      kind(k == KIND_HEAT ? KIND_HEAT : KIND_FROST)
{
    facingLeft = facing ? 1 : 0;
    mobile = 1;
    inGrid = 1;
    state = SHOT_FLYING;
    registerSpawnedElement(this);
    // A shot never takes a cell from something that fills it.
    if (isOnBoard(cx, cy) && !isCellOccupied(cx, cy, true))
        setElementAt(cx, cy, this);

    const char* stem = kind == KIND_HEAT ? (facingLeft ? "fireballleft" : "fireballright")
                                         : (facingLeft ? "frostballleft" : "frostballright");
    ball = elementsprites::newBoardSprite("Gunshot Device", ANCHOR_X, ANCHOR_Y, SHOT_LAYER, 1, sharedImages, 1);
    elementsprites::loopForever(ball, stem, 0, FLIGHT_PICTURES - 1, kind == KIND_HEAT ? ".png" : ".tga");
    if (kind == KIND_HEAT) {
        burst = elementsprites::newBoardSprite("Gunshot Impact", 33, 77, HEAT_BURST_LAYER, 0, sharedImages, 1);
        elementsprites::addSeries(burst, "heatgunimpact", 0, HEAT_BURST_PICTURES - 1, ".png");
        burstPictures = HEAT_BURST_PICTURES;
    } else {
        burst = elementsprites::newBoardSprite("Gunshot Impact", ANCHOR_X, ANCHOR_Y, FROST_BURST_LAYER, 0,
                                               sharedImages, 1);
        elementsprites::addSeries(burst, "frostexplode", 0, FROST_BURST_PICTURES - 1, ".tga");
        burstPictures = FROST_BURST_PICTURES;
    }
    mainSprite = sprite = ball;
    elementsprites::showAt(ball, pixelX, pixelY);
}

CElementDeviceGunshot::~CElementDeviceGunshot()
{
    delete ball;
    delete burst;
}

void CElementDeviceGunshot::LeaveGrid()
{
    if (getElementAt(x, y, true) == this)
        clearElementAt(x, y);
    if (getElementAt(prevX, prevY, true) == this)
        clearElementAt(prevX, prevY);
    inGrid = 0;
    mobile = 0;
    moving = 0;
}

void CElementDeviceGunshot::Hit(CElement* target)
{
    logPrint(LOG_DEBUG, "Gunshot at (%i,%i) hits %s at (%i,%i)\n", x, y, target->GetName(), target->GetX(),
             target->GetY());
    if (kind == KIND_HEAT)
        target->Heat(false, false);
    else
        target->Freeze();
    LeaveGrid();
    state = SHOT_BURSTING;
    record.animStep = 0;
    ball->Hide();
    if (secondSprite)
        FreeSecondSprite();
    mainSprite = sprite = burst;
    burst->SetFrame(0);
    elementsprites::showAt(burst, pixelX, pixelY);
}

void CElementDeviceGunshot::Vanish()
{
    LeaveGrid();
    state = SHOT_GONE;
    exploded = 1;
    ball->Hide();
    burst->Hide();
    if (secondSprite)
        FreeSecondSprite();
}

void CElementDeviceGunshot::Pump()
{
    if (state == SHOT_GONE)
        return;
    if (state == SHOT_BURSTING) {
        if (++record.animStep >= burstPictures * STEPS_PER_PICTURE) {
            Vanish();
            return;
        }
        burst->SetFrame(PictureAt(record.animStep, burstPictures));
        elementsprites::showAt(burst, pixelX, pixelY);
        return;
    }
    if (!moving) {
        // Something that came into the shot's own cell is hit there.
        CElement* here = getElementAt(x, y, false);
        if (!here->IsNull() && here != this) {
            Hit(here);
            return;
        }
        int nx = GetSideColumn(x, y, facingLeft != 0, true);
        int ny = GetLandingRow(x, y, facingLeft != 0, true);
        if (!isOnBoard(nx, ny)) {
            Vanish();
            return;
        }
        CElement* ahead = getElementAt(nx, ny, false);
        if (!ahead->IsNull()) {
            Hit(ahead);
            return;
        }
        MoveTo(facingLeft ? x - 1 : x + 1, y);
    }
    mainSprite = sprite = ball;
    elementsprites::showAt(ball, pixelX, pixelY);
    createTeleportGhost();
    PlaceOverlaySprites();
}

void CElementDeviceGunshot::SaveState(int step)
{
    savedRecords.Save(step, record);
    CElement::SaveState(step);
}

void CElementDeviceGunshot::RestoreState(int step)
{
    savedRecords.Restore(step, record);
    CElement::RestoreState(step);
}

void CElementDeviceGunshot::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElement::AppendOwnState(numbers, links);
    numbers.insert(numbers.end(), {record.animStep});
}
