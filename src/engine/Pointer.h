// The program's own mouse pointer: an arrow and an hourglass, two sprites of
// the front-most layer that follow the mouse. Screens hide both while they
// build themselves, show the hourglass before long blocking work and count a
// short delay down after which the arrow comes back.
#pragma once

class CSprite;

enum { POINTER_SPRITE_TYPE = 1305 };

// Creates the arrow and the hourglass ("mousepointer.tga", "hourglass.tga"
// of the image store), both hidden; the hiding counter starts at -1.
void createPointers2();
// Deletes the arrow, then the hourglass.
void destroyPointers2();

// Places the arrow at the mouse and the hourglass centred 6 pixels right of
// and 1 pixel below it.
void pointerFollowMouse();
// Hides both and raises the hiding counter to frames if it is lower.
void hidePointers(int frames);
// Counts the hiding counter down; once it is below 0, hides the hourglass
// and shows the arrow, unless the player is using the keys (the arrow then
// stays hidden until the mouse moves).
void tickHourglass();
// Shows the hourglass in place of a visible arrow; with drawNow it is drawn
// onto the display at once, as the frame loop is about to block.
void showBusyPointer(bool drawNow);
// Moves the mouse to (x, y), clamped to 0..800 and 0..600. The motion this
// makes is the program's own: it does not end the use of the keys.
void warpMouse(int x, int y);

// Take both sprites out of the registered sprite list, or register both.
void pointerRemoveSprites();
void pointerReaddSprites();

CSprite* getPointerArrow();
CSprite* getPointerHourglass();
int getPointerHideCounter();
