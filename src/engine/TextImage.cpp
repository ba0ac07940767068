#include "engine/TextImage.h"

#include "engine/TextRender.h"

SDL_Surface* renderTextBox(int width, int height, int align, int stringId, const char* parameter,
                           const char* parameter2, const char* parameter3, const char* parameter4,
                           const char* parameter5, const char* parameter6)
{
    if (SDL_Surface* text = renderString(width, height, align, stringId, parameter, parameter2, parameter3,
                                         parameter4, parameter5, parameter6))
        return text;
    SDL_Surface* blank = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, width > 0 ? width : 1,
                                              height > 0 ? height : 1, 32, 0x00ff0000, 0x0000ff00,
                                              0x000000ff, 0xff000000);
    if (blank)
        SDL_FillRect(blank, nullptr, 0);
    return blank;
}
