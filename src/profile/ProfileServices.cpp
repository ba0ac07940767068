#include "profile/ProfileServices.h"

#include <SDL.h>

#include "engine/CDraw.h"
#include "engine/Sound.h"
#include "engine/Input.h"

bool profileScreenExists() { return CDraw::HasScreen(); }
void profileSwitchFullscreen(bool fullscreen) { CDraw::SwitchFullscreen(1, fullscreen ? 1 : 0); }
void profileSetEffectsVolume(float volume) { CSound::setEffectsVolume(volume); }
void profileSetMusicVolume(float volume) { CSound::setMusicVolume(volume); }

namespace {
ProfileGrabFunction g_grabInput = SDL_WM_GrabInput;
} // namespace

void profileSetGrabFunction(ProfileGrabFunction grab)
{
    g_grabInput = grab ? grab : SDL_WM_GrabInput;
}

void profileApplyMouse(bool free, float speed)
{
    // A free mouse leaves the window at will and moves at the desktop's
    // pace; a grabbed one stays in the window and moves by scaled steps.
    // The grab needs the window: the screen applies the setting again once
    // it has opened it.
    if (CDraw::HasScreen())
        g_grabInput(free ? SDL_GRAB_OFF : SDL_GRAB_ON);
    setMouseCaptured(free ? 1 : 0);
    setMouseSpeed(speed);
}
