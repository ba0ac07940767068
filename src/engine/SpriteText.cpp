#include "engine/SpriteText.h"

// The text system is not part of the program yet: until it is, the box is
// returned fully transparent, so sprites get the right size and draw nothing.
SDL_Surface* spriteRenderString(int stringId, const char* parameter, int width, int height, int align)
{
    (void)stringId;
    (void)parameter;
    (void)align;
    if (width < 1)
        width = 1;
    if (height < 1)
        height = 1;
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, width, height, 32, 0x00ff0000,
                                                0x0000ff00, 0x000000ff, 0xff000000);
    if (surface)
        SDL_FillRect(surface, nullptr, 0);
    return surface;
}
