// The world step: one synchronous advance of the whole board per frame, in a
// fixed pass order that recorded solutions rely on.
#include "engine/CDraw.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "world/CElement.h"
#include "world/CElementBoard.h"

namespace {

const int SOUND_FADE_STEPS = 15;

void repeatFalling()
{
    while (CElement::CheckAllFalling()) {
    }
}

// Sliding scans repeat until one moves nothing. A bump passes motion on
// without moving anything itself, so elements bumping each other round a
// closed teleport loop could go on for ever: the repeats are bounded by
// what the board can hold.
void repeatSliding()
{
    size_t limit = 2 * CElement::allElements.size() + 2;
    for (size_t scan = 0; scan < limit && CElement::CheckAllSliding(); ++scan) {
    }
}

void pumpAll()
{
    if (CElement::theProfessor)
        CElement::theProfessor->Pump();
    // A Pump may append elements (a gunshot, an inflated object): they are
    // pumped in the same frame.
    for (size_t i = 0; i < CElement::allElements.size(); ++i) {
        CElement* e = CElement::allElements[i];
        if (e->typeAI != CElement::AI_PROFESSOR)
            e->Pump();
    }
}

bool standsOnSomething(const CElement* e)
{
    return e->IsSupportedBelow(false);
}

bool standsOnSomethingOrLadder(const CElement* e)
{
    return e->IsSupportedBelow(false) || e->IsLadderBelow(false);
}

void startLooping(CSound* s)
{
    if (!s)
        return;
    if (!s->isPlaying() || s->getVolume() <= 0.0f) {
        s->stop();
        s->fadeIn(SOUND_FADE_STEPS);
        s->play(true, 0, 0.0f);
    }
}

void fadeOut(CSound* s)
{
    if (s && s->isPlaying() && !s->isFadingOut() && s->getVolume() > 0.0f)
        s->fadeOut(SOUND_FADE_STEPS);
}

// One side of the catch test: the bot b next to the professor p.
bool botCatches(CElement* b, CElement* p, bool botOnLeft)
{
    if (!b->IsBot() || b->IsSomethingAbove(false) || b->frozen || b->exploded || b->IsMoving())
        return false;
    if (!standsOnSomethingOrLadder(b))
        return false;
    // A bot on the left bouncing away to the right, or a professor bouncing
    // away from it, is not caught.
    if (botOnLeft ? b->IsOnTrampolineMovingRight() : b->IsOnTrampolineMovingLeft())
        return false;
    if (botOnLeft ? p->IsOnTrampolineMovingLeft() : p->IsOnTrampolineMovingRight())
        return false;
    return !b->IsMagnetHeld();
}

} // namespace

void CElement::MoveAll()
{
    for (CElement* e : allElements)
        e->Move();
}

bool CElement::CheckCatching()
{
    CElement* p = theProfessor;
    if (!p)
        return false;
    CElement* l = getElementAt(GetSideColumn(p->x, p->y, true, true), GetLandingRow(p->x, p->y, true, true), false);
    CElement* r =
        getElementAt(GetSideColumn(p->x, p->y, false, true), GetLandingRow(p->x, p->y, false, true), false);
    if (exited || p->IsMoving() || p->frozen || p->heated || p->falling)
        return false;
    if (!standsOnSomething(p) || p->IsSomethingAbove(false))
        return false;
    if (botCatches(l, p, true)) {
        caught = 1;
        l->catchRight = 1;
        l->canSlide = 0;
        p->catchRight = 1;
    } else if (botCatches(r, p, false)) {
        caught = 1;
        r->catchLeft = 1;
        r->canSlide = 0;
        p->catchLeft = 1;
    } else {
        return false;
    }
    p->canFall = 0;
    p->canSlide = 0;
    return true;
}

void CElement::ResetWasMovingFlags()
{
    int frame = static_cast<int>(CDraw::GetFrameCount());
    for (CElement* e : allElements) {
        if (!e->moving && !e->tramp) {
            e->wasMovingLeft = 0;
            e->wasMovingRight = 0;
        }
        if (!e->IsMovingDown())
            e->falling = 0;
        if (e->landFrame != frame)
            e->justLanded = 0;
    }
}

void CElement::UpdateAllSounds()
{
    for (CElement* e : allElements) {
        if (e->IsGunshot())
            continue;
        if (e->justLanded && (standsOnSomething(e) || (e->moving && e->startedSupported)) && e->soundLand &&
            !e->soundLand->isPlaying())
            e->soundLand->play(false, 0, 0.0f);
        if (e->IsMovingLeft() || e->IsMovingRight()) {
            if (e->IsBarrel()) {
                startLooping(e->soundBarrelRoll);
                fadeOut(e->soundSlideIce);
                fadeOut(e->soundSlide);
            } else if (e->IsOnSlipperyGround() || e->frozen) {
                startLooping(e->soundSlideIce);
                fadeOut(e->soundBarrelRoll);
                fadeOut(e->soundSlide);
            } else if (e->IsAIProfessor() || (e->IsBot() && !e->exploded)) {
                fadeOut(e->soundBarrelRoll);
                fadeOut(e->soundSlideIce);
                fadeOut(e->soundSlide);
            } else {
                startLooping(e->soundSlide);
                fadeOut(e->soundBarrelRoll);
                fadeOut(e->soundSlideIce);
            }
        } else {
            fadeOut(e->soundBarrelRoll);
            fadeOut(e->soundSlideIce);
            fadeOut(e->soundSlide);
        }
    }
}

void CElement::UpdateAllElements()
{
    // The level's first step records the board as loaded instead of moving.
    if (firstFrame)
        UndoSave();
    else
        MoveAll();
    ProcessHeatTransfer();
    CheckCatching();
    board::updateAllMagnets();
    repeatFalling();
    CheckAllSquishing();
    repeatFalling();
    repeatSliding();
    repeatFalling();
    pumpAll();
    ResetWasMovingFlags();
    UpdateAllSounds();
    firstFrame = 0;
}
