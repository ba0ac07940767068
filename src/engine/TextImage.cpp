#include "engine/TextImage.h"

#include "engine/TextRender.h"

SDL_Surface* renderTextBox(int width, int height, int align, int stringId, const char* parameter)
{
    if (SDL_Surface* text = renderString(width, height, align, stringId, parameter))
        return text;
    SDL_Surface* blank = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, width > 0 ? width : 1,
                                              height > 0 ? height : 1, 32, 0x00ff0000, 0x0000ff00,
                                              0x000000ff, 0xff000000);
    if (blank)
        SDL_FillRect(blank, nullptr, 0);
    return blank;
}
