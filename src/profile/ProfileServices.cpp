#include "profile/ProfileServices.h"

#include "engine/CDraw.h"
#include "engine/Sound.h"

// The input service is not part of the program yet; until it is, the mouse
// settings are stored and not applied.

bool profileScreenExists() { return CDraw::HasScreen(); }
void profileSwitchFullscreen(bool fullscreen) { CDraw::SwitchFullscreen(1, fullscreen ? 1 : 0); }
void profileSetEffectsVolume(float volume) { CSound::setEffectsVolume(volume); }
void profileSetMusicVolume(float volume) { CSound::setMusicVolume(volume); }
void profileApplyMouse(bool, float) {}
