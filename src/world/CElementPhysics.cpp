// The physics passes of the world step: falling, the barrel squish and
// sliding. Each pass only starts moves (MoveTo); Move draws them.
#include "engine/CDraw.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "world/CElement.h"

namespace {

int frameNumber()
{
    return static_cast<int>(CDraw::GetFrameCount());
}

} // namespace

// ---------------------------------------------------------------- falling

bool CElement::CheckAllFalling()
{
    bool started = false;
    // Falls add no elements, so the list does not change during the pass.
    for (CElement* e : allElements) {
        if (e->canFall) {
            if (!e->moving && CheckFalling(e))
                started = true;
        } else {
            e->falling = 0;
            e->justLanded = 0;
        }
    }
    return started;
}

bool CElement::CheckFalling(CElement* e)
{
    int frame = frameNumber();
    if (e->CanFall(false)) {
        logPrint(LOG_ELEMENT_PUMP, "CheckAllFalling in frame %d:  Element found (%s) at (%i,%i)..\n", frame,
                 e->GetName(), e->x, e->y);
        e->falling = 1;
        e->landing = 0;
        e->sliding = 0;
        e->MoveTo(e->x, e->y + 1);
        return true;
    }
    CElement* below = getElementAt(e->x, e->y + 1, false);
    if (below->falling) {
        logPrint(LOG_ELEMENT_PUMP, "CheckAllFalling in frame %d:  Element ignoring fall check (%s)\n", frame,
                 e->GetName());
        return false;
    }
    if (e->falling || e->landFrame == frame) {
        logPrint(LOG_ELEMENT_PUMP, "CheckAllFalling in frame %d:   Element landed (AI=%d,OBJECT=%d)\n", frame,
                 e->typeAI, e->typeObject);
        e->landing = 1;
        e->justLanded = 1;
        e->landFrame = frame;
    } else {
        e->justLanded = 0;
        e->landFrame = -1;
    }
    e->falling = 0;
    return false;
}

// ---------------------------------------------------------------- barrel squish

bool CElement::BarrelSquish(CElement* e)
{
    if (e->moving || !e->CanFall(true))
        return false;
    if (e->IsAI() && !e->frozen && !e->exploded)
        return false;
    CElement* barrel = getElementAt(e->x, e->y + 1, false);
    if (!barrel->IsBarrel())
        return false;
    if (e->ShouldSlide())
        return false;
    bool moved;
    if (!e->wasMovingLeft)
        moved = barrel->PushRight(false, false) || barrel->PushLeft(false, false);
    else
        moved = barrel->PushLeft(false, false) || barrel->PushRight(false, false);
    if (!moved)
        return false;
    logPrint(LOG_ELEMENT_PUMP, "   (%i,%i)  Barrel squish event\n", barrel->x, barrel->y);
    e->wasMovingLeft = 0;
    e->wasMovingRight = 0;
    e->falling = 1;
    e->MoveTo(e->x, e->y + 1);
    return true;
}

void CElement::CheckAllSquishing()
{
    for (int row = GRID_HEIGHT - 1; row >= 0; --row) {
        for (int col = 0; col < GRID_WIDTH; ++col) {
            if (BarrelSquish(getElementAt(col, row, false))) {
                logPrint(LOG_ELEMENT_PUMP, "CheckAllSquishing in frame %d:  Barrel squished at (%i,%i)...\n",
                         frameNumber(), col, row + 1);
                while (CheckAllFalling()) {
                }
            }
        }
    }
}

// ---------------------------------------------------------------- sliding

bool CElement::CheckAllSliding()
{
    bool moved = false;
    for (int row = GRID_HEIGHT - 1; row >= 0; --row) {
        for (int col = 0; col < GRID_WIDTH; ++col) {
            CElement* e = getElementAt(col, row, false);
            if (e->canSlide && !e->moving && CheckSliding(e))
                moved = true;
        }
    }
    return moved;
}

bool CElement::CheckSliding(CElement* e)
{
    if (e->skipSlideCheck) {
        e->skipSlideCheck = 0;
        if (!e->tramp) {
            e->wasMovingLeft = 0;
            e->wasMovingRight = 0;
        }
        return false;
    }
    if (!e->ShouldSlide()) {
        e->sliding = 0;
        return false;
    }
    int frame = frameNumber();
    logPrint(LOG_ELEMENT_PUMP, "CheckAllSliding in frame %d:  Element found (%s) at (%i,%i)..\n", frame,
             e->GetName(), e->x, e->y);
    bool left = e->wasMovingLeft != 0;
    CElement* n = e->GetSideElement(left);
    if (n->IsNull()) {
        e->sliding = 1;
        e->MoveTo(left ? e->x - 1 : e->x + 1, e->y);
        return true;
    }
    if (left ? n->WasMovingLeft() : n->WasMovingRight()) {
        if (left)
            logPrint(LOG_ELEMENT_PUMP, "CheckAllSliding in frame %d:  Element ignoring leftward slide check (%s)\n",
                     frame, e->GetName());
        else
            logPrint(LOG_ELEMENT_PUMP,
                     "CheckAllSliding in frame %d:  Element ignoring rightward slide check (%s)\n", frame,
                     e->GetName());
        return false;
    }
    if (e->soundStop)
        e->soundStop->play(false, 0, 0.0f);
    e->sliding = 0;
    if (left)
        e->wasMovingLeft = 0;
    else
        e->wasMovingRight = 0;
    if (left ? n->WasMovingRight() : n->WasMovingLeft()) {
        n->skipSlideCheck = 1;
        if (e->heated && n->IsAIProfessor())
            n->delayedHeat = 1;
        return false;
    }
    if (n == e)
        return false;
    return left ? n->BumpedLeft() : n->BumpedRight();
}
