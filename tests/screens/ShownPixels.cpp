#include "screens/ShownPixels.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstring>

#include "engine/CDraw.h"

namespace screentest {

namespace {

Picture fromSurface(SDL_Surface* s)
{
    Picture p;
    p.width = s->w;
    p.height = s->h;
    p.pixels.resize(static_cast<size_t>(s->w) * static_cast<size_t>(s->h));
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            Uint8 r, g, b;
            SDL_GetRGB(CDraw::GetPixel(s, x, y), s->format, &r, &g, &b);
            p.pixels[static_cast<size_t>(y) * static_cast<size_t>(s->w) + x] =
                (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | b;
        }
    SDL_UnlockSurface(s);
    return p;
}

uint32_t channel(unsigned long pixel, unsigned long mask)
{
    if (!mask)
        return 0;
    int shift = 0;
    while (!(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    unsigned long v = (pixel >> shift) & mask;
    return static_cast<uint32_t>(v * 255 / mask);
}

} // namespace

bool inRealWindow()
{
    char name[32] = "";
    return SDL_VideoDriverName(name, sizeof name) && strcmp(name, "x11") == 0;
}

Picture shownPicture()
{
    SDL_Surface* screen = CDraw::GetScreen();
    if (!inRealWindow())
        return fromSurface(screen);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1)
        return fromSurface(screen);
    Display* display = info.info.x11.display;
    info.info.x11.lock_func();
    XSync(display, False);
    XImage* image =
        XGetImage(display, info.info.x11.window, 0, 0, static_cast<unsigned>(screen->w),
                  static_cast<unsigned>(screen->h), AllPlanes, ZPixmap);
    info.info.x11.unlock_func();
    if (!image)
        return fromSurface(screen);
    Picture p;
    p.width = screen->w;
    p.height = screen->h;
    p.pixels.resize(static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            unsigned long v = XGetPixel(image, x, y);
            p.pixels[static_cast<size_t>(y) * static_cast<size_t>(p.width) + x] =
                (channel(v, image->red_mask) << 16) | (channel(v, image->green_mask) << 8) |
                channel(v, image->blue_mask);
        }
    XDestroyImage(image);
    return p;
}

bool savePicture(const Picture& picture, const std::string& path)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, picture.width, picture.height, 32, 0xff0000, 0xff00,
                                          0xff, 0);
    if (!s)
        return false;
    SDL_LockSurface(s);
    for (int y = 0; y < picture.height; ++y)
        memcpy(static_cast<Uint8*>(s->pixels) + y * s->pitch,
               &picture.pixels[static_cast<size_t>(y) * static_cast<size_t>(picture.width)],
               static_cast<size_t>(picture.width) * 4);
    SDL_UnlockSurface(s);
    bool ok = SDL_SaveBMP(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

} // namespace screentest
