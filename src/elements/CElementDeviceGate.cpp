#include "elements/CElementDeviceGate.h"

#include <cstdio>

#include "elements/CElementDeviceButton.h"
#include "elements/ElementSprites.h"
#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/Sound.h"

uint8_t CElementDeviceGate::sharedImages = 0;
int32_t CElementDeviceGate::lastSoundFrames[CElementDeviceGate::COLOURS] = {-1, -1, -1};

namespace {
enum { ANCHOR_X = 6, ANCHOR_Y = 28, BACK_LAYER = 20, FRONT_LAYER = 22, SHAKE_PICTURES = 4 };
} // namespace

CElementDeviceGate::CElementDeviceGate(int cx, int cy, int c)
    : CElementDevice(cx, cy, 1, DEVICE_GATE),
      colour(c >= 0 && c < COLOURS ? c : 0)
{
    state = GATE_CLOSED;
    inGrid = 1;
    metallic = 1;
    setElementAt(cx, cy, this);
    soundMove = new CSound("object_slide.ogg", false);

    // Back: the rising frames 0..7, then the shaking under a magnet's pull.
    back = elementsprites::newBoardSprite("Gate Device", ANCHOR_X, ANCHOR_Y, BACK_LAYER, 0, sharedImages, 1);
    elementsprites::addSeries(back, "gatebackclose", 0, MOVE_PICTURES - 1, ".tga");
    elementsprites::addSeries(back, "gatebackmagnet", 0, SHAKE_PICTURES - 1, ".tga");
    // Front: the closed portcullis, then its shaking; blue pictures carry no
    // colour word.
    const char* word = colour == 0 ? "" : elementsprites::gateColourName(colour);
    front = elementsprites::newBoardSprite("Gate Device (front)", ANCHOR_X, ANCHOR_Y, FRONT_LAYER, 0, sharedImages, 1);
    char name[64];
    snprintf(name, sizeof name, "gatefrontclose%s0.tga", word);
    front->AddFrame(name);
    snprintf(name, sizeof name, "gatefrontmagnet%s", word);
    elementsprites::addSeries(front, name, 0, SHAKE_PICTURES - 1, ".tga");
    mainSprite = sprite = back;
    ShowPictures();
}

CElementDeviceGate::~CElementDeviceGate()
{
    delete back;
    delete front;
    delete soundMove;
}

void CElementDeviceGate::PlaySound()
{
    int32_t frame = static_cast<int32_t>(CDraw::GetFrameCount());
    if (lastSoundFrames[colour] == frame)
        return;
    lastSoundFrames[colour] = frame;
    soundMove->play(false, 0, 0.0f);
}

void CElementDeviceGate::Open()
{
    state = GATE_OPENING;
    record.animStep = 0;
    inGrid = 0;
    if (getElementAt(x, y, true) == this)
        clearElementAt(x, y);
    // An open gate holds no magnet.
    ResetMagnetLinks(true, true);
    for (CElement* e : allElements) {
        if (e->GetLeftMagnet() == this)
            e->ClearLeftMagnet();
        if (e->GetRightMagnet() == this)
            e->ClearRightMagnet();
    }
    PlaySound();
}

void CElementDeviceGate::Close()
{
    state = GATE_CLOSING;
    record.animStep = 0;
    inGrid = 1;
    setElementAt(x, y, this);
    PlaySound();
}

void CElementDeviceGate::Pump()
{
    bool pressed = CElementDeviceButton::GetPressedCount(colour) > 0;
    switch (state) {
    case GATE_CLOSED:
        if (pressed)
            Open();
        break;
    case GATE_OPENING:
        if (++record.animStep >= MOVE_PICTURES * STEPS_PER_PICTURE)
            state = GATE_OPEN;
        break;
    case GATE_CLOSING:
        if (++record.animStep >= MOVE_PICTURES * STEPS_PER_PICTURE)
            state = GATE_CLOSED;
        break;
    default: // GATE_OPEN: waits for an empty gateway before it drops
        if (!pressed && !IsGatewayBusy())
            Close();
        break;
    }
    if (state == GATE_CLOSED && IsMagnetHeld())
        ++record.shakeStep;
    else
        record.shakeStep = 0;
    ShowPictures();
}

bool CElementDeviceGate::IsGatewayBusy() const
{
    if (isCellOccupied(x, y, false))
        return true;
    // Something moving into or out of the gateway holds only one of its two
    // cells in the grid.
    for (CElement* e : allElements) {
        if (e == this || !e->inGrid || e->IsGunshot() || e->exploded)
            continue;
        if ((e->x == x && e->y == y) || (e->prevX == x && e->prevY == y))
            return true;
    }
    return false;
}

void CElementDeviceGate::ShowPictures()
{
    int open = 0;
    switch (state) {
    case GATE_OPENING:
        open = PictureAt(record.animStep, MOVE_PICTURES);
        break;
    case GATE_OPEN:
        open = MOVE_PICTURES - 1;
        break;
    case GATE_CLOSING:
        open = MOVE_PICTURES - 1 - PictureAt(record.animStep, MOVE_PICTURES);
        break;
    default:
        break;
    }
    bool shaking = state == GATE_CLOSED && IsMagnetHeld();
    int shake = (record.shakeStep / STEPS_PER_PICTURE) % SHAKE_PICTURES;
    back->SetFrame(shaking ? MOVE_PICTURES + shake : open);
    elementsprites::showAt(back, x * TILE, y * TILE);
    if (state == GATE_CLOSED || (state == GATE_CLOSING && open == 0)) {
        front->SetFrame(shaking ? 1 + shake : 0);
        elementsprites::showAt(front, x * TILE, y * TILE);
    } else {
        front->Hide();
    }
}

void CElementDeviceGate::resetSoundFrames()
{
    for (int32_t& f : lastSoundFrames)
        f = -1;
}

void CElementDeviceGate::SaveState(int step)
{
    savedRecords.Save(step, record);
    CElement::SaveState(step);
}

void CElementDeviceGate::RestoreState(int step)
{
    savedRecords.Restore(step, record);
    CElement::RestoreState(step);
    ShowPictures();
}

void CElementDeviceGate::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElement::AppendOwnState(numbers, links);
    numbers.insert(numbers.end(), {record.animStep, record.shakeStep});
}
