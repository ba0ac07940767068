// The clickable level dot of the world map. A dot shows its level's state
// (locked, incomplete, completed), plays an appear animation when it comes
// onto the map, rolls over, pulses while it is the selected level, and for
// a tutorial level carries an animated star instead. It activates on the
// press of the left button and reports to the map:
//   -1 for a locked dot, else 1 for a completed level and 0 for another,
//   with the double-click flag on a second press within 15 frames (or on a
//   keyboard activation).
#pragma once

#include <cstdint>

#include "ui/CGuiButtonBase.h"

class CSound;
class CSprite;

class CGuiButtonMapDot : public CGuiButtonBase {
public:
    enum State { STATE_LOCKED = 0, STATE_COMPLETED = 2, STATE_INCOMPLETE = 3 };
    enum Mode {
        MODE_IDLE = 0,
        MODE_ROLLED_OVER = 1,
        MODE_APPEARING = 3,      // the shrink strip, then the grow strip
        MODE_APPEAR_PENDING = 4, // the grow strip after the delay
        MODE_SELECTED = 5,
        MODE_STAR_APPEARING = 6  // tutorial dots: the star appears, then pulses
    };
    enum {
        LAYER_DOT = 1421,
        LAYER_PULSE = 1422,
        LAYER_STAR = 1423,
        FRAME_DELAY = 2,
        DOUBLE_CLICK_FRAMES = 15,
        SOUND_FRAME = 2, // the appear strip's third frame
        STAR_FRAMES = 60,
        STAR_WAIT_LIMIT = 30
    };

    CGuiButtonMapDot(int x, int y, int id, CController* listener, int isTutorial, int state, int mode, int delay,
                     bool isDefault);
    ~CGuiButtonMapDot() override;

    // The id of the selected dot, or -1.
    static int GetSelectedId();
    static void ResetSelection() { selectedIndex = -1; }

    // Reports a double click when the mouse is held or when forced.
    void Notify(bool force);
    int GetSpriteX() const;
    int GetSpriteY() const;

    void Update() override;
    bool Activate(bool fromKeyboard, bool force) override;
    void Hide() override;
    void Show() override;
    bool IsMouseOver() override;
    void CenterMouse() override;

    int GetState() const { return state; }
    int GetMode() const { return mode; }
    int GetDelay() const { return delay; }
    bool IsTutorial() const { return isTutorial != 0; }
    bool IsWaiting() const { return waiting != 0; }
    CSprite* GetCurrentSprite() const { return current; }
    CSprite* GetBaseSprite() const { return base; }
    CSprite* GetRolloverSprite() const { return rollover; }
    CSprite* GetShrinkSprite() const { return shrink; }
    CSprite* GetGrowSprite() const { return grow; }
    CSprite* GetPulseSprite() const { return pulse; }
    CSprite* GetSecondStarSprite() const { return secondStar; }

private:
    CSprite* MakeStrip(const char* prefix, int first, int last, int layer, int x, int y, bool looping);
    CSprite* MakeStill(const char* image, int x, int y);
    // Puts sprite on screen in place of the current one, at frame.
    void SwitchTo(CSprite* sprite, int frame);
    void Select();
    int ReportValue() const { return state == STATE_COMPLETED ? 1 : 0; }
    void StartStars();

    CSound* dotSound;
    CSprite* current;
    CSprite* base;
    CSprite* rollover;
    CSprite* shrink;
    CSprite* grow;
    CSprite* pulse;
    CSprite* secondStar;
    int isTutorial;
    int state;
    int mode;
    int delay;
    int doubleClickCounter;
    uint8_t direction;
    uint8_t waiting;
    int waitCounter;
    // Whether the pointer was over the dot in the last update: the rollover
    // sound plays once on arrival.
    bool hovered;
    bool soundPlayed;

    static int selectedIndex;
};
