// CElementAIProfessor: the player's walker. The play screen feeds it keys,
// mouse clicks and power-up uses; each world step its Pump carries out the
// active power-up, collects power-ups, starts one-tile moves, detects the
// exit and falling off the board, chooses the animation and plays the
// footsteps. Its end states raise the level's outcome flags.
#pragma once

#include <cstdint>
#include <vector>

#include "walkers/CElementAI.h"
#include "walkers/CElementAIAnimation.h"
#include "walkers/CElementAIPowerup.h"

class CSound;

class CElementAIProfessor : public CElementAI {
public:
    // Animation states: the index into the animation table (IDLE shows the
    // idle animation of the current idle index).
    enum Animation {
        PROF_STAND_MIDDLE = 0, // facing the viewer
        PROF_STAND_LEFT = 1,
        PROF_STAND_RIGHT = 2,
        PROF_RUN_LEFT = 3,
        PROF_RUN_RIGHT = 4,
        PROF_CLIMB_DOWN = 5,
        PROF_CLIMB_UP = 6,
        PROF_FALL = 7,
        PROF_PUSH_LEFT = 8,
        PROF_PUSH_RIGHT = 9,
        PROF_HOT_STEP_LEFT = 10,   // refused a step onto something heated
        PROF_HOT_STEP_RIGHT = 11,
        PROF_HOT_PUSH_LEFT = 12,   // refused a push of something heated
        PROF_HOT_PUSH_RIGHT = 13,
        PROF_INFLATE_LEFT = 14,
        PROF_INFLATE_RIGHT = 15,
        PROF_INFLATE_LEFT_STAND = 16,
        PROF_INFLATE_RIGHT_STAND = 17,
        PROF_SLIDE_LEFT = 18,
        PROF_SLIDE_LEFT_UNCOOL = 19,  // sliding backwards to the left
        PROF_SLIDE_RIGHT = 20,
        PROF_SLIDE_RIGHT_UNCOOL = 21,
        PROF_WHISTLE = 22,
        PROF_EMP = 23,
        PROF_FROSTGUN_LEFT = 24,
        PROF_FROSTGUN_RIGHT = 25,
        PROF_HEATGUN_LEFT = 26,
        PROF_HEATGUN_RIGHT = 27,
        PROF_TRAMP_ENTER_LEFT = 28,
        PROF_TRAMP_ENTER_RIGHT = 29,
        PROF_TRAMP_PUSH_LEFT = 30,
        PROF_TRAMP_PUSH_RIGHT = 31,
        PROF_FLING_RIGHT = 32,
        PROF_FLING_LEFT = 33,
        PROF_TRAMP_RECOVER = 34,
        PROF_LANDING = 35,
        PROF_TUBE_ENTRANCE = 36,
        PROF_TUBE_EXIT = 37,
        PROF_LADDER_JUMP_LEFT = 38,
        PROF_LADDER_JUMP_RIGHT = 39,
        PROF_CAUGHT_LEFT = 40,
        PROF_CAUGHT_RIGHT = 41,
        PROF_BARREL_LEFT = 42,
        PROF_BARREL_RIGHT = 43,
        PROF_CRAWL_LEFT = 44,
        PROF_CRAWL_RIGHT = 45,
        PROF_STUN_LEFT = 46,
        PROF_STUN_RIGHT = 47,
        PROF_UNSTUN_LEFT = 48,
        PROF_UNSTUN_RIGHT = 49,
        PROF_TURN_LEFT = 50,
        PROF_TURN_RIGHT = 51,
        PROF_UNTURN_LEFT = 52,
        PROF_UNTURN_RIGHT = 53,
        PROF_FREEZE = 54,
        PROF_HEAT = 55,            // singed
        PROF_THAWING = 56,
        PROF_ANIMATION_COUNT = 57,
        PROF_IDLE = 400
    };
    enum {
        IDLE_COUNT = 10,
        IDLE_FRAMES = 600,   // frames standing still before an idle animation
        SLOTS = 9,
        ICONS_PER_SLOT = 15, // the slot number, then one icon per power-up type
        DELAY_PLACE = 7,     // frames before a placed power-up or a shot takes effect
        DELAY_SIGNAL = 17,   // frames before the EMP or the whistle takes effect
        RUN_SOUND_COUNT = 6,
        CLIMB_SOUND_COUNT = 4
    };

    CElementAIProfessor(int x, int y);
    ~CElementAIProfessor() override;

    // ------------------------------------------------ input from the play screen
    // released is true on a key release.
    void setKeyLeft(bool released);
    void setKeyRight(bool released);
    void setKeyUp(bool released);
    void setKeyDown(bool released);
    void setKeyTurn(bool released); // the action key: turn round
    // Screen pixels of the pointer.
    void mouseButton(int mouseX, int mouseY, bool released);
    void mouseMove(int mouseX, int mouseY);

    // ------------------------------------------------ power-ups
    bool addPowerup(int type);
    void removePowerup(int slot);
    void usePowerup(int slot);
    void handlePowerup();
    void DumpPowerups();
    int getPowerup(int slot) const { return (slot >= 0 && slot < SLOTS) ? prof.inventory[slot] : 0; }
    int getActivePowerup() const { return prof.activePowerup; }
    bool isUsingPowerup() const { return prof.usingPowerup != 0; }
    int getHoveredSlot() const { return hoveredSlot; }
    CSprite* getIcon(int slot, int entry) const { return icons[slot][entry]; }

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ state read by the play screen and tests
    bool isEnteringTube() const { return prof.enteringTube != 0; }
    bool isExiting() const { return prof.exiting != 0; }
    bool isWalking() const { return walk.active != 0; }
    int getWalkTargetX() const { return walk.targetX; }
    int getWalkTargetY() const { return walk.targetY; }
    bool isFacingFront() const { return prof.facingFront != 0; }
    int getIdleIndex() const { return prof.idleIndex; }

    static const std::vector<WalkerAnimation>& AnimationTable();
    static const std::vector<WalkerAnimation>& IdleTable();
    // The file names of every icon frame of the power-up bar.
    static std::vector<std::string> IconFrameNames();

    // Passed as the shared-images argument of every sprite of this class:
    // 1 once the image catalogues hold all its pictures, so its sprites look
    // their frames up without taking or releasing references.
    static uint8_t sharedImages;

private:
    void setKey(uint8_t& key, bool released);
    void openUndoStep();
    void cancelWalk();
    void followWalkTarget();
    bool reserveTarget();
    void dropPowerup();
    void endPowerupUse();
    void collectPowerup();
    // Animation.
    void chooseAnimation();
    void finishedState(int finished);
    int chooseState();
    int chooseMovingState(bool left);
    int chooseRestingState();
    void showState(int newState);
    void updateSounds();
    // Icons.
    void createIcons();
    void showIcon(int slot, int type);
    void hideIcon(int slot, int type);
    void refreshSlot(int slot, int oldType, int newType);

    // What one undo step keeps of the professor.
    struct ProfessorState {
        int32_t steps;          // the profile's step count
        uint8_t enteringTube;
        uint8_t exiting;
        uint8_t usingPowerup;   // a use is playing its animation
        uint8_t idleRequest;
        uint8_t turnPending;
        uint8_t flung;          // the trampoline fling is playing out
        uint8_t unturned;       // the unturn before a power-up has finished
        uint8_t facingFront;    // faces the viewer until the first left or right key
        int32_t idleCounter;
        int32_t idleIndex;
        int32_t inventory[SLOTS];
        int32_t activePowerup;  // waiting to take effect, or a bridge still growing
        int32_t delay;
        int32_t targetX, targetY;
        uint8_t targetFacing;
    };
    ProfessorState prof;
    ProfessorState profSaved[5];

    struct WalkTarget {
        uint8_t active;
        int32_t targetX, targetY;
    };
    WalkTarget walk;

    CSprite* animations[PROF_ANIMATION_COUNT];
    CSprite* idleSprites[IDLE_COUNT];
    CSprite* icons[SLOTS][ICONS_PER_SLOT];
    int hoveredSlot = -1;
    uint8_t arrivalPlayed = 0;

    CSound* soundArrival;
    CSound* soundDeparture;
    CSound* soundFrostgun;
    CSound* soundHeatgun;
    CSound* soundEmp;
    CSound* soundWhistle;
    CSound* soundInflate;
    CSound* soundFail;
    CSound* soundElectricity;
    CSound* soundCaught;
    CSound* soundTrampoline;
    CSound* soundCrush;
    CSound* soundStuckIce;
    CSound* runSounds[RUN_SOUND_COUNT];
    int lastRun = 0;
    int runCounter = 8;
    CSound* climbSounds[CLIMB_SOUND_COUNT];
    int lastClimb = 0;
    int climbCounter = 2;
};
