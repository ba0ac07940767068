// The intro: the root controller. It shows our splash screens one after
// another, each fading in over a black backdrop, holding, and fading out.
// The last one holds and then opens the main menu. A key or a click skips
// to the last splash at once, and one more opens the main menu. When the
// main menu closes, the intro ends the program.
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

    // The main menu (null until it opened, and again once it closed).
    CController* GetMenu() const { return menu; }
    // What the intro opens after the splashes (the main menu unless
    // replaced; null restores it).
    typedef CController* (*MenuFactory)();
    static void SetMenuFactory(MenuFactory factory);

    // The millisecond clock of the splash timing (SDL_GetTicks unless
    // replaced; null restores it).
    typedef Uint32 (*TickSource)();
    static void SetTickSource(TickSource source);

private:
    void ShowLogo(int i, Uint32 now);
    void SkipToLast();
    void Advance(Uint32 now);
    int LastLogo() const;
    void OpenMenu();

    CSprite* logos[LOGO_COUNT];
    CSprite* backdrop;
    int shownLogo;
    bool fadingOut;
    bool started;
    Uint32 startTime;
    Uint32 logoStart;
    CController* menu;

    static TickSource tickSource;
    static MenuFactory menuFactory;
};
