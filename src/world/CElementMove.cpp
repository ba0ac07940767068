// Element movement: neighbour cells through teleports, starting a move into
// a cell (MoveTo), the per-frame pixel step (Move), the fall and slide tests,
// pushes and bumps, friction, and the two sprites of a teleported move.
#include "engine/Log.h"
#include "profile/CProfile.h"
#include "world/CElement.h"
#include "world/CElementBoard.h"

namespace {

// Friction under an element for slides and pushes: the ground's friction plus
// the element's own modifier; on a trampoline or platform cell the modifier
// alone. hasValue is false when the cell below is empty (and no trampoline or
// platform is there).
int groundFriction(CElement* e, bool& hasValue)
{
    int bx = e->x;
    int by = e->y + 1;
    hasValue = true;
    if (board::isTrampolineAt(bx, by) || board::isPlatformAt(bx, by))
        return e->GetFrictionModifier();
    CElement* below = getElementAt(bx, by, false);
    if (below->IsNull()) {
        hasValue = false;
        return 0;
    }
    return below->GetFriction() + e->GetFrictionModifier();
}

bool solidBelow(int x, int y)
{
    return isCellOccupied(x, y + 1, false) || board::isTrampolineAt(x, y + 1) || board::isPlatformAt(x, y + 1);
}

bool movesSideways(CElement* e)
{
    return e->IsMovingLeft() || e->IsMovingRight();
}

} // namespace

// ---------------------------------------------------------------- neighbour cells

int CElement::GetSideColumn(int cx, int cy, bool left, bool throughTeleports)
{
    int plain = left ? cx - 1 : cx + 1;
    if (!throughTeleports)
        return plain;
    int ex = 0;
    int ey = 0;
    if (board::teleportDestination(cx, cy + 1, left, ex, ey) || board::teleportDestination(cx, cy, left, ex, ey))
        return left ? ex : ex + 1;
    return plain;
}

int CElement::GetLandingRow(int cx, int cy, bool rightHalf, bool throughTeleports)
{
    if (!throughTeleports)
        return cy;
    int ex = 0;
    int ey = 0;
    if (board::teleportDestination(cx, cy, rightHalf, ex, ey))
        return ey;
    if (board::teleportDestination(cx, cy + 1, rightHalf, ex, ey))
        return ey - 1;
    return cy;
}

CElement* CElement::GetSideElement(bool left) const
{
    return getElementAt(GetSideColumn(x, y, left, true), GetLandingRow(x, y, left, true), false);
}

// ---------------------------------------------------------------- starting a move

void CElement::MoveTo(int newX, int newY)
{
    if (IsAIProfessor() && !falling && !sliding && profile)
        profile->IncrementSteps();
    moving = 1;
    startedSupported = solidBelow(x, y);
    prevX = x;
    prevY = y;
    x = newX;
    y = newY;
    if (!IsGunshot()) {
        CElement* below = getElementAt(prevX, prevY + 1, false);
        if (below->IsBridge())
            below->Collapse();
    }
    bool left = x < prevX;
    bool right = x > prevX;
    if ((left || right) && board::triggerTeleportAt(prevX, prevY, left, true, false)) {
        carried = 1;
        moveCount = 0;
        entryX = newX;
        entryY = newY;
        carryX = pixelX;
        carryY = pixelY;
        x = GetSideColumn(prevX, prevY, left, true);
        y = GetLandingRow(prevX, prevY, left, true);
        prevX = left ? x + 1 : x - 1;
        prevY = y;
        pixelX = prevX * TILE;
        pixelY = prevY * TILE;
        lastPixelX = pixelX + (left ? 3 : -3);
        lastPixelY = pixelY;
    }
    bool down = y > prevY;
    bool up = y < prevY;
    if (!(falling && !pushed)) {
        if (pushing && ((wasMovingLeft && right) || (wasMovingRight && left)))
            pushing = 0;
        wasMovingLeft = left;
        wasMovingRight = right;
    }
    wasMovingUp = up;
    wasMovingDown = down;
    if (inGrid && isOnBoard(x, y) && !isCellOccupied(x, y, false))
        setElementAt(x, y, this);
    if (board::isTrampolineAt(x, y)) {
        tramp = 1;
    } else if (tramp) {
        tramp = 0;
        if (!frozen)
            leftTrampoline = 1;
    }
    if (!carried) {
        if (isOnBoard(prevX, prevY) && getElementAt(prevX, prevY, true) == this)
            clearElementAt(prevX, prevY);
    } else {
        int oldX = prevX + entryX - x;
        int oldY = entryY;
        if (isOnBoard(oldX, oldY) && getElementAt(oldX, oldY, true) == this && !(oldX == x && oldY == y))
            clearElementAt(oldX, oldY);
    }
}

// ---------------------------------------------------------------- the pixel step

void CElement::Move()
{
    int step = (IsGunshot() && !board::isTrampolineAt(x, y)) ? 6 : 3;
    lastPixelX = pixelX;
    lastPixelY = pixelY;
    if (!moving)
        return;
    if (IsMovingLeft()) {
        pixelX -= step;
        if (carried)
            carryX -= step;
    } else if (IsMovingRight()) {
        pixelX += step;
        if (carried)
            carryX += step;
    } else if (IsMovingUp()) {
        pixelY -= step;
        if (carried)
            carryY -= step;
    } else if (IsMovingDown()) {
        pixelY += step;
        if (carried)
            carryY += step;
    }
    if (pixelX == x * TILE && pixelY == y * TILE) {
        prevX = x;
        prevY = y;
        moving = 0;
        pushed = 0;
        carried = 0;
    }
}

// ---------------------------------------------------------------- fall and slide tests

bool CElement::CanFall(bool supportOnly)
{
    if (board::isTrampolineAt(x, y + 1) || board::isPlatformAt(x, y + 1))
        return false;
    if (!supportOnly && isCellOccupied(x, y + 1, false))
        return false;
    if (y >= FALL_LIMIT_ROW)
        return false;
    if (IsAI() && !frozen && board::isLadderAt(x, y))
        return false;
    if (!canFall)
        return false;
    return CanFallWith(lmagnet, true) && CanFallWith(rmagnet, false);
}

bool CElement::CanFallWith(CElement* linked, bool leftSide)
{
    // Follows the magnet chain on one side. A chain is never longer than the
    // element list, so a loop of links that does not come back here still
    // ends after every element was visited once.
    CElement* current = linked;
    for (size_t visited = 0; visited <= allElements.size(); ++visited) {
        if (current == nullptr || current->IsNull() || current->IsMoving())
            return true;
        if (current->IsGate())
            return false;
        int sideX = GetSideColumn(current->x, current->y, leftSide, true);
        int sideY = GetLandingRow(current->x, current->y, leftSide, true);
        if (board::isPlatformAt(sideX, sideY))
            return false;
        if (solidBelow(current->x, current->y))
            return false;
        CElement* next = leftSide ? current->lmagnet : current->rmagnet;
        if (next == this)
            return true;
        current = next;
    }
    return true;
}

bool CElement::ShouldSlide()
{
    if (tramp || IsMagnetHeld())
        return false;
    bool hasValue = false;
    int friction = groundFriction(this, hasValue);
    if (!hasValue || friction >= 0)
        return false;
    if (movesSideways(getMovableElementAt(x, y + 1)))
        return false;
    if (wasMovingLeft)
        return GetSideColumn(x, y, true, true) >= 0;
    if (wasMovingRight)
        return GetSideColumn(x, y, false, true) < GRID_WIDTH;
    return false;
}

// ---------------------------------------------------------------- friction

int CElement::CheckCellBelow()
{
    bool hasValue = false;
    int friction = groundFriction(this, hasValue);
    return hasValue ? friction : 0;
}

bool CElement::IsOnSlipperyGround()
{
    return getElementAt(x, y + 1, false)->GetFriction() < 0;
}

bool CElement::IsOnStickyGround()
{
    return getElementAt(x, y + 1, false)->GetFriction() > 0;
}

// ---------------------------------------------------------------- pushes and bumps

namespace {

// A refused push of a heated element into a resting professor heats him and
// cools the pushed element (unless it is catching, or is the professor after
// the level's outcome). Against anything else a refused push changes nothing:
// a hot crate stays hot against a wall, on sand or under a magnet's pull.
bool refusePush(CElement* e, CElement* neighbour)
{
    if (!e->heated || !neighbour->IsAIProfessor() || neighbour->IsMoving())
        return false;
    neighbour->Heat(false, false);
    bool professorDone = e->IsAIProfessor() && (CElement::caught || CElement::exited || CElement::singed);
    if (!e->IsCatching() && !professorDone) {
        logPrint(LOG_DEBUG, "CElement::Freeze()   Element at (%i,%i) is dynamically heated.\n", e->x, e->y);
        e->cooling = 1;
        e->heated = 0;
    }
    return false;
}

bool pushSideways(CElement* e, bool left, bool force, bool fromTrampoline)
{
    if (e->IsNull())
        return true;
    CElement* above = getMovableElementAt(e->x, e->y - 1);
    CElement* below = getMovableElementAt(e->x, e->y + 1);
    CElement* neighbour = e->GetSideElement(left);
    if (!e->mobile || e->IsMoving() || (e->ridden && !fromTrampoline))
        return refusePush(e, neighbour);
    bool hasValue = false;
    int friction = groundFriction(e, hasValue);
    bool slippery = hasValue && friction < 0;
    if (!slippery && (!force || (hasValue && friction > 0)))
        return refusePush(e, neighbour);
    int target = CElement::GetSideColumn(e->x, e->y, left, true);
    bool inside = left ? target >= 0 : target < CElement::GRID_WIDTH;
    if (!e->IsMagnetHeld() && (!e->tramp || fromTrampoline) && inside && !movesSideways(above) &&
        !movesSideways(below) && neighbour->IsNull()) {
        e->pushed = 1;
        if (!e->IsAI())
            e->facingLeft = left;
        e->MoveTo(left ? e->x - 1 : e->x + 1, e->y);
        return true;
    }
    return refusePush(e, neighbour);
}

} // namespace

bool CElement::PushRight(bool force, bool fromTrampoline)
{
    return pushSideways(this, false, force, fromTrampoline);
}

bool CElement::PushLeft(bool force, bool fromTrampoline)
{
    return pushSideways(this, true, force, fromTrampoline);
}

bool CElement::BumpedRight()
{
    logPrint(LOG_DEBUG, "CElement::BumpedRight() at (%i,%i)\n", x, y);
    if (IsNull() || !mobile || !canSlide || IsMovingLeft())
        return false;
    wasMovingRight = 1;
    return true;
}

bool CElement::BumpedLeft()
{
    logPrint(LOG_DEBUG, "CElement::BumpedLeft() at (%i,%i)\n", x, y);
    if (IsNull() || !mobile || !canSlide || IsMovingRight())
        return false;
    wasMovingLeft = 1;
    return true;
}

// ---------------------------------------------------------------- sprites of a teleported move

void CElement::createTeleportGhost()
{
    if (!carried) {
        if (secondSprite)
            FreeSecondSprite();
        return;
    }
    if (!mainSprite)
        return;
    int step = IsGunshot() ? 6 : 3;
    if (moveCount == 0) {
        delete secondSprite;
        secondSprite = mainSprite->Copy(true);
        secondSprite->SetName("Teleport Ghost Sprite");
    }
    ++moveCount;
    // The main sprite comes out of the paired end: it shows the part that
    // has passed through. The ghost goes into the entry end: it shows the
    // rest. Clipping takes columns off the left of a sprite; width off its
    // right.
    int shown = moveCount * step;
    int full = mainSprite->GetWidth(true);
    bool left = wasMovingLeft;
    if (left) {
        mainSprite->SetWidth(shown > full ? full : shown);
        secondSprite->SetClipX(shown);
    } else {
        mainSprite->SetClipX(full - shown > 0 ? full - shown : 0);
        secondSprite->SetWidth(full - shown > 0 ? full - shown : 0);
    }
}

void CElement::PlaceOverlaySprites()
{
    if (mainSprite)
        mainSprite->SetPosition(pixelX, pixelY, false);
    if (secondSprite && carried) {
        secondSprite->SetPosition(carryX, carryY, false);
        if (secondSprite->IsHidden())
            secondSprite->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    }
}

void CElement::FreeSecondSprite()
{
    delete secondSprite;
    secondSprite = nullptr;
    if (mainSprite)
        mainSprite->ResetClip();
}
