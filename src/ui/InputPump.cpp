// The event pump that feeds the current controller, and the screenshot key.
#include <SDL.h>
#include <cstdio>
#include <ctime>

#include "engine/CDraw.h"
#include "engine/Log.h"
#include "profile/CProfile.h"
#include "ui/CController.h"
#include "ui/CGuiButtonBase.h"
#include "engine/Input.h"
#include "ui/InputPump.h"

namespace {

void handleMouseMotion(CController* c, const SDL_MouseMotionEvent& motion)
{
    if (!isOwnWarpMotion(motion.x, motion.y, motion.xrel, motion.yrel))
        noteMouseUse();
    if (isMouseCaptured()) {
        // Absolute positions: only a real change is passed on.
        int x = motion.x;
        int y = motion.y;
        if (x == getMouseX() && y == getMouseY())
            return;
        setMouseX(x);
        setMouseY(y);
        c->InputMouseMotion(x, y);
        return;
    }
    // Relative motion scaled by the speed, kept with its fraction and
    // clamped to the screen (800 and 600 themselves included).
    if (motion.xrel == 0 && motion.yrel == 0)
        return;
    float fx = getMouseFloatX() + motion.xrel * getMouseSpeed();
    float fy = getMouseFloatY() + motion.yrel * getMouseSpeed();
    if (fx < 0.0f)
        fx = 0.0f;
    if (fx > 800.0f)
        fx = 800.0f;
    if (fy < 0.0f)
        fy = 0.0f;
    if (fy > 600.0f)
        fy = 600.0f;
    setMouseFloatX(fx);
    setMouseFloatY(fy);
    setMouseX(static_cast<int>(fx));
    setMouseY(static_cast<int>(fy));
    c->InputMouseMotion(getMouseX(), getMouseY());
}

void handleMouseButton(CController* c, const SDL_MouseButtonEvent& button, bool released)
{
    if (!released)
        noteMouseUse();
    switch (button.button) {
    case SDL_BUTTON_LEFT:
        // Widgets see the press or release before the screen does.
        CGuiButtonBase::ChangeMouseHeld(released ? 1 : 0, true);
        c->InputMouseButton(released, true, false, false, false);
        break;
    case SDL_BUTTON_MIDDLE:
        if (!released)
            logPrint(LOG_DEBUG, "Mouse Location:  (%i,%i)\n", getMouseX(), getMouseY());
        break;
    case SDL_BUTTON_RIGHT:
        c->InputMouseButton(released, false, true, false, false);
        break;
    case SDL_BUTTON_WHEELUP:
        if (!released)
            c->InputMouseButton(false, false, false, true, false);
        break;
    case SDL_BUTTON_WHEELDOWN:
        if (!released)
            c->InputMouseButton(false, false, false, false, true);
        break;
    default:
        break;
    }
}

} // namespace

void pumpEvents(CController* c)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        // A handler that launched a child made c inactive: the rest of the
        // queue waits for the child.
        if (!c->IsActive())
            return;
        switch (event.type) {
        case SDL_QUIT:
            // The program closes: nothing queued behind the close may
            // launch a screen, which would take the exit code back.
            c->SetExitCode(-1);
            return;
        case SDL_ACTIVEEVENT:
            if (event.active.gain == 1)
                CDraw::Present(0, 0);
            break;
        case SDL_KEYDOWN: {
            int key = event.key.keysym.sym;
            if (key < KEY_RSHIFT || key > KEY_LALT)
                noteKeyboardUse();
            if (key == KEY_RETURN && (event.key.keysym.mod & (KMOD_LALT | KMOD_RALT))) {
                if (CProfile* profile = getInputProfile())
                    profile->FlipFullscreen();
                break;
            }
            if (!c->InputModKey(false, key))
                c->InputKey(false, key);
            break;
        }
        case SDL_KEYUP: {
            int key = event.key.keysym.sym;
            if (!c->InputModKey(true, key))
                c->InputKey(true, key);
            break;
        }
        case SDL_MOUSEMOTION:
            handleMouseMotion(c, event.motion);
            break;
        case SDL_MOUSEBUTTONDOWN:
            handleMouseButton(c, event.button, false);
            break;
        case SDL_MOUSEBUTTONUP:
            handleMouseButton(c, event.button, true);
            break;
        default:
            break;
        }
    }
}

void disableUnicodeInput2()
{
    SDL_EnableUNICODE(0);
}

void CController::PollInput()
{
    pumpEvents(this);
}

bool CController::InputScreenCapture(bool released, int key)
{
    if (key != KEY_KEYPAD0)
        return false;
    if (released)
        return true;
    char stamp[32] = "";
    time_t now = time(nullptr);
    struct tm local;
    if (localtime_r(&now, &local))
        strftime(stamp, sizeof stamp, "%y%m%d_%H%M%S", &local);
    char fileName[64];
    snprintf(fileName, sizeof fileName, "capture_%s.bmp", stamp);
    CDraw::SaveScreenshot(fileName);
    printf("Screen captured:  %s\n", fileName);
    return true;
}
