#include "profile/ProfileServices.h"

#include <SDL.h>

#include "engine/CDraw.h"
#include "engine/Sound.h"
#include "ui/Input.h"

bool profileScreenExists() { return CDraw::HasScreen(); }
void profileSwitchFullscreen(bool fullscreen) { CDraw::SwitchFullscreen(1, fullscreen ? 1 : 0); }
void profileSetEffectsVolume(float volume) { CSound::setEffectsVolume(volume); }
void profileSetMusicVolume(float volume) { CSound::setMusicVolume(volume); }

void profileApplyMouse(bool free, float speed)
{
    // A free mouse leaves the window at will and moves at the desktop's
    // pace; a grabbed one stays in the window and moves by scaled steps.
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_WM_GrabInput(free ? SDL_GRAB_OFF : SDL_GRAB_ON);
    setMouseCaptured(free ? 1 : 0);
    setMouseSpeed(speed);
}
