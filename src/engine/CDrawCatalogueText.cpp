#include "engine/CDrawCatalogueText.h"

// Every text picture of the catalogues is made here. Until the text system
// renders strings, the label is a transparent picture of the right size.
SDL_Surface* catalogueTextImage(int width, int height, int align, int stringId)
{
    (void)align;
    (void)stringId;
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, width, height, 32,
                                                0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000);
    if (surface)
        SDL_FillRect(surface, nullptr, 0);
    return surface;
}
