// The engine services a profile applies its settings to: the screen mode,
// the sound volumes and the mouse. Each is one small function here, so the
// profile does not depend on how the screen, sound and input are built.
#pragma once

#include <SDL.h>

// True once the game window exists.
bool profileScreenExists();
// Switches the window to fullscreen or windowed (nothing when already so).
void profileSwitchFullscreen(bool fullscreen);
// Effect volume 0..1 and music volume 0..1.
void profileSetEffectsVolume(float volume);
void profileSetMusicVolume(float volume);
// Mouse grab (released when free; only once the window exists) and the
// input's capture and speed.
void profileApplyMouse(bool free, float speed);
// The SDL call that grabs or releases the input (SDL_WM_GrabInput unless
// replaced; null restores it).
typedef SDL_GrabMode (*ProfileGrabFunction)(SDL_GrabMode);
void profileSetGrabFunction(ProfileGrabFunction grab);
