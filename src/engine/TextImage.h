// Text pictures that enter the image store: catalogue labels and sprite
// frames made from a string of the string table.
#pragma once

#include <SDL.h>

// String id whose text takes a label as its first parameter; sprites use it
// for texts given at run time (CSprite::ReplaceFrames).
enum { TEXT_IMAGE_LABEL_STRING_ID = 300 };

// Renders string stringId (with up to six parameters %1 to %6, or none)
// into a width x height box with the given alignment. A text that renders
// to nothing gives a transparent box, so a picture of the box size always
// comes back. The caller owns the surface.
SDL_Surface* renderTextBox(int width, int height, int align, int stringId, const char* parameter = nullptr,
                           const char* parameter2 = nullptr, const char* parameter3 = nullptr,
                           const char* parameter4 = nullptr, const char* parameter5 = nullptr,
                           const char* parameter6 = nullptr);

// The same with a plain text as the only parameter %1, shown as it is: a
// name or a file name, whose "%" starts no markup.
SDL_Surface* renderPlainTextBox(int width, int height, int align, int stringId, const char* text);
