#include "profile/ProfileServices.h"

#include "engine/CDraw.h"

// The sound and input services are not part of the program yet; until they
// are, those settings are stored and not applied.

bool profileScreenExists() { return CDraw::HasScreen(); }
void profileSwitchFullscreen(bool fullscreen) { CDraw::SwitchFullscreen(1, fullscreen ? 1 : 0); }
void profileSetEffectsVolume(float) {}
void profileSetMusicVolume(float) {}
void profileApplyMouse(bool, float) {}
