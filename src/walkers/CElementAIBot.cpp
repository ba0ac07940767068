#include "walkers/CElementAIBot.h"

#include <algorithm>

#include <string>

#include "engine/Log.h"
#include "engine/Sound.h"
#include "world/CElementBoard.h"

uint8_t CElementAIBot::sharedImages = 0;
std::vector<CElementAIBot*> CElementAIBot::allBots;

namespace {

bool isTeleportEndAt(int x, int y)
{
    return board::triggerTeleportAt(x, y, false, false, false);
}

} // namespace

CElementAIBot::CElementAIBot(int cellX, int cellY, int tileCode, int cellFlag)
    : CElementAI(cellX, cellY)
{
    allBots.push_back(this);
    setElementAt(x, y, this);
    bot = BotState{0, 0, 0, 0};
    for (BotState& saved : botSaved)
        saved = bot;
    metallic = 1;
    heatable = 1;
    typeAI = AI_BOT;

    soundFall = new CSound("bot_fall.ogg", false);
    soundCrush = new CSound("bot_crush.ogg", false);
    soundSight = new CSound("bot_hang_detect.ogg", false);
    soundHangSight = new CSound("bot_hang_detect.ogg", false);
    soundSlideLoop = new CSound("bot_slide.ogg", false);
    for (int i = 0; i < FOOTSTEP_COUNT; ++i)
        footsteps[i] = new CSound(("bot_footstep" + std::to_string(i + 1) + ".ogg").c_str(), false);
    for (int i = 0; i < CLIMB_SOUND_COUNT; ++i)
        climbSounds[i] = new CSound(("bot_climb" + std::to_string(i) + ".ogg").c_str(), false);

    const std::vector<WalkerAnimation>& table = AnimationTable();
    for (int i = 0; i < BOT_ANIMATION_COUNT; ++i)
        animations[i] = createWalkerSprite(table[static_cast<size_t>(i)], sharedImages != 0);

    if (tileCode == 451) {
        state = BOT_STAND_LEFT;
        canFall = mobile = facingLeft = 1;
    } else if (tileCode == 452) {
        state = BOT_STAND_RIGHT;
        canFall = mobile = 1;
        facingLeft = 0;
    } else {
        state = BOT_HANGING;
        canFall = mobile = 0;
    }
    if (cellFlag == 1024)
        state = BOT_FROZEN;
    sprite = mainSprite = animations[state];
    sprite->SetPosition(pixelX, pixelY, false);
    sprite->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    sprite->Animate(true);
    CreateEffectSprites(true, false, true, true);
}

CElementAIBot::~CElementAIBot()
{
    logPrint(LOG_DESTRUCT, "CElementAIBot:  Destroying bot element at (%d,%d)...\n", x, y);
    // The registry never keeps a bot that no longer exists.
    allBots.erase(std::remove(allBots.begin(), allBots.end(), this), allBots.end());
    for (CSprite*& animation : animations) {
        delete animation;
        animation = nullptr;
    }
    sprite = mainSprite = nullptr;
    FreeEffectSprites();
    delete soundFall;
    delete soundCrush;
    delete soundSight;
    delete soundHangSight;
    delete soundSlideLoop;
    for (CSound* s : footsteps)
        delete s;
    for (CSound* s : climbSounds)
        delete s;
}

// ---------------------------------------------------------------- the bots together

void CElementAIBot::activateAll()
{
    for (CElementAIBot* b : allBots)
        if (!b->exploded)
            b->activate();
}

void CElementAIBot::stunAll()
{
    for (CElementAIBot* b : allBots)
        b->stun();
}

void CElementAIBot::clearAll()
{
    allBots.clear();
}

bool CElementAIBot::IsCatching()
{
    return catchLeft || catchRight;
}

// ---------------------------------------------------------------- waking and sighting

void CElementAIBot::activate()
{
    if (exploded)
        return;
    if (!canFall) {
        canFall = 1;
        mobile = 1;
        if (!frozen && !IsMagnetHeld())
            bot.activating = 1;
    }
    bot.active = 1;
}

void CElementAIBot::stun()
{
    empActive = 1;
    if (canFall)
        bot.empStunned = 1;
    if (bot.active) {
        bot.active = 0;
        clearKeys();
        bot.rememberedFacing = facingLeft;
    }
}

void CElementAIBot::Detect()
{
    if (bot.empStunned || stunFlag)
        return;
    CElement* professor = theProfessor;
    bool hanging = !canFall;
    if (!hanging) {
        // A standing bot looks along its row the way it faces; the
        // professor may stand in that row or one row lower below an empty
        // cell of it. The sight stops at anything in the row and at a
        // teleport end.
        bool sameRow = professor && professor->y == y;
        bool oneLower = professor && professor->y == y + 1 && !isCellOccupied(professor->x, y, false) &&
                        !professor->frozen;
        if (sameRow || oneLower) {
            int step = facingLeft ? -1 : 1;
            for (int c = x + step; c >= 0 && c < GRID_WIDTH; c += step) {
                if (c == professor->x) {
                    activate();
                    break;
                }
                if (isCellOccupied(c, y, false) || board::triggerTeleportAt(c, y, facingLeft != 0, false, false))
                    break;
            }
        }
    } else if (!getElementAt(x, y - 1, false)->IsTerrain() || IsMagnetHeld()) {
        logPrint(LOG_DEBUG, "CElementAIBot::Detect():  Activating due to destroyed terrain\n");
        activate();
    } else if (professor && professor->x == x && professor->y > y) {
        bool clear = true;
        for (int r = y + 1; r < professor->y && clear; ++r)
            clear = !isCellOccupied(x, r, false);
        if (clear)
            activate();
    }
    if (bot.active) {
        CSound* sight = hanging ? soundHangSight : soundSight;
        if (!sight->isPlaying())
            sight->play(false, 0, 0.0f);
    }
}

void CElementAIBot::chooseDirection()
{
    CElement* professor = theProfessor;
    clearKeys();
    if (!professor || (professor->x == x && professor->y == y))
        return;
    if (IsCatching()) {
        keyLeft = catchLeft;
        keyRight = catchRight;
        return;
    }
    keyLeft = professor->x < x;
    keyRight = professor->x > x;
    keyUp = professor->y < y;
    keyDown = professor->y > y;
}

void CElementAIBot::disable()
{
    canFall = 1;
    mobile = 1;
    exploded = 1;
    bot.active = 0;
    bot.rememberedFacing = facingLeft;
    clearKeys();
}

// ---------------------------------------------------------------- per frame

void CElementAIBot::Pump()
{
    // Heat puts a bot out of the game for good.
    if ((heated || cooling) && !exploded)
        disable();
    if (frozen)
        bounceReady1 = bounceReady2 = 1;
    if (moving) {
        stunFlag = 0;
        if (slideFading) {
            soundSlideLoop->fadeIn(50);
            slideFading = 0;
            slideBudget = SLIDE_SOUND_BUDGET;
        }
    }
    if (falling)
        updateStandingOn(nullElement);
    else if (!moving)
        updateStandingOn(getElementAt(x, y + 1, false));
    if ((frozen || IsMagnetHeld()) && !exploded)
        activate();

    bool caughtByOther = GetCaught() && !catchLeft && !catchRight;
    if (caughtByOther || GetExited() || GetSinged()) {
        clearKeys();
    } else if ((catchLeft || catchRight) && catchJumpDelay > 0) {
        // The catch jump: hold still for a moment before the capture.
        if (catchJumpDelay == CATCH_JUMP_DELAY) {
            soundSight->play(false, 0, 0.0f);
            bot.active = 1;
        }
        --catchJumpDelay;
        clearKeys();
        logPrint(LOG_DEBUG, "Bot Catching Jump Delay Remaining:  %i\n", catchJumpDelay);
    } else if (!IsMagnetHeld() && !moving && !frozen && !exploded) {
        if (bot.active)
            chooseDirection();
        else
            Detect();
        checkHeadStun(IsSupportedBelow(false) && getElementAt(x, y - 1, false)->mobile, soundCrush);
        moveByKeys();
    }

    settleBarrelAndPushing();

    updateAnimation();
    updateSounds();
}

// ---------------------------------------------------------------- animation

void CElementAIBot::showState(int newState, bool keepFrame)
{
    state = newState;
    switchSprite(animations[newState], keepFrame);
}

int CElementAIBot::chooseState()
{
    bool left = facingLeft != 0;
    bool fromLeft = wasMovingLeft != 0;
    if (frozen)
        return exploded ? BOT_FROZEN_DISABLED : BOT_FROZEN;
    if (IsMagnetHeld()) {
        if (heated)
            return left ? BOT_HEATED_LEFT : BOT_HEATED_RIGHT;
        if (cooling)
            return left ? BOT_COOLING_LEFT : BOT_COOLING_RIGHT;
        if (exploded)
            return left ? BOT_COOLED_LEFT : BOT_COOLED_RIGHT;
        if (state == BOT_MAGNET_LEFT || state == BOT_MAGNET_RIGHT)
            return state;
        facingLeft = lmagnet == nullElement ? 1 : 0;
        return facingLeft ? BOT_MAGNET_LEFT : BOT_MAGNET_RIGHT;
    }
    if (catchRight)
        return BOT_CAPTURE_RIGHT;
    if (catchLeft)
        return BOT_CAPTURE_LEFT;
    if (bot.empStunned) {
        if (!falling)
            return left ? BOT_EMPED_LEFT : BOT_EMPED_RIGHT;
        if (left)
            return fromLeft ? BOT_EMPED_LEFT_RFALL : BOT_EMPED_LEFT_LFALL;
        return fromLeft ? BOT_EMPED_RIGHT_RFALL : BOT_EMPED_RIGHT_LFALL;
    }
    if (bot.activating)
        return BOT_ACTIVATING;
    if (falling) {
        if (heated)
            return left ? (fromLeft ? BOT_HEATED_LEFT_RFALL : BOT_HEATED_LEFT_LFALL)
                        : (fromLeft ? BOT_HEATED_RIGHT_RFALL : BOT_HEATED_RIGHT_LFALL);
        if (cooling)
            return left ? (fromLeft ? BOT_COOLING_LEFT_RFALL : BOT_COOLING_LEFT_LFALL)
                        : (fromLeft ? BOT_COOLING_RIGHT_RFALL : BOT_COOLING_RIGHT_LFALL);
        if (exploded)
            return left ? (fromLeft ? BOT_COOLED_LEFT_RFALL : BOT_COOLED_LEFT_LFALL)
                        : (fromLeft ? BOT_COOLED_RIGHT_RFALL : BOT_COOLED_RIGHT_LFALL);
        if (!soundFall->isPlaying())
            soundFall->play(false, 0, 0.0f);
        return BOT_FALLING;
    }
    bool onLadder = board::isLadderAt(x, y) && !IsSupportedBelow(false);
    if (landing) {
        if (heated)
            return left ? BOT_HEATED_LEFT_SQUASH : BOT_HEATED_RIGHT_SQUASH;
        if (cooling) {
            landing = 0;
            return left ? BOT_COOLING_LEFT : BOT_COOLING_RIGHT;
        }
        if (exploded)
            return left ? BOT_COOLED_LEFT_SQUASH : BOT_COOLED_RIGHT_SQUASH;
        if (bot.active) {
            if (onLadder) {
                landing = 0;
                return BOT_CLIMB;
            }
            return BOT_LANDING;
        }
        return left ? BOT_EMPED_LEFT : BOT_EMPED_RIGHT;
    }
    if (stunFlag) {
        bool above = IsSomethingAbove(false);
        if (above && stunCount > 0) {
            --stunCount;
            return state;
        }
        if (state == BOT_UNSTUN_LEFT || state == BOT_UNSTUN_RIGHT)
            return state;
        if (!above && (state == BOT_STUN_LEFT || state == BOT_STUN_RIGHT) && sprite->IsFinished())
            return state == BOT_STUN_LEFT ? BOT_UNSTUN_LEFT : BOT_UNSTUN_RIGHT;
        return left ? BOT_STUN_LEFT : BOT_STUN_RIGHT;
    }
    if (bot.active && (IsMovingLeft() || IsMovingRight())) {
        bool movingLeft = IsMovingLeft();
        bool low = IsSomethingAbove(false) || IsSomethingAbove(true) || isTeleportEndAt(prevX, prevY);
        if (low)
            return (movingLeft != isRiding()) ? BOT_CRAWL_LEFT : BOT_CRAWL_RIGHT;
        if (sliding && movingLeft && !left)
            return BOT_SLIDING_RIGHT;
        if (sliding && !movingLeft && left)
            return BOT_SLIDING_LEFT;
        // Riding a barrel the walker walks one way while both roll the other.
        if (isRiding())
            return movingLeft ? BOT_RUN_RIGHT : BOT_RUN_LEFT;
        if (pushing)
            return movingLeft ? BOT_PUSH_LEFT : BOT_PUSH_RIGHT;
        return movingLeft ? BOT_RUN_LEFT : BOT_RUN_RIGHT;
    }
    if (bot.active && (IsMovingUp() || IsMovingDown()))
        return BOT_CLIMB;
    // At rest on a ladder, held up by it or standing on something, the
    // sprite stops on its frame.
    if (bot.active && !moving && board::isLadderAt(x, y)) {
        sprite->StopAnimation();
        return state;
    }
    if (bot.active) {
        bool above = IsSomethingAbove(false);
        bool key = left ? keyLeft : keyRight;
        int crawl = left ? BOT_CRAWL_LEFT : BOT_CRAWL_RIGHT;
        int push = left ? BOT_PUSH_LEFT : BOT_PUSH_RIGHT;
        int stand = left ? BOT_STAND_LEFT : BOT_STAND_RIGHT;
        if ((left ? wasMovingLeft : wasMovingRight) && tramp)
            return push;
        if (!key) {
            if (above) {
                showState(crawl, false);
                sprite->StopAnimation();
                return crawl;
            }
            if (tramp)
                return state;
            return stand;
        }
        if (above)
            return crawl;
        if (IsOnSlipperyGround())
            return left ? BOT_SLIDING_LEFT : BOT_SLIDING_RIGHT;
        if (left ? x == 0 : x == GRID_WIDTH - 1)
            return stand;
        if (walker.standingOn->IsBarrel())
            return left ? BOT_RUN_LEFT : BOT_RUN_RIGHT;
        return push;
    }
    if (!canFall)
        return BOT_HANGING;
    if (heated)
        return left ? BOT_HEATED_LEFT : BOT_HEATED_RIGHT;
    if (cooling)
        return left ? BOT_COOLING_LEFT : BOT_COOLING_RIGHT;
    if (exploded)
        return left ? BOT_COOLED_LEFT : BOT_COOLED_RIGHT;
    return left ? BOT_STAND_LEFT : BOT_STAND_RIGHT;
}

void CElementAIBot::updateAnimation()
{
    AnimateEffects();
    if (landing)
        bot.activating = 0;
    bool activity = moving || keyLeft || keyRight || keyUp || keyDown;
    if (sprite->IsFinished()) {
        switch (state) {
        case BOT_ACTIVATING:
            bot.activating = 0;
            break;
        case BOT_LANDING:
        case BOT_EMPED_LEFT:
        case BOT_EMPED_RIGHT:
        case BOT_HEATED_LEFT_SQUASH:
        case BOT_HEATED_RIGHT_SQUASH:
        case BOT_COOLED_LEFT_SQUASH:
        case BOT_COOLED_RIGHT_SQUASH:
        case BOT_EMPED_LEFT_LFALL:
        case BOT_EMPED_LEFT_RFALL:
        case BOT_EMPED_RIGHT_LFALL:
        case BOT_EMPED_RIGHT_RFALL:
            landing = 0;
            bot.empStunned = 0;
            break;
        case BOT_UNSTUN_LEFT:
        case BOT_UNSTUN_RIGHT:
            stunFlag = 0;
            break;
        default:
            if (state >= BOT_COOLING_LEFT && state <= BOT_COOLING_RIGHT_RFALL)
                cooling = 0;
            break;
        }
    } else if (activity) {
        landing = 0;
        thawing = 0;
    } else if (!sprite->IsLooping() && !sprite->IsStopped()) {
        // An idle bot lets a one-off animation (landing, EMP pose) play out,
        // whatever has happened to it meanwhile; the next one is chosen when
        // it ends.
        placeSprite();
        return;
    }
    int next = chooseState();
    bool keepFrame = (state == BOT_COOLING_LEFT_LFALL || state == BOT_COOLING_LEFT_RFALL) && next == BOT_COOLING_LEFT;
    keepFrame = keepFrame ||
                ((state == BOT_COOLING_RIGHT_LFALL || state == BOT_COOLING_RIGHT_RFALL) && next == BOT_COOLING_RIGHT);
    showState(next, keepFrame);
    // A sprite stopped on its frame at rest (ladder, crawl) moves on again
    // with the bot.
    if (moving && sprite->IsStopped() && !sprite->IsFinished())
        sprite->Animate(true);
    placeSprite();
}

void CElementAIBot::placeSprite()
{
    sprite->SetPosition(pixelX, pixelY, false);
    createTeleportGhost();
    PlaceOverlaySprites();
    if (!falling && soundFall->isPlaying())
        soundFall->stop();
}

// ---------------------------------------------------------------- sounds

void CElementAIBot::updateSounds()
{
    bool walking = (keyLeft || keyRight) && !sliding && !IsOnSlipperyGround() && !frozen && !exploded &&
                   IsSupportedBelow(false) && !stunFlag && !GetCaught() && !IsMagnetHeld();
    if (walking) {
        if (++footstepCounter > 5) {
            lastFootstep = pickSample(FOOTSTEP_COUNT, lastFootstep);
            footsteps[lastFootstep]->play(false, 0, 0.0f);
            footstepCounter = 0;
        }
    } else {
        footstepCounter = 3;
    }

    if (board::isLadderAt(x, y) && (IsMovingUp() || IsMovingDown())) {
        if (++climbCounter >= 6) {
            lastClimb = pickSample(CLIMB_SOUND_COUNT, lastClimb);
            climbSounds[lastClimb]->play(false, 0, 0.0f);
            climbCounter = 0;
        }
    } else {
        climbCounter = 2;
    }

    bool slide = (sliding || ((keyLeft || keyRight) && IsOnSlipperyGround())) && !frozen && !falling && !IsCatching();
    if (!slide) {
        soundSlideLoop->stop();
    } else if (!slideFading) {
        if (!soundSlideLoop->isPlaying())
            soundSlideLoop->play(true, 0, 0.0f);
        if (--slideBudget <= 0) {
            soundSlideLoop->fadeOut(150);
            slideFading = 1;
        }
    }
}

// ---------------------------------------------------------------- undo

void CElementAIBot::SaveState(int step)
{
    logPrint(LOG_UNDO, "      %s:  Saving ElementAIBot state...\n", GetName());
    botSaved[step] = bot;
    CElementAI::SaveState(step);
}

void CElementAIBot::RestoreState(int step)
{
    logPrint(LOG_UNDO, "      %s:  Restoring ElementAIBot state...\n", GetName());
    bot = botSaved[step];
    catchJumpDelay = CATCH_JUMP_DELAY;
    CElementAI::RestoreState(step);
}

void CElementAIBot::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElementAI::AppendOwnState(numbers, links);
    numbers.insert(numbers.end(), {bot.active, bot.activating, bot.rememberedFacing, bot.empStunned});
}
