#include "walkers/CElementAIProfessor.h"

#include <string>

#include "elements/CElementDevicePowerup.h"
#include "elements/CElementDeviceTeleport.h"
#include "elements/CElementDeviceTube.h"
#include "elements/CElementTutorial.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "profile/CProfile.h"
#include "world/CElementBoard.h"

uint8_t CElementAIProfessor::sharedImages = 0;

namespace {

CSound* sound(const char* name)
{
    return new CSound(name, false);
}

void playOnce(CSound* s)
{
    if (!s->isPlaying())
        s->play(false, 0, 0.0f);
}

} // namespace

// ---------------------------------------------------------------- construction

CElementAIProfessor::CElementAIProfessor(int cellX, int cellY)
    : CElementAI(cellX, cellY)
{
    typeAI = AI_PROFESSOR;
    const std::vector<WalkerAnimation>& table = AnimationTable();
    for (int i = 0; i < PROF_ANIMATION_COUNT; ++i)
        animations[i] = createWalkerSprite(table[static_cast<size_t>(i)], sharedImages != 0);
    createIcons();
    const std::vector<WalkerAnimation>& idles = IdleTable();
    for (int i = 0; i < IDLE_COUNT; ++i)
        idleSprites[i] = createWalkerSprite(idles[static_cast<size_t>(i)], sharedImages != 0);
    CreateEffectSprites(true, true, true, false);

    soundArrival = sound("tube_arrival.ogg");
    soundDeparture = sound("tube_departure.ogg");
    soundFrostgun = sound("powerup_frostgun.ogg");
    soundHeatgun = sound("powerup_heatgun.ogg");
    soundEmp = sound("powerup_emp.ogg");
    soundWhistle = sound("powerup_whistle.ogg");
    soundInflate = sound("powerup_inflate.ogg");
    soundFail = sound("powerup_fail.ogg");
    soundElectricity = sound("emp_electricity.ogg");
    soundCaught = sound("bot_catches_prof.ogg");
    soundTrampoline = sound("professor_trampoline.ogg");
    soundCrush = sound("professor_crush.ogg");
    soundStuckIce = sound("stuck_ice.ogg");
    for (int i = 0; i < RUN_SOUND_COUNT; ++i)
        runSounds[i] = sound(("professor_run" + std::to_string(i) + ".ogg").c_str());
    for (int i = 0; i < CLIMB_SOUND_COUNT; ++i)
        climbSounds[i] = sound(("professor_climb" + std::to_string(i) + ".ogg").c_str());
    delete soundLand;
    soundLand = sound("professor_land.ogg");
    delete soundHeat;
    soundHeat = sound("explode_heat_metal.ogg");

    theProfessor = this;
    setElementAt(x, y, this);
    prof = ProfessorState{};
    prof.enteringTube = 1;
    prof.facingFront = 1;
    prof.idleIndex = -1;
    for (ProfessorState& saved : profSaved)
        saved = prof;
    heatImmune = 0;
    canSlide = 0;
    burnable = 1;
    walk = WalkTarget{0, 0, 0};
    hoveredSlot = -1;
    fallen = singed = exited = caught = levelEnded = 0;

    state = PROF_TUBE_ENTRANCE;
    sprite = mainSprite = animations[state];
    sprite->SetPosition(pixelX, pixelY, false);
    sprite->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    sprite->Animate(true);
}

CElementAIProfessor::~CElementAIProfessor()
{
    logPrint(LOG_DESTRUCT, "CElementAIProfessor:  Destroying professor element at (%d,%d)...\n", x, y);
    logPrint(LOG_DESTRUCT, "CElementAIProfessor:  Destroying preloaded sprites...\n");
    for (CSprite*& s : animations) {
        delete s;
        s = nullptr;
    }
    logPrint(LOG_DESTRUCT, "CElementAIProfessor:  Destroying powerup sprites...\n");
    for (auto& slot : icons)
        for (CSprite*& s : slot) {
            delete s;
            s = nullptr;
        }
    logPrint(LOG_DESTRUCT, "CElementAIProfessor:  Destroying idle sprites...\n");
    for (CSprite*& s : idleSprites) {
        delete s;
        s = nullptr;
    }
    sprite = mainSprite = nullptr;
    FreeEffectSprites();
    logPrint(LOG_DESTRUCT, "CElementAIProfessor:  Destroying sounds...\n");
    for (CSound* s : {soundArrival, soundDeparture, soundFrostgun, soundHeatgun, soundEmp, soundWhistle, soundInflate,
                      soundFail, soundElectricity, soundCaught, soundTrampoline, soundCrush, soundStuckIce})
        delete s;
    for (CSound* s : runSounds)
        delete s;
    for (CSound* s : climbSounds)
        delete s;
    logPrint(LOG_DESTRUCT, "PROFESSOR:  Delete sounds\n");
    if (theProfessor == this)
        theProfessor = nullptr;
}

// ---------------------------------------------------------------- keys and mouse

void CElementAIProfessor::openUndoStep()
{
    // The first press from rest opens a new undo step; while a power-up
    // plays, the step is saved once the professor is free again.
    if (anyDirectionKey() || moving || falling || frozen)
        return;
    if (prof.usingPowerup)
        undoPending = 1;
    else
        UndoSave();
}

void CElementAIProfessor::setKey(uint8_t& key, bool released)
{
    if (walk.active) {
        cancelWalk();
        clearKeys();
        keyTurn = 0;
    }
    if (!released)
        openUndoStep();
    key = released ? 0 : 1;
}

void CElementAIProfessor::setKeyLeft(bool released)
{
    setKey(keyLeft, released);
}

void CElementAIProfessor::setKeyRight(bool released)
{
    setKey(keyRight, released);
}

void CElementAIProfessor::setKeyUp(bool released)
{
    setKey(keyUp, released);
}

void CElementAIProfessor::setKeyDown(bool released)
{
    setKey(keyDown, released);
}

void CElementAIProfessor::setKeyTurn(bool released)
{
    keyTurn = released ? 0 : 1;
    if (released || prof.usingPowerup || stunFlag || tramp)
        return;
    facingLeft = facingLeft ? 0 : 1;
    hotStep = hotPush = 0;
    if (state >= PROF_STAND_MIDDLE && state <= PROF_STAND_RIGHT)
        prof.turnPending = 1;
}

void CElementAIProfessor::mouseButton(int mouseX, int mouseY, bool released)
{
    if (hoveredSlot >= 0) {
        if (!released)
            usePowerup(hoveredSlot);
        return;
    }
    if (released) {
        // Dragging along on a barrel stops when the button is let go.
        if (isRiding() && walk.active) {
            cancelWalk();
            clearKeys();
        }
        return;
    }
    openUndoStep();
    int column = (mouseX - 15) / TILE;
    int row = (mouseY - 15) / TILE;
    walk.active = 1;
    walk.targetX = column < 0 ? 0 : (column > GRID_WIDTH - 1 ? GRID_WIDTH - 1 : column);
    walk.targetY = row < 0 ? 0 : (row > GRID_HEIGHT - 1 ? GRID_HEIGHT - 1 : row);
}

void CElementAIProfessor::cancelWalk()
{
    walk = WalkTarget{0, 0, 0};
}

void CElementAIProfessor::followWalkTarget()
{
    if (!walk.active)
        return;
    if (x == walk.targetX && y == walk.targetY) {
        clearKeys();
        cancelWalk();
        return;
    }
    keyUp = walk.targetY < y;
    keyDown = walk.targetY > y;
    keyLeft = walk.targetX < x;
    keyRight = walk.targetX > x;
}

// ---------------------------------------------------------------- per frame

void CElementAIProfessor::collectPowerup()
{
    if (!IsNearCellOrigin() || !CElementDevicePowerup::isPowerupAt(x, y))
        return;
    int found = CElementDevicePowerup::getPowerupTypeAt(x, y);
    logPrint(LOG_DEBUG, "Powerup Found:  %i\n", found);
    if (addPowerup(found))
        CElementDevicePowerup::collectAt(x, y);
}

void CElementAIProfessor::Pump()
{
    if (frozen)
        bounceReady1 = bounceReady2 = 1;
    if (moving)
        stunFlag = 0;
    if (walk.active && carried) {
        cancelWalk();
        clearKeys();
    }
    collectPowerup();
    if (IsNearCellOrigin() && !frozen && CElementDeviceTube::IsExitAt(x, y))
        skipSlideCheck = 1;
    if (falling)
        updateStandingOn(nullElement);
    else if (!moving)
        updateStandingOn(getElementAt(x, y + 1, false));
    handlePowerup();

    bool inTube = prof.enteringTube || prof.exiting;
    if (caught) {
        if (getElementAt(x, y, true) == this)
            clearElementAt(x, y);
    } else if ((inTube && !prof.usingPowerup) || moving || heated || leftTrampoline) {
        // Busy: only the facing follows the keys, a power-up in use or not.
        // The right key is read last, so with both held he faces right.
        if (!frozen && !tramp) {
            if (keyLeft)
                facingLeft = 1;
            if (keyRight)
                facingLeft = 0;
        }
    } else if (prof.usingPowerup) {
        // At rest with a power-up in use nothing moves.
    } else if (!frozen) {
        if (undoPending) {
            if (anyDirectionKey())
                UndoSave();
            undoPending = 0;
        }
        if (CElementDeviceTube::IsExitAt(x, y)) {
            mobile = 0;
            prof.exiting = 1;
        } else if (y >= FALL_LIMIT_ROW) {
            fallen = 1;
            levelEnded = 1;
        } else {
            followWalkTarget();
            CElement* above = getElementAt(x, y - 1, false);
            checkHeadStun(!board::isLadderAt(x, y) && above->IsMoving(), soundCrush);
            moveByKeys();
        }
    }

    settleBarrelAndPushing();
    if (!moving && (keyLeft || keyRight) && isCellOccupied(x, y + 1, false)) {
        wasMovingUp = 0;
        wasMovingDown = 0;
    }

    chooseAnimation();
    updateSounds();
    CElementTutorial::HandleTutorial(x, y);
}

// ---------------------------------------------------------------- animation

void CElementAIProfessor::chooseAnimation()
{
    AnimateEffects();
    bool sideKey = keyLeft || keyRight;
    if (!sprite->IsFinished()) {
        if (prof.facingFront && (sideKey || stunFlag)) {
            if (!prof.enteringTube)
                prof.facingFront = 0;
        } else if (!moving && !anyDirectionKey() && !prof.usingPowerup && (!stunFlag || stunCount > 0)) {
            if (state >= PROF_STAND_MIDDLE && state <= PROF_STAND_RIGHT && ++prof.idleCounter >= IDLE_FRAMES) {
                prof.idleCounter = 0;
                prof.idleRequest = 1;
                prof.idleIndex = (prof.idleIndex + 1) % IDLE_COUNT;
            }
        } else {
            if (thawing || landing || prof.idleRequest ||
                (!prof.usingPowerup && (prof.turnPending || prof.unturned))) {
                thawing = landing = 0;
                prof.idleRequest = prof.turnPending = prof.unturned = 0;
            }
            if (moving || stunFlag)
                hotStep = hotPush = 0;
            prof.idleCounter = 0;
        }
    } else {
        int finished = state;
        if (finished == PROF_TUBE_EXIT || finished == PROF_CAUGHT_LEFT || finished == PROF_CAUGHT_RIGHT ||
            finished == PROF_HEAT) {
            levelEnded = 1;
            return;
        }
        finishedState(finished);
    }
    showState(chooseState());
    // A sprite stopped on its frame at rest (ladder, crawl) moves on again
    // with the professor.
    if (moving && sprite->IsStopped() && !sprite->IsFinished())
        sprite->Animate(true);
    sprite->SetPosition(pixelX, pixelY, false);
    createTeleportGhost();
    PlaceOverlaySprites();
}

void CElementAIProfessor::finishedState(int finished)
{
    switch (finished) {
    case PROF_HOT_STEP_LEFT:
    case PROF_HOT_STEP_RIGHT:
        hotStep = 0;
        break;
    case PROF_HOT_PUSH_LEFT:
    case PROF_HOT_PUSH_RIGHT:
        hotPush = 0;
        break;
    case PROF_INFLATE_LEFT:
    case PROF_INFLATE_RIGHT:
        // A bridge still growing keeps the inflating pose.
        if (!(prof.activePowerup == POWERUP_TYPE_BRIDGE && heatImmune)) {
            heatImmune = 0;
            showState(facingLeft ? PROF_INFLATE_LEFT_STAND : PROF_INFLATE_RIGHT_STAND);
        }
        break;
    case PROF_INFLATE_LEFT_STAND:
    case PROF_INFLATE_RIGHT_STAND:
    case PROF_FROSTGUN_LEFT:
    case PROF_FROSTGUN_RIGHT:
    case PROF_HEATGUN_LEFT:
    case PROF_HEATGUN_RIGHT:
        endPowerupUse();
        break;
    case PROF_WHISTLE:
    case PROF_EMP:
        prof.turnPending = 1;
        break;
    case PROF_TRAMP_ENTER_LEFT:
    case PROF_TRAMP_ENTER_RIGHT:
        if (!tramp)
            sprite->ResetAnimation();
        break;
    case PROF_FLING_RIGHT:
    case PROF_FLING_LEFT:
        prof.flung = 1;
        break;
    case PROF_TRAMP_RECOVER:
        prof.flung = 0;
        leftTrampoline = 0;
        prof.turnPending = 1;
        break;
    case PROF_LANDING:
        landing = 0;
        prof.turnPending = 1;
        break;
    case PROF_TUBE_ENTRANCE:
        prof.enteringTube = 0;
        canSlide = 1;
        break;
    case PROF_UNSTUN_LEFT:
    case PROF_UNSTUN_RIGHT:
        stunFlag = 0;
        break;
    case PROF_TURN_LEFT:
    case PROF_TURN_RIGHT:
        if (prof.activePowerup == POWERUP_NONE)
            endPowerupUse();
        prof.unturned = 0;
        prof.turnPending = 0;
        break;
    case PROF_UNTURN_LEFT:
    case PROF_UNTURN_RIGHT:
        prof.unturned = 1;
        break;
    case PROF_THAWING:
        thawing = 0;
        break;
    case PROF_IDLE:
        prof.idleRequest = 0;
        if (!prof.facingFront)
            prof.turnPending = 1;
        break;
    default:
        break;
    }
}

void CElementAIProfessor::endPowerupUse()
{
    prof.usingPowerup = 0;
}

int CElementAIProfessor::chooseState()
{
    bool left = facingLeft != 0;
    if (frozen) {
        dropPowerup();
        return PROF_FREEZE;
    }
    if (heated) {
        singed = 1;
        return PROF_HEAT;
    }
    if (thawing)
        return PROF_THAWING;
    if (prof.enteringTube) {
        if (!arrivalPlayed) {
            soundArrival->play(false, 0, 0.0f);
            arrivalPlayed = 1;
        }
        return PROF_TUBE_ENTRANCE;
    }
    if (prof.exiting) {
        exited = 1;
        playOnce(soundDeparture);
        return PROF_TUBE_EXIT;
    }
    if (catchRight || catchLeft) {
        playOnce(soundCaught);
        return catchRight ? PROF_CAUGHT_RIGHT : PROF_CAUGHT_LEFT;
    }
    if (falling) {
        dropPowerup();
        prof.unturned = prof.turnPending = 0;
        leftTrampoline = 0;
        prof.flung = 0;
        return PROF_FALL;
    }
    if (prof.turnPending)
        return left ? PROF_TURN_LEFT : PROF_TURN_RIGHT;
    if (leftTrampoline) {
        if (prof.flung)
            return PROF_TRAMP_RECOVER;
        bool movingLeft = IsMovingLeft();
        if (movingLeft || IsMovingRight()) {
            if (!soundTrampoline->isPlaying() && !soundTrampoline->isDelayed())
                soundTrampoline->play(false, 0, 0.0f);
            facingLeft = movingLeft ? 0 : 1;
            return movingLeft ? PROF_FLING_RIGHT : PROF_FLING_LEFT;
        }
    }
    if (prof.usingPowerup) {
        switch (prof.activePowerup) {
        case POWERUP_TYPE_EMP:
        case POWERUP_TYPE_WHISTLE: {
            bool emp = prof.activePowerup == POWERUP_TYPE_EMP;
            if (!prof.unturned) {
                if (state != PROF_UNTURN_LEFT && state != PROF_UNTURN_RIGHT)
                    logPrint(LOG_DEBUG, emp ? "***  EMP:  UNTURNING\n" : "***  WHISTLE:  UNTURNING\n");
                return left ? PROF_UNTURN_LEFT : PROF_UNTURN_RIGHT;
            }
            int use = emp ? PROF_EMP : PROF_WHISTLE;
            if (state != use)
                logPrint(LOG_DEBUG, emp ? "***  EMP:  ACTIVATE\n" : "***  WHISTLE:  ACTIVATE\n");
            return use;
        }
        case POWERUP_TYPE_FROSTGUN:
            return left ? PROF_FROSTGUN_LEFT : PROF_FROSTGUN_RIGHT;
        case POWERUP_TYPE_HEATGUN:
            return left ? PROF_HEATGUN_LEFT : PROF_HEATGUN_RIGHT;
        case POWERUP_NONE:
            // The effect has happened; the use animation plays out.
            return state;
        default:
            return left ? PROF_INFLATE_LEFT : PROF_INFLATE_RIGHT;
        }
    }
    if (prof.idleRequest)
        return PROF_IDLE;
    if (landing && !IsSomethingAbove(false)) {
        if (board::isLadderAt(x, y) && !IsSupportedBelow(false)) {
            landing = 0;
            return PROF_CLIMB_DOWN;
        }
        return PROF_LANDING;
    }
    if (IsMovingLeft())
        return chooseMovingState(true);
    if (IsMovingRight())
        return chooseMovingState(false);
    if (IsMovingUp())
        return PROF_CLIMB_UP;
    if (IsMovingDown())
        return PROF_CLIMB_DOWN;
    return chooseRestingState();
}

int CElementAIProfessor::chooseMovingState(bool left)
{
    if (tramp)
        return left ? PROF_TRAMP_ENTER_LEFT : PROF_TRAMP_ENTER_RIGHT;
    // Any teleport end at the cell being left counts, paired or not.
    bool low = IsSomethingAbove(false) || (!carried && IsSomethingAbove(true)) ||
               CElementDeviceTeleport::isAt(prevX, prevY, false);
    if (low)
        return (left != isRiding()) ? PROF_CRAWL_LEFT : PROF_CRAWL_RIGHT;
    if (sliding) {
        if (left)
            return facingLeft ? PROF_SLIDE_LEFT : PROF_SLIDE_LEFT_UNCOOL;
        return facingLeft ? PROF_SLIDE_RIGHT_UNCOOL : PROF_SLIDE_RIGHT;
    }
    if (isRiding())
        return left ? PROF_BARREL_LEFT : PROF_BARREL_RIGHT;
    bool ladder = (board::isLadderAt(x, y) && !IsSupportedBelow(false)) ||
                  (board::isLadderAt(prevX, prevY) && moving && !startedSupported);
    if (ladder)
        return left ? PROF_LADDER_JUMP_LEFT : PROF_LADDER_JUMP_RIGHT;
    if (pushing)
        return left ? PROF_PUSH_LEFT : PROF_PUSH_RIGHT;
    return left ? PROF_RUN_LEFT : PROF_RUN_RIGHT;
}

int CElementAIProfessor::chooseRestingState()
{
    if (prof.facingFront)
        return PROF_STAND_MIDDLE;
    if (board::isLadderAt(x, y)) {
        bool supported = IsSupportedBelow(false);
        int climb = -1;
        if (!supported)
            climb = wasMovingUp ? PROF_CLIMB_UP : PROF_CLIMB_DOWN;
        else if (getElementAt(x, y + 1, false)->mobile && (wasMovingUp || wasMovingDown))
            climb = wasMovingUp ? PROF_CLIMB_UP : PROF_CLIMB_DOWN;
        if (climb >= 0) {
            showState(climb);
            sprite->StopAnimation();
            return climb;
        }
    }
    bool left = facingLeft != 0;
    if (hotStep)
        return left ? PROF_HOT_STEP_LEFT : PROF_HOT_STEP_RIGHT;
    if (hotPush)
        return left ? PROF_HOT_PUSH_LEFT : PROF_HOT_PUSH_RIGHT;
    if ((left ? wasMovingLeft : wasMovingRight) && tramp)
        return left ? PROF_TRAMP_PUSH_LEFT : PROF_TRAMP_PUSH_RIGHT;
    bool above = IsSomethingAbove(false);
    if (stunFlag) {
        if (above && stunCount > 0)
            --stunCount;
        int stunState = left ? PROF_STUN_LEFT : PROF_STUN_RIGHT;
        int unstun = left ? PROF_UNSTUN_LEFT : PROF_UNSTUN_RIGHT;
        if (state == unstun || (state == stunState && !above && sprite->IsFinished()))
            return unstun;
        return stunState;
    }
    if (above) {
        int crawl = left ? PROF_CRAWL_LEFT : PROF_CRAWL_RIGHT;
        showState(crawl);
        sprite->StopAnimation();
        return crawl;
    }
    int stand = left ? PROF_STAND_LEFT : PROF_STAND_RIGHT;
    if (!(left ? keyLeft : keyRight))
        return stand;
    if (IsOnSlipperyGround())
        return left ? PROF_SLIDE_RIGHT_UNCOOL : PROF_SLIDE_LEFT_UNCOOL;
    // Any barrel below counts here, frozen or moving, ridden or not.
    if (getElementAt(x, y + 1, false)->IsBarrel())
        return left ? PROF_BARREL_LEFT : PROF_BARREL_RIGHT;
    int aheadX = GetSideColumn(x, y, left, true);
    int aheadY = GetLandingRow(x, y, left, true);
    if (getElementAt(aheadX, aheadY, false)->heated || getElementAt(aheadX, aheadY + 1, false)->heated)
        return stand;
    if (left ? x == 0 : x == GRID_WIDTH - 1)
        return stand;
    // Pushing against something that does not move.
    return left ? PROF_PUSH_LEFT : PROF_PUSH_RIGHT;
}

void CElementAIProfessor::showState(int newState)
{
    CSprite* next = newState == PROF_IDLE ? idleSprites[prof.idleIndex < 0 ? 0 : prof.idleIndex] : animations[newState];
    state = newState;
    switchSprite(next, false);
}

// ---------------------------------------------------------------- sounds

void CElementAIProfessor::updateSounds()
{
    bool walking = (IsMovingLeft() || IsMovingRight()) && !sliding && IsSupportedBelow(false);
    bool treading = !moving && (keyLeft || keyRight) && walker.standingOn->IsBarrel();
    if (walking || treading) {
        if (++runCounter >= 11) {
            lastRun = pickSample(RUN_SOUND_COUNT, lastRun);
            runSounds[lastRun]->play(false, 0, 0.0f);
            runCounter = 0;
        }
    } else {
        runCounter = 8;
    }
    if ((IsMovingUp() || IsMovingDown()) && board::isLadderAt(x, y)) {
        if (++climbCounter >= 6) {
            lastClimb = pickSample(CLIMB_SOUND_COUNT, lastClimb);
            climbSounds[lastClimb]->play(false, 0, 0.0f);
            climbCounter = 0;
        }
    } else {
        climbCounter = 2;
    }
    if (state == PROF_SLIDE_LEFT_UNCOOL || state == PROF_SLIDE_RIGHT_UNCOOL) {
        if (!soundStuckIce->isPlaying())
            soundStuckIce->play(true, 0, 0.0f);
    } else if (soundStuckIce->isPlaying()) {
        soundStuckIce->stop();
    }
}

// ---------------------------------------------------------------- undo

void CElementAIProfessor::SaveState(int step)
{
    logPrint(LOG_UNDO, "      %s:  Saving ElementAIProfessor state...\n", GetName());
    prof.steps = profile ? profile->GetTotal(1) : 0;
    profSaved[step] = prof;
    CElementAI::SaveState(step);
}

void CElementAIProfessor::RestoreState(int step)
{
    logPrint(LOG_UNDO, "      %s:  Restoring ElementAIProfessor state...\n", GetName());
    const ProfessorState& saved = profSaved[step];
    if (profile)
        profile->SetSteps(saved.steps);
    int oldInventory[SLOTS];
    for (int s = 0; s < SLOTS; ++s)
        oldInventory[s] = prof.inventory[s];
    prof = saved;
    prof.enteringTube = 0;
    prof.idleRequest = 0;
    prof.idleCounter = 0;
    for (int s = 0; s < SLOTS; ++s)
        refreshSlot(s, oldInventory[s], prof.inventory[s]);
    cancelWalk();
    hoveredSlot = -1;
    CElementAI::RestoreState(step);
    canSlide = 1;
}

void CElementAIProfessor::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElementAI::AppendOwnState(numbers, links);
    // A restore starts the tube entrance, the idle request and the idle
    // counter afresh, and the step count is the profile's: those are left out.
    numbers.insert(numbers.end(), {prof.exiting, prof.usingPowerup, prof.turnPending, prof.flung, prof.unturned,
                                   prof.facingFront, prof.idleIndex, prof.activePowerup, prof.delay, prof.targetX,
                                   prof.targetY, prof.targetFacing});
    numbers.insert(numbers.end(), std::begin(prof.inventory), std::end(prof.inventory));
}
