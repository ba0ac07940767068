// The text pictures of the image catalogues (button labels and notices).
#pragma once

#include <SDL.h>

// A new 32-bit surface of width x height holding string stringId of the
// string table, aligned in the box (3 centres both ways); the caller owns
// it. Null when the text cannot be rendered.
SDL_Surface* catalogueTextImage(int width, int height, int align, int stringId);
