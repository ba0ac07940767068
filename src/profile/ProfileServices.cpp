#include "profile/ProfileServices.h"

#include "engine/Sound.h"

// The screen and input services are not part of the program yet; until they
// are, those settings are stored and not applied.

bool profileScreenExists() { return false; }
void profileSwitchFullscreen(bool) {}
void profileSetEffectsVolume(float volume) { CSound::setEffectsVolume(volume); }
void profileSetMusicVolume(float volume) { CSound::setMusicVolume(volume); }
void profileApplyMouse(bool, float) {}
