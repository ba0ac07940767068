#include "engine/TextImage.h"

#include <vector>

#include "engine/TextRender.h"

namespace {

// The rendered text, or a transparent box of the size when it rendered to
// nothing.
SDL_Surface* orBlankBox(SDL_Surface* text, int width, int height)
{
    if (text)
        return text;
    SDL_Surface* blank = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, width > 0 ? width : 1,
                                              height > 0 ? height : 1, 32, 0x00ff0000, 0x0000ff00,
                                              0x000000ff, 0xff000000);
    if (blank)
        SDL_FillRect(blank, nullptr, 0);
    return blank;
}

} // namespace

SDL_Surface* renderTextBox(int width, int height, int align, int stringId, const char* parameter,
                           const char* parameter2, const char* parameter3, const char* parameter4,
                           const char* parameter5, const char* parameter6)
{
    return orBlankBox(renderString(width, height, align, stringId, parameter, parameter2, parameter3, parameter4,
                                   parameter5, parameter6),
                      width, height);
}

SDL_Surface* renderPlainTextBox(int width, int height, int align, int stringId, const char* text)
{
    std::vector<Uint16> units = plainTextUnits(text);
    return orBlankBox(renderStringW(width, height, align, stringId, units.data()), width, height);
}
