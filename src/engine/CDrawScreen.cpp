// Screen side of CDraw: window set-up, video mode, load screen and load bar,
// fullscreen switch, screenshots and paced frame presentation.
#include "engine/CDraw.h"

#include <SDL_image.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/DrawServices.h"
#include "engine/Log.h"
#include "engine/UserDirs.h"
#include "profile/CProfile.h"

namespace {

const char* const kProductTitle = "Professor Bramblecot and the Copper Lantern";
const char* const kIconFile = "resource7.dat";
const char* const kLoadScreenFile = "resource0.dat";
const char* const kLoadBarFile = "resource1.dat";

Uint32 defaultTicks()
{
    return SDL_GetTicks();
}

void defaultDelay(Uint32 ms)
{
    SDL_Delay(ms);
}

// A new surface with the screen's flags, size, depth and masks holding a
// copy of the screen's picture.
SDL_Surface* copyOfScreen(SDL_Surface* screen)
{
    SDL_PixelFormat* f = screen->format;
    SDL_Surface* copy = SDL_CreateRGBSurface(screen->flags, screen->w, screen->h, f->BitsPerPixel,
                                             f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (copy)
        SDL_BlitSurface(screen, nullptr, copy, nullptr);
    return copy;
}

// Ends the program over a start-up picture that cannot be shown.
[[noreturn]] void failPicture(const char* fileName)
{
    std::string reason = SDL_GetError();
    logResourceFailure(fileName, reason.c_str());
    logError(true, "Unable to load image: %s\n", reason.c_str());
    exitFatal();
}

} // namespace

SDL_Surface* CDraw::screen = nullptr;
SDL_Surface* CDraw::icon = nullptr;
SDL_Surface* CDraw::loadBarImage = nullptr;
CProfile* CDraw::config = nullptr;
Uint8 CDraw::fullscreen = 0;
Uint8 CDraw::fpsOutput = 0;
Uint8 CDraw::flipOnly = 0;
Uint8 CDraw::fpsLock = 1;
Uint32 CDraw::framePeriod = CDraw::NORMAL_FRAME_PERIOD;
Uint8 CDraw::suspended = 0;
Uint32 CDraw::lastFrameTick = 0;
Uint32 CDraw::frameCount = 0;
Uint32 CDraw::lastFpsTick = 0;
Uint32 CDraw::lastFpsFrameCount = 0;
Uint32 CDraw::fps = 0;
int32_t CDraw::loadTotal = 0;
int32_t CDraw::loadReserve = CDraw::LOAD_CATALOGUE_UNITS;
int32_t CDraw::loadCount = 0;
int32_t CDraw::loadDrawnWidth = 0;
CDraw::TickSource CDraw::tickSource = defaultTicks;
CDraw::DelayFunction CDraw::delayFunction = defaultDelay;

CDraw::CDraw()
{
    logPrint(LOG_DRAW, "Initializing SDL...\n");
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        logError(true, "Unable to initialize SDL: %s\n", SDL_GetError());
    static bool quitRegistered = false;
    if (!quitRegistered) {
        // A fatal error ends the program by quick_exit: the display mode is
        // restored on that path too.
        atexit(SDL_Quit);
        at_quick_exit(SDL_Quit);
        quitRegistered = true;
    }

    SetWindowIcon();

    logPrint(LOG_DRAW, "Hiding cursor...\n");
    SDL_ShowCursor(0);

    SetVideoMode();
    ShowLoadScreen();
}

CDraw::~CDraw()
{
    if (screen) {
        logPrint(LOG_DRAW, "Releasing ptrScreen surface...\n");
        SDL_FreeSurface(screen);
        screen = nullptr;
    }
    if (loadBarImage) {
        SDL_FreeSurface(loadBarImage);
        loadBarImage = nullptr;
    }
    if (icon) {
        logPrint(LOG_DRAW, "Releasing ptrIcon surface...\n");
        SDL_FreeSurface(icon);
        icon = nullptr;
    }
    ClearStore();
    logPrint(LOG_DRAW, "Showing cursor...\n");
    SDL_ShowCursor(1);

    loadTotal = 0;
    loadReserve = LOAD_CATALOGUE_UNITS;
    loadCount = 0;
    loadDrawnWidth = 0;
    fullscreen = 0;
}

void CDraw::SetConfig(CProfile* profile)
{
    config = profile;
}

void CDraw::SetWindowIcon()
{
    SDL_WM_SetCaption(kProductTitle, kProductTitle);
    logPrint(LOG_DEBUG, "Loading ICON_URL:  %s\n", kIconFile);
    SDL_RWops* stream = SDL_RWFromFile(kIconFile, "rb");
    SDL_Surface* loaded = stream ? SDL_LoadBMP_RW(stream, 1) : nullptr;
    if (!loaded) {
        // The window works without an icon; say so and go on.
        logPrint(LOG_WARNING, "Unable to load window icon %s: %s\n", kIconFile, SDL_GetError());
        return;
    }
    if (icon)
        SDL_FreeSurface(icon);
    icon = loaded;
    SDL_SetColorKey(icon, SDL_SRCCOLORKEY, SDL_MapRGB(icon->format, 255, 0, 255));
    SDL_WM_SetIcon(icon, nullptr);
}

void CDraw::SetVideoMode()
{
    flipOnly = IsVistaOrLater() ? 1 : 0;
    // Without a profile the mode flag already says what is wanted.
    if (config)
        fullscreen = config->GetFullscreen() ? 1 : 0;
    Uint32 flags = fullscreen ? SDL_FULLSCREEN : 0;

    logPrint(LOG_DRAW, "Checking video mode...\n");
    int depth = SDL_VideoModeOK(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, flags);
    logPrint(LOG_DRAW, "Setting video mode...\n");
    if (depth == 0)
        depth = SCREEN_DEPTH;

    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, depth, flags);
    if (!screen)
        logError(true, "Unable to set video mode: %s\n", SDL_GetError());
    SDL_SetClipRect(screen, nullptr);
    // The profile's mouse grab needs the window, which exists only now.
    if (config)
        config->ApplyMouseGrab();
}

void CDraw::ShowLoadScreen()
{
    logPrint(LOG_DEBUG, "Loading LOAD1_URL:  %s\n", kLoadScreenFile);
    SDL_RWops* stream = SDL_RWFromFile(kLoadScreenFile, "rb");
    SDL_Surface* picture = stream ? IMG_LoadTyped_RW(stream, 1, const_cast<char*>("JPG")) : nullptr;
    if (!picture)
        failPicture(kLoadScreenFile);
    SDL_BlitSurface(picture, nullptr, screen, nullptr);
    SDL_Flip(screen);
    SDL_FreeSurface(picture);
}

// ---------------------------------------------------------------- load bar

void CDraw::LoadProgressImage(int count)
{
    logPrint(LOG_DEBUG, "Loading LOAD2_URL:  %s\n", kLoadBarFile);
    SDL_RWops* stream = SDL_RWFromFile(kLoadBarFile, "rb");
    SDL_Surface* picture = stream ? IMG_LoadTyped_RW(stream, 1, const_cast<char*>("PNG")) : nullptr;
    if (!picture)
        failPicture(kLoadBarFile);
    if (loadBarImage)
        SDL_FreeSurface(loadBarImage);
    loadBarImage = ConvertSurface(picture, 1);
    loadTotal = count + loadReserve;
    loadCount = 0;
    loadDrawnWidth = 0;
}

void CDraw::SetLoadProgress(int value)
{
    DrawLoadBar(value);
}

void CDraw::AdvanceLoadProgress(int n)
{
    loadCount += n;
    if (loadCount > loadTotal)
        loadCount = loadTotal;
    DrawLoadBar(loadCount);
}

void CDraw::DrawLoadBar(int value)
{
    if (!loadBarImage || !screen || loadTotal <= 0)
        return;
    int width = static_cast<int>(static_cast<double>(value) / loadTotal * loadBarImage->w);
    if (width <= loadDrawnWidth)
        return;
    loadDrawnWidth = width;
    SDL_Rect source = {0, 0, static_cast<Uint16>(width), static_cast<Uint16>(loadBarImage->h)};
    SDL_Rect target = {LOAD_BAR_X, LOAD_BAR_Y, 0, 0};
    SDL_BlitSurface(loadBarImage, &source, screen, &target);
    SDL_UpdateRect(screen, target.x, target.y, target.w, target.h);
}

// ---------------------------------------------------------------- mode switch

void CDraw::SwitchFullscreen(Uint8 onlyIfChanged, Uint8 wanted)
{
    if (onlyIfChanged && fullscreen == (wanted ? 1 : 0))
        return;
    // Before the window exists the next mode set reads the profile anyway.
    if (!screen)
        return;
    int mouseX = 0, mouseY = 0;
    drawGetMousePosition(&mouseX, &mouseY);
    fullscreen = fullscreen ? 0 : 1;

    SDL_Surface* picture = copyOfScreen(screen);
    SetVideoMode();
    if (picture) {
        SDL_BlitSurface(picture, nullptr, screen, nullptr);
        SDL_FreeSurface(picture);
    }
    SDL_Flip(screen);
    drawWarpMouse(mouseX, mouseY);
}

// ---------------------------------------------------------------- updates

bool CDraw::ClipRectToScreen(int& x, int& y, int& w, int& h)
{
    if (x > SCREEN_WIDTH - 1 || y > SCREEN_HEIGHT - 1)
        return false;
    if (x < 0) {
        w += x;
        x = 0;
    }
    if (y < 0) {
        h += y;
        y = 0;
    }
    if (x + w > SCREEN_WIDTH)
        w = SCREEN_WIDTH - x;
    if (y + h > SCREEN_HEIGHT)
        h = SCREEN_HEIGHT - y;
    // A rectangle wholly left of or above the screen has nothing left.
    return w > 0 && h > 0;
}

void CDraw::UpdateRectClipped(int x, int y, int w, int h)
{
    if (!screen || !ClipRectToScreen(x, y, w, h))
        return;
    SDL_UpdateRect(screen, x, y, static_cast<Uint32>(w), static_cast<Uint32>(h));
}

void CDraw::SaveScreenshot(const char* fileName)
{
    logPrint(LOG_DEBUG, "Screen Surface Saved to BMP:  %s\n", fileName);
    if (!screen)
        return;
    SDL_Surface* copy = copyOfScreen(screen);
    if (!copy)
        return;
    SDL_RWops* stream = SDL_RWFromFile(fileName, "wb");
    if (stream)
        SDL_SaveBMP_RW(copy, stream, 1);
    else
        logPrint(LOG_WARNING, "Unable to write screenshot %s\n", fileName);
    SDL_FreeSurface(copy);
}

// ---------------------------------------------------------------- frames

void CDraw::SetGameSpeed(int speed)
{
    static const Uint32 periods[12] = {66, 60, 55, 50, 45, 40, 33, 30, 25, 20, 15, 10};
    framePeriod = (speed >= 0 && speed < 12) ? periods[speed] : static_cast<Uint32>(NORMAL_FRAME_PERIOD);
}

void CDraw::SwitchFPSOutput()
{
    fpsOutput = fpsOutput ? 0 : 1;
    printf("Setting FPSOutput to %i\n", fpsOutput);
}

void CDraw::SwitchFPSLock()
{
    fpsLock = fpsLock ? 0 : 1;
    printf("Setting FPSLock to %i\n", fpsLock);
}

void CDraw::SetTimeSource(TickSource ticks, DelayFunction delay)
{
    tickSource = ticks ? ticks : defaultTicks;
    delayFunction = delay ? delay : defaultDelay;
}

void CDraw::Present(Uint8 useDirtyRects, Uint8 countFrame)
{
    if (suspended)
        return;

    // Sleep in whole milliseconds until the deadline is PACING_MARGIN ms
    // away, then only yield, so the frame is never overslept and a still
    // screen costs a few wake-ups per frame. Time spent since the last
    // present counts toward the period. A clock that reads earlier than the
    // last present (a clock swapped or wrapped) means no wait, never a wait
    // of up to 49 days.
    Uint32 wait = fpsLock ? framePeriod : 0;
    for (Uint32 now = tickSource(); now >= lastFrameTick && now - lastFrameTick < wait; now = tickSource()) {
        Uint32 left = wait - (now - lastFrameTick);
        delayFunction(left > PACING_MARGIN ? left - PACING_MARGIN : 0);
    }
    lastFrameTick = tickSource();
    if (countFrame)
        ++frameCount;

    // A clock that went back starts a new sample at once, as the pacing
    // does, rather than leaving the rate stale until it catches up.
    Uint32 sampleTick = tickSource();
    if (sampleTick < lastFpsTick || sampleTick - lastFpsTick >= 1000) {
        lastFpsTick = sampleTick;
        fps = frameCount - lastFpsFrameCount;
        lastFpsFrameCount = frameCount;
        if (fpsOutput)
            printf("FPS %i   (TICK=%i  FRAME=%i)\n", fps, lastFpsTick, frameCount);
    }

    if (screen) {
        if (useDirtyRects && !flipOnly) {
            std::vector<DrawDirtyRect> dirty;
            drawCollectDirtyRects(dirty);
            // SDL must never be asked to update outside the screen, so
            // each rectangle is clipped and empty ones are dropped.
            std::vector<SDL_Rect> rects;
            rects.reserve(dirty.size());
            for (const DrawDirtyRect& d : dirty) {
                int x = d.x, y = d.y, w = d.w, h = d.h;
                if (!ClipRectToScreen(x, y, w, h))
                    continue;
                SDL_Rect r;
                r.x = static_cast<Sint16>(x);
                r.y = static_cast<Sint16>(y);
                r.w = static_cast<Uint16>(w);
                r.h = static_cast<Uint16>(h);
                rects.push_back(r);
            }
            if (!rects.empty())
                SDL_UpdateRects(screen, static_cast<int>(rects.size()), rects.data());
        } else {
            SDL_Flip(screen);
        }
    }
    drawClearRenderLists();
}

// ---------------------------------------------------------------- surfaces

SDL_Surface* CDraw::ConvertSurface(SDL_Surface* surface, Uint8 freeSource)
{
    if (!surface)
        return nullptr;
    SDL_Surface* converted =
        surface->format->Amask ? SDL_DisplayFormatAlpha(surface) : SDL_DisplayFormat(surface);
    if (freeSource)
        SDL_FreeSurface(surface);
    return converted;
}

Uint32 CDraw::GetPixel(SDL_Surface* surface, int x, int y)
{
    int bpp = surface->format->BytesPerPixel;
    Uint8* p = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
    switch (bpp) {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<Uint16*>(p);
    case 3:
        return static_cast<Uint32>(p[0]) | (static_cast<Uint32>(p[1]) << 8) |
               (static_cast<Uint32>(p[2]) << 16);
    case 4:
        return *reinterpret_cast<Uint32*>(p);
    default:
        return 0;
    }
}

void CDraw::PutPixel(SDL_Surface* surface, int x, int y, Uint32 pixel)
{
    int bpp = surface->format->BytesPerPixel;
    Uint8* p = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * bpp;
    switch (bpp) {
    case 1:
        *p = static_cast<Uint8>(pixel);
        break;
    case 2:
        *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(pixel);
        break;
    case 3:
        p[0] = static_cast<Uint8>(pixel);
        p[1] = static_cast<Uint8>(pixel >> 8);
        p[2] = static_cast<Uint8>(pixel >> 16);
        break;
    case 4:
        *reinterpret_cast<Uint32*>(p) = pixel;
        break;
    default:
        break;
    }
}
