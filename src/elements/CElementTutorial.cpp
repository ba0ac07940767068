#include "elements/CElementTutorial.h"

#include <cstring>

#include "elements/ElementSprites.h"
#include "engine/CSprite.h"
#include "engine/Log.h"

uint8_t CElementTutorial::sharedImages = 0;
CElementTutorial* CElementTutorial::tutorialGrid[CElement::GRID_CELLS];
uint8_t CElementTutorial::markersExist = 0;

namespace {
enum { ANCHOR_X = 4, ANCHOR_Y = 12, MARKER_LAYER = 56, STEPS_PER_PICTURE = 2 };
} // namespace

CElementTutorial::CElementTutorial(int cx, int cy, const char* t)
    : CElement(cx, cy, 1),
      text(t ? t : "")
{
    type = TYPE_TUTORIAL;
    state = TUTORIAL_UNREAD;
    if (isOnBoard(cx, cy))
        tutorialGrid[cx * GRID_HEIGHT + cy] = this;
    markersExist = 1;
    // Three looks of the same spin: unread, active, read (faint).
    body = elementsprites::newBoardSprite("Tutorial", ANCHOR_X, ANCHOR_Y, MARKER_LAYER, 0, sharedImages, 1);
    elementsprites::addSeries(body, "qmarkrotate", 0, SPIN_PICTURES - 1, ".tga");
    elementsprites::addSeries(body, "qmarkrotate_fading1", 0, SPIN_PICTURES - 1, ".tga");
    elementsprites::addSeries(body, "qmarkrotate_fading3", 0, SPIN_PICTURES - 1, ".tga");
    mainSprite = sprite = body;
    elementsprites::showAt(body, x * TILE, y * TILE);
}

CElementTutorial::~CElementTutorial()
{
    if (isOnBoard(x, y) && tutorialGrid[x * GRID_HEIGHT + y] == this)
        tutorialGrid[x * GRID_HEIGHT + y] = nullptr;
    delete body;
}

void CElementTutorial::Pump()
{
    ++spin;
    int look = state >= TUTORIAL_UNREAD && state <= TUTORIAL_READ ? state : TUTORIAL_UNREAD;
    body->SetFrame(look * SPIN_PICTURES + (spin / STEPS_PER_PICTURE) % SPIN_PICTURES);
    elementsprites::showAt(body, x * TILE, y * TILE);
}

CElementTutorial* CElementTutorial::GetAt(int cx, int cy)
{
    return isOnBoard(cx, cy) ? tutorialGrid[cx * GRID_HEIGHT + cy] : nullptr;
}

CElementTutorial* CElementTutorial::GetActive()
{
    for (CElementTutorial* m : tutorialGrid)
        if (m && m->state == TUTORIAL_ACTIVE)
            return m;
    return nullptr;
}

void CElementTutorial::HandleTutorial(int cx, int cy)
{
    CElementTutorial* marker = GetAt(cx, cy);
    if (!marker || marker->state == TUTORIAL_ACTIVE)
        return;
    // Every other marker that is active is put out (after an undo more
    // than one may think it is).
    for (CElementTutorial* m : tutorialGrid)
        if (m && m->state == TUTORIAL_ACTIVE)
            m->state = TUTORIAL_READ;
    logPrint(LOG_DEBUG, "CElementTutorial::HandleTutorial()   Activating tutorial at (%i,%i)\n", cx, cy);
    marker->state = TUTORIAL_ACTIVE;
}

void CElementTutorial::ClearGrid()
{
    std::memset(tutorialGrid, 0, sizeof tutorialGrid);
    markersExist = 0;
}
