#include "walkers/CElementAI.h"

#include "engine/CSprite.h"

#include <string>

#include "engine/Log.h"
#include "engine/Sound.h"
#include "world/CElementBoard.h"

std::vector<CElementAI*> CElementAI::allAI;

CElementAI::CElementAI(int cellX, int cellY)
    : CElement(cellX, cellY, 1)
{
    allAI.push_back(this);
    type = 6;
    inGrid = 1;
    canFall = 1;
    canSlide = 1;
    mobile = 1;
    freezable = 1;
    walker.riding = 0;
    walker.standingOn = nullElement;
    for (WalkerState& saved : walkerSaved)
        saved = walker;
    keyLeft = keyRight = keyUp = keyDown = 0;
    keyTurn = 0;
    hotStep = hotPush = 0;
    stunFlag = 0;
    stunCount = 0;
}

CElementAI::~CElementAI()
{
    // Walkers are only destroyed together, when the level is unloaded.
    allAI.clear();
}

void CElementAI::DumpAll()
{
    const std::string dashes(43, '-');
    logPrint(LOG_DEBUG, "%s\n", dashes.c_str());
    logPrint(LOG_DEBUG, "All Objects (CElementAI)\n");
    for (CElementAI* walkerElement : allAI)
        walkerElement->DumpState();
    logPrint(LOG_DEBUG, "%s\n", dashes.c_str());
}

// ---------------------------------------------------------------- vertical moves

bool CElementAI::canMoveDown()
{
    return !board::isTrampolineAt(x, y + 1) && !isCellOccupied(x, y + 1, false) &&
           !IsMagnetHeld();
}

bool CElementAI::moveDown()
{
    if (!canMoveDown())
        return false;
    MoveTo(x, y + 1);
    return true;
}

bool CElementAI::canClimbUp()
{
    return board::isLadderAt(x, y) && board::isLadderAt(x, y - 1) &&
           !isCellOccupied(x, y - 1, false) && y > 0 && !IsMagnetHeld();
}

bool CElementAI::climbUp()
{
    if (!canClimbUp())
        return false;
    MoveTo(x, y - 1);
    return true;
}

// ---------------------------------------------------------------- horizontal moves

bool CElementAI::moveRight()
{
    return moveSideways(false);
}

bool CElementAI::moveLeft()
{
    return moveSideways(true);
}

bool CElementAI::moveSideways(bool left)
{
    // Turning round forgets a refused hot step or hot push.
    if (facingLeft != (left ? 1 : 0)) {
        hotStep = 0;
        hotPush = 0;
    }
    if (IsMagnetHeld())
        return false;
    if (getMovableElementAt(x, y - 1)->IsMoving())
        return false;
    // A bot never walks out from under an element that could fall.
    if (!IsAIProfessor() && getElementAt(x, y - 1, false)->canFall)
        return false;
    if (getMovableElementAt(x, y + 1)->IsMoving())
        return false;
    if (!board::isLadderAt(x, y) && !IsSupportedBelow(false))
        return false;
    updateStandingOn(getElementAt(x, y + 1, false));
    if (justLanded && !walker.standingOn->IsNull())
        return false;
    if (!tramp)
        facingLeft = left ? 1 : 0;
    CElement* neighbour = getElementAt(GetSideColumn(x, y, facingLeft != 0, true),
                                       GetLandingRow(x, y, facingLeft != 0, true), false);

    if (walker.standingOn->IsNull()) {
        walker.riding = 0;
        if (IsOnSlipperyGround() && !(left ? catchLeft : catchRight))
            return false;
        if (left)
            bounceReady2 = 0;
        else
            bounceReady1 = 0;
        if (tramp)
            return false;
        int side = GetSideColumn(x, y, left, true);
        if (left ? side < 0 : side > 31)
            return false;
        return tryPush(neighbour, left);
    }

    // Walking on a barrel rolls it the other way, and the walker with it.
    CElement* barrel = walker.standingOn;
    if (barrel->IsOnSlipperyGround() && !barrel->IsMagnetHeld()) {
        barrel->SetRollDirection(!left, left);
        return false;
    }
    bool back = !left;
    int backColumn = GetSideColumn(x, y, back, true);
    int backRow = GetLandingRow(x, y, back, true);
    bool blocked = board::isTrampolineAt(backColumn, backRow + 1) ||
                   isCellOccupied(backColumn, backRow, false);
    bool rolled = left ? barrel->PushRight(true, true) : barrel->PushLeft(true, true);
    if (rolled) {
        if (blocked) {
            walker.riding = 0;
            return false;
        }
        walker.riding = 1;
        MoveTo(left ? x + 1 : x - 1, y);
        return true;
    }
    return tryPush(neighbour, left);
}

bool CElementAI::tryPushRight(CElement* neighbour)
{
    return tryPush(neighbour, false);
}

bool CElementAI::tryPushLeft(CElement* neighbour)
{
    return tryPush(neighbour, true);
}

bool CElementAI::tryPush(CElement* neighbour, bool left)
{
    int side = GetSideColumn(x, y, left, true);
    int row = GetLandingRow(x, y, left, true);
    if (left ? side < 0 : side > 31)
        return false;
    int target = left ? x - 1 : x + 1;
    // A teleport loop that leads back into this walker's own cell.
    if (getElementAt(side, row, false) == this) {
        MoveTo(target, y);
        return true;
    }
    bool roomAbove = !isCellOccupied(x, y - 1, false);
    // Walkers never push live walkers, and the professor never pushes a
    // heated element.
    bool live = neighbour->IsAI() && !neighbour->frozen && !neighbour->exploded;
    if (live || (neighbour->heated && IsAIProfessor())) {
        if (neighbour->heated && roomAbove)
            hotPush = 1;
        return false;
    }
    if (!IsBot() && getElementAt(side, row + 1, false)->heated) {
        if (roomAbove)
            hotStep = 1;
        return false;
    }
    bool pushed = left ? neighbour->PushLeft(true, false) : neighbour->PushRight(true, false);
    if (!pushed)
        return false;
    walker.riding = 0;
    MoveTo(target, y);
    pushing = neighbour->IsNull() ? 0 : 1;
    return true;
}

// ---------------------------------------------------------------- barrel and stun

void CElementAI::updateStandingOn(CElement* below)
{
    CElement* none = nullElement;
    if (frozen || GetCaught() || board::isTrampolineAt(x, y + 1)) {
        if (walker.standingOn != none)
            walker.standingOn->SetRidden(false);
        walker.standingOn = none;
    } else if (below->IsBarrel() && !below->frozen && !below->IsMoving()) {
        if (below != walker.standingOn) {
            if (walker.standingOn != none)
                walker.standingOn->SetRidden(false);
            walker.standingOn = below;
            below->SetRidden(true);
        }
    } else if (walker.standingOn->IsBarrel()) {
        walker.standingOn->SetRidden(false);
        walker.standingOn->SetRollDirection(false, false);
        wasMovingLeft = 0;
        wasMovingRight = 0;
        walker.standingOn = none;
    }
}

void CElementAI::checkHeadStun(bool hit, CSound* crushSound)
{
    if (hit && !stunFlag) {
        stunFlag = 1;
        stunCount = 5;
        if (crushSound && !crushSound->isPlaying())
            crushSound->play(false, 0, 0.0f);
    } else {
        stunCount = 0;
    }
}

void CElementAI::moveByKeys()
{
    bounceReady1 = bounceReady2 = 1;
    if (!(keyUp && climbUp()) && !(keyDown && moveDown()) && !(keyLeft && moveLeft()))
        (void)(keyRight && moveRight());
}

void CElementAI::settleBarrelAndPushing()
{
    CElement* ground = walker.standingOn;
    if (ground->IsBarrel() && !keyLeft && !keyRight)
        ground->SetRollDirection(false, false);
    if (!moving)
        pushing = 0;
    else if (IsMovingLeft() || IsMovingRight())
        pushing = pushing && GetSideElement(IsMovingLeft()) != nullElement;
}

void CElementAI::switchSprite(CSprite* next, bool keepFrame)
{
    if (next == sprite)
        return;
    int frame = sprite ? sprite->GetFrame() : 0;
    DumpSprites();
    if (sprite) {
        sprite->Hide();
        sprite->ResetAnimation();
        sprite->ResetClip();
    }
    sprite = mainSprite = next;
    sprite->SetPosition(pixelX, pixelY, false);
    sprite->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    sprite->ResetAnimation();
    if (keepFrame)
        sprite->SetFrame(frame);
    sprite->Animate(true);
}

int CElementAI::pickSample(int count, int last)
{
    static uint32_t seed = 12345u;
    seed = seed * 1103515245u + 12345u;
    int pick = static_cast<int>((seed >> 16) % static_cast<uint32_t>(count - 1));
    return pick >= last ? pick + 1 : pick;
}

void CElementAI::clearKeys()
{
    keyLeft = keyRight = keyUp = keyDown = 0;
}

// ---------------------------------------------------------------- friction

int CElementAI::GetFriction()
{
    return frozen ? -1 : 0;
}

int CElementAI::GetFrictionModifier()
{
    if (frozen)
        return -1;
    if (moving || exploded)
        return 0;
    // A walker grips sand: its modifier cancels the sand's friction.
    return getElementAt(x, y + 1, false)->GetFriction() > 0 ? -1 : 0;
}

// ---------------------------------------------------------------- undo

void CElementAI::SaveState(int step)
{
    logPrint(LOG_UNDO, "      %s:  Saving ElementAI state...\n", GetName());
    walkerSaved[step] = walker;
    CElement::SaveState(step);
}

void CElementAI::RestoreState(int step)
{
    logPrint(LOG_UNDO, "      %s:  Restoring ElementAI state...\n", GetName());
    walker = walkerSaved[step];
    // Keys never survive an undo.
    clearKeys();
    keyTurn = 0;
    hotStep = hotPush = 0;
    stunFlag = 0;
    stunCount = 0;
    CElement::RestoreState(step);
}

void CElementAI::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElement::AppendOwnState(numbers, links);
    numbers.push_back(walker.riding);
    links.push_back(walker.standingOn);
}

// ---------------------------------------------------------------- dumps

void CElementAI::DumpState()
{
    logPrint(LOG_DEBUG,
             "TYPE=%d  AI=%d  CURRENT=(%d,%d)  WASMOVINGLEFT=%d  WASMOVINGRIGHT=%d  WASMOVINGUP=%d  "
             "WASMOVINGDOWN=%d  KEYS=(%d,%d,%d,%d)\n",
             type, typeAI, x, y, wasMovingLeft, wasMovingRight, wasMovingUp, wasMovingDown, keyLeft, keyRight,
             keyUp, keyDown);
    logPrint(LOG_DEBUG,
             "        MOVING=%d  FALLING=%d  LANDING=%d  SLIDING=%d  PUSHING=%d  PUSHED=%d  MAGNETIC=%d  "
             "MAGNETHELD=%d  TRAMP=%d  STUN=%d(%d)\n",
             moving, falling, landing, sliding, pushing, pushed, magnetic, IsMagnetHeld() ? 1 : 0, tramp, stunFlag,
             stunCount);
}
