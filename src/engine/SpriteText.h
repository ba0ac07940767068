// Text pictures for sprites whose frame is a rendered string (labels of
// widgets and dialogs). The one place where sprites reach the text system.
#pragma once

#include <SDL.h>

// String id used by CSprite::ReplaceFrames: its text takes the label as its
// first parameter.
enum { SPRITE_TEXT_STRING_ID = 300 };

// Renders string stringId of the string table, with parameter as its first
// parameter (null: no parameters), into a width x height box with the given
// alignment. Returns a new 32-bit surface with alpha that the caller owns.
SDL_Surface* spriteRenderString(int stringId, const char* parameter, int width, int height, int align);
