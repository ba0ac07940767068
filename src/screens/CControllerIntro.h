// The intro: the root controller. It shows our splash screens one after
// another, each fading in over a black backdrop, holding, and fading out;
// the last one stays until the window is closed. A key or a click skips to
// the last splash at once.
#pragma once

#include <SDL.h>

#include "ui/CController.h"

class CSprite;

class CControllerIntro : public CController {
public:
    enum {
        LOGO_COUNT = 3,
        LOGO_LAYER = 1430,
        BACKDROP_LAYER = 1410,
        FADE_MS = 500,
        HOLD_MS = 3000
    };

    CControllerIntro();
    ~CControllerIntro() override;

    void Pump() override;
    void InputKey(bool released, int key) override;
    void InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown) override;
    void GUICallback(int index, int value, bool dclick) override;
    void InputMouseMotion(int x, int y) override;

    // The splash being shown (-1 before the first frame).
    int GetShownLogo() const { return shownLogo; }
    Uint32 GetStartTime() const { return startTime; }
    bool HasStarted() const { return started; }
    CSprite* GetLogoSprite(int i) const { return (i >= 0 && i < LOGO_COUNT) ? logos[i] : nullptr; }

    // The millisecond clock of the splash timing (SDL_GetTicks unless
    // replaced; null restores it).
    typedef Uint32 (*TickSource)();
    static void SetTickSource(TickSource source);

private:
    void ShowLogo(int i, Uint32 now);
    void SkipToLast();
    void Advance(Uint32 now);
    int LastLogo() const;

    CSprite* logos[LOGO_COUNT];
    CSprite* backdrop;
    int shownLogo;
    bool fadingOut;
    bool started;
    Uint32 startTime;
    Uint32 logoStart;

    static TickSource tickSource;
};
