#include "elements/CElementDeviceTube.h"

#include "elements/ElementSprites.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Sound.h"

uint8_t CElementDeviceTube::sharedImages = 0;
int32_t CElementDeviceTube::exitX = 0;
int32_t CElementDeviceTube::exitY = 0;
uint8_t CElementDeviceTube::tubesExist = 0;
CElementDeviceTube* CElementDeviceTube::exitTube = nullptr;

namespace {
enum { ANCHOR_X = 16, ANCHOR_Y = 39, TUBE_LAYER = 40, LIGHTS_LAYER = 41, ARROW_LAYER = 42, ARROW_FADES = 7 };
} // namespace

CElementDeviceTube::CElementDeviceTube(int cx, int cy, int v)
    : CElementDevice(cx, cy, 1, DEVICE_TUBE),
      variant(v == VARIANT_EXIT ? VARIANT_EXIT : VARIANT_ENTRANCE)
{
    state = TUBE_WHOLE;
    tubesExist = 1;
    body = elementsprites::newBoardSprite("Tube Device", ANCHOR_X, ANCHOR_Y, TUBE_LAYER, 0, sharedImages, 1);
    if (variant == VARIANT_EXIT) {
        exitTube = this;
        exitX = cx;
        exitY = cy;
        soundBreak = new CSound("element_bursting.ogg", false);
        body->AddFrame("tubeexit0.png");
        elementsprites::addSeries(body, "transporttubeB_break", 0, BREAK_PICTURES - 1, ".png");
        lights = elementsprites::newBoardSprite("Tube Device (lights)", ANCHOR_X, ANCHOR_Y, LIGHTS_LAYER, 0,
                                                sharedImages, 1);
        lights->AddFrame("tubeexitlights0.png");
        // The arrow fades out and back in, over and over.
        arrow = elementsprites::newBoardSprite("Tube Device (arrow)", ANCHOR_X, ANCHOR_Y, ARROW_LAYER, 3, sharedImages,
                                               1);
        arrow->AddFrame("tubearrow0.png");
        elementsprites::addSeries(arrow, "tubearrowfade", 0, ARROW_FADES - 1, ".png");
        elementsprites::addSeries(arrow, "tubearrowfade", ARROW_FADES - 2, 0, ".png");
        elementsprites::loopForever(arrow);
    } else {
        body->AddFrame("tubeentrance0.png");
    }
    mainSprite = sprite = body;
    ShowPictures();
}

CElementDeviceTube::~CElementDeviceTube()
{
    if (exitTube == this)
        exitTube = nullptr;
    delete body;
    delete lights;
    delete arrow;
    delete soundBreak;
}

bool CElementDeviceTube::IsExitAt(int cx, int cy)
{
    // A board without an exit tube has no exit cell at all.
    return isOnBoard(cx, cy) && exitTube && exitTube->state == TUBE_WHOLE && cx == exitX && cy == exitY;
}

void CElementDeviceTube::Pump()
{
    // Only the level's exit can be broken; a second exit tube of a broken
    // level is scenery.
    if (exitTube == this) {
        if (state == TUBE_WHOLE) {
            CElement* intruder = getElementAt(x, y, false);
            if (!intruder->IsNull() && !intruder->IsAIProfessor()) {
                logPrint(LOG_DEBUG, "Exit tube at (%i,%i) destroyed by %s\n", x, y, intruder->GetName());
                state = TUBE_BREAKING;
                record.animStep = 0;
                exitTubeDestroyed = 1;
                soundBreak->play(false, 0, 0.0f);
            }
        } else if (state == TUBE_BREAKING && ++record.animStep >= BREAK_PICTURES * STEPS_PER_PICTURE) {
            state = TUBE_BROKEN;
            levelEnded = 1;
        }
    }
    ShowPictures();
}

void CElementDeviceTube::ShowPictures()
{
    int px = x * TILE, py = y * TILE;
    body->SetFrame(state == TUBE_WHOLE ? 0 : 1 + PictureAt(record.animStep, BREAK_PICTURES));
    elementsprites::showAt(body, px, py);
    if (state == TUBE_WHOLE) {
        elementsprites::showAt(lights, px, py);
        elementsprites::showAt(arrow, px, py);
    } else {
        elementsprites::hide(lights);
        elementsprites::hide(arrow);
    }
}

void CElementDeviceTube::ClearState()
{
    exitX = exitY = 0;
    tubesExist = 0;
    exitTube = nullptr;
}

void CElementDeviceTube::SaveState(int step)
{
    savedRecords.Save(step, record);
    CElement::SaveState(step);
}

void CElementDeviceTube::RestoreState(int step)
{
    savedRecords.Restore(step, record);
    CElement::RestoreState(step);
    ShowPictures();
}

void CElementDeviceTube::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElement::AppendOwnState(numbers, links);
    numbers.insert(numbers.end(), {record.animStep});
}
