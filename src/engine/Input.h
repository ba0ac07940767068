// The program's view of the mouse: its position in screen pixels, the
// fractional position kept while motion is relative, the speed factor on
// relative motion, and the capture mode (1: events carry absolute positions;
// 0: relative motion scaled by the speed). The event pump keeps these up to
// date; the pointer, the widgets and the profile read and set them.
#pragma once

#include <cstdint>

class CProfile;

int getMouseX();
int getMouseY();
void setMouseX(int x);
void setMouseY(int y);
float getMouseFloatX();
float getMouseFloatY();
void setMouseFloatX(float x);
void setMouseFloatY(float y);
float getMouseSpeed();
void setMouseSpeed(float speed);
uint8_t isMouseCaptured();
void setMouseCaptured(uint8_t captured);

// Which hand the player is using. A key press puts the program in keyboard
// use: the pointer stays hidden, and a screen opened now was opened from the
// keyboard and starts on its default button. A real move of the mouse or a
// mouse button ends it. The moves that the program makes itself (the pointer
// warped onto a focused widget) do not count: warpMouse notes each target
// with noteWarpTarget, and the event pump takes a motion to a noted target as
// the program's own.
void noteKeyboardUse();
void noteMouseUse();
bool isKeyboardInUse();
void noteWarpTarget(int x, int y);
// Whether a motion event is one of the program's own warps (absolute
// position x, y, or relative motion xrel, yrel while the mouse is not
// captured).
bool isOwnWarpMotion(int x, int y, int xrel, int yrel);

// The current profile, used for the fullscreen toggle (Alt+Return).
void setInputProfile(CProfile* profile);
CProfile* getInputProfile();
