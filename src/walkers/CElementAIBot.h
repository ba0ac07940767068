// CElementAIBot: the enemy walker. Inactive until it sees the professor (or
// loses its support, or hears the whistle); then it chases him tile by tile
// with the walker moves. A catch holds it still for a short jump delay before
// the capture animation. The EMP stuns every bot, frost freezes one and heat
// disables it for good.
#pragma once

#include <cstdint>
#include <vector>

#include "walkers/CElementAI.h"
#include "walkers/CElementAIAnimation.h"

class CSound;

class CElementAIBot : public CElementAI {
public:
    // Animation states: the index into the animation table.
    enum Animation {
        BOT_HANGING = 0,            // inactive, hanging from the terrain above
        BOT_ACTIVATING = 1,         // drops from hanging
        BOT_FALLING = 2,
        BOT_LANDING = 3,
        BOT_CLIMB = 4,
        BOT_RUN_LEFT = 5,
        BOT_RUN_RIGHT = 6,
        BOT_STUN_LEFT = 7,          // hit on the head
        BOT_STUN_RIGHT = 8,
        BOT_UNSTUN_LEFT = 9,
        BOT_UNSTUN_RIGHT = 10,
        BOT_PUSH_LEFT = 11,
        BOT_PUSH_RIGHT = 12,
        BOT_STAND_LEFT = 13,
        BOT_STAND_RIGHT = 14,
        BOT_EMPED_LEFT = 15,        // stunned by the EMP
        BOT_EMPED_RIGHT = 16,
        BOT_MAGNET_LEFT = 17,       // held by a magnet
        BOT_MAGNET_RIGHT = 18,
        BOT_SLIDING_LEFT = 19,
        BOT_SLIDING_RIGHT = 20,
        BOT_CRAWL_LEFT = 21,        // something low above
        BOT_CRAWL_RIGHT = 22,
        BOT_FROZEN = 23,
        BOT_HEATED_LEFT = 24,       // 24 to 27: heated, facing left
        BOT_HEATED_LEFT_LFALL = 25,
        BOT_HEATED_LEFT_RFALL = 26,
        BOT_HEATED_LEFT_SQUASH = 27,
        BOT_HEATED_RIGHT = 28,      // 28 to 31: heated, facing right
        BOT_HEATED_RIGHT_LFALL = 29,
        BOT_HEATED_RIGHT_RFALL = 30,
        BOT_HEATED_RIGHT_SQUASH = 31,
        BOT_MELTING_LEFT = 32,
        BOT_MELTING_RIGHT = 33,
        BOT_COOLING_LEFT = 34,      // 34 to 39: cooling down after heat
        BOT_COOLING_LEFT_LFALL = 35,
        BOT_COOLING_LEFT_RFALL = 36,
        BOT_COOLING_RIGHT = 37,
        BOT_COOLING_RIGHT_LFALL = 38,
        BOT_COOLING_RIGHT_RFALL = 39,
        BOT_COOLED_LEFT = 40,       // 40 to 47: cooled, out of the game
        BOT_COOLED_LEFT_LFALL = 41,
        BOT_COOLED_LEFT_RFALL = 42,
        BOT_COOLED_LEFT_SQUASH = 43,
        BOT_COOLED_RIGHT = 44,
        BOT_COOLED_RIGHT_LFALL = 45,
        BOT_COOLED_RIGHT_RFALL = 46,
        BOT_COOLED_RIGHT_SQUASH = 47,
        BOT_FROZEN_DISABLED = 48,
        BOT_EMPED_LEFT_LFALL = 49,  // EMP-stunned while falling
        BOT_EMPED_LEFT_RFALL = 50,
        BOT_EMPED_RIGHT_LFALL = 51,
        BOT_EMPED_RIGHT_RFALL = 52,
        BOT_CAPTURE_LEFT = 53,      // carries the professor off
        BOT_CAPTURE_RIGHT = 54,
        BOT_ANIMATION_COUNT = 55
    };
    enum { CATCH_JUMP_DELAY = 16, SLIDE_SOUND_BUDGET = 300, FOOTSTEP_COUNT = 12, CLIMB_SOUND_COUNT = 4 };

    // tileCode 450 hanging, 451 standing facing left, 452 facing right;
    // cellFlag 1024 starts it in the frozen picture.
    CElementAIBot(int x, int y, int tileCode, int cellFlag);
    ~CElementAIBot() override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;
    bool IsCatching() override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ the bots together
    static std::vector<CElementAIBot*> allBots;
    static void activateAll(); // the whistle
    static void stunAll();     // the EMP
    static void clearAll();

    // ------------------------------------------------ state read by tests and dumps
    bool isActive() const { return bot.active != 0; }
    bool isEmpStunned() const { return bot.empStunned != 0; }
    int getCatchJumpDelay() const { return catchJumpDelay; }
    static const std::vector<WalkerAnimation>& AnimationTable();

    // Passed as the shared-images argument of every sprite of this class:
    // 1 once the image catalogues hold all its pictures, so its sprites look
    // their frames up without taking or releasing references.
    static uint8_t sharedImages;

private:
    void Detect();
    void chooseDirection();
    void activate();
    void stun();
    void updateAnimation();
    void updateSounds();
    void disable();
    int chooseState();
    void showState(int newState, bool keepFrame);
    void placeSprite();

    // What one undo step keeps of the bot.
    struct BotState {
        uint8_t active;           // chasing
        uint8_t activating;       // the wake-up drop is due
        uint8_t rememberedFacing;
        int32_t empStunned;       // set by an EMP on a standing bot
    };
    BotState bot;
    BotState botSaved[5];

    CSprite* animations[BOT_ANIMATION_COUNT];
    CSound* soundFall;
    CSound* soundCrush;
    CSound* soundSight;      // a standing bot sees the professor
    CSound* soundHangSight;  // a hanging bot sees him
    CSound* soundSlideLoop;
    CSound* footsteps[FOOTSTEP_COUNT];
    int lastFootstep = 0;
    int footstepCounter = 3;
    CSound* climbSounds[CLIMB_SOUND_COUNT];
    int lastClimb = 0;
    int climbCounter = 2;
    uint8_t slideFading = 0;
    int32_t slideBudget = SLIDE_SOUND_BUDGET;
    int32_t catchJumpDelay = CATCH_JUMP_DELAY;
};
