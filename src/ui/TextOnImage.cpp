#include "ui/TextOnImage.h"

#include <SDL.h>

#include "engine/CDraw.h"
#include "engine/TextRender.h"

namespace {

// Blends a rendered text onto the image and frees it. A text that renders
// to nothing (empty) leaves the image as it is.
bool blitAndFree(SDL_Surface* text, int imageId, int x, int y)
{
    if (!text)
        return false;
    SDL_Surface* target = CDraw::GetImageSurface(imageId);
    if (target) {
        SDL_Rect where = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
        SDL_BlitSurface(text, nullptr, target, &where);
    }
    SDL_FreeSurface(text);
    return true;
}

} // namespace

bool drawTextOnImage(int stringId, int imageId, int align, int width, int height, int x, int y,
                     const char* p1, const char* p2, const char* p3, const char* p4, const char* p5,
                     const char* p6)
{
    return blitAndFree(renderString(width, height, align, stringId, p1, p2, p3, p4, p5, p6), imageId, x, y);
}

bool drawPlainTextOnImage(int stringId, int imageId, int align, int width, int height, int x, int y,
                          const char* text)
{
    std::vector<Uint16> units = plainTextUnits(text);
    return blitAndFree(renderStringW(width, height, align, stringId, units.data()), imageId, x, y);
}

bool drawSmallTextOnImage(const char* text, int imageId, int align, int width, int height, int x, int y)
{
    return blitAndFree(renderText(width, height, align, 5, "resource6.dat", 23, 24, 34, 83, text), imageId, x, y);
}
