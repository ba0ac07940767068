#include "profile/ProfileServices.h"

// The screen, sound and input services are not part of the program yet;
// until they are, a profile's settings are stored and not applied.

bool profileScreenExists() { return false; }
void profileSwitchFullscreen(bool) {}
void profileSetEffectsVolume(float) {}
void profileSetMusicVolume(float) {}
void profileApplyMouse(bool, float) {}
