// Text pictures that enter the image store: catalogue labels and sprite
// frames made from a string of the string table.
#pragma once

#include <SDL.h>

// String id whose text takes a label as its first parameter; sprites use it
// for texts given at run time (CSprite::ReplaceFrames).
enum { TEXT_IMAGE_LABEL_STRING_ID = 300 };

// Renders string stringId (with parameter as its first parameter, or none)
// into a width x height box with the given alignment. A text that renders
// to nothing gives a transparent box, so a picture of the box size always
// comes back. The caller owns the surface.
SDL_Surface* renderTextBox(int width, int height, int align, int stringId, const char* parameter = nullptr);
