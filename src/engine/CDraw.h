// The screen and every picture that reaches it.
//
// CDraw owns the SDL window (caption, icon, the 800 x 600 video mode, the
// load screen and load bar shown during start-up, the fullscreen switch,
// screenshots and the paced presentation of each frame with the frame
// counter), the image store (decoded surfaces addressed by image id, named
// images with reference counts) and the preloader that reads every image
// file's bytes at start-up and then runs the image catalogues.
//
// All state is static. main() constructs one CDraw object after the profile
// exists and destroys it at shutdown; the object itself carries no data.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CProfile;

// One named image of the store.
struct CImageRecord {
    int32_t refs;   // holders; 0 for a preloaded file that is not decoded
    int32_t id;     // image id of the decoded surface, -1 while not decoded
    uint8_t* bytes; // the whole image file; null for images made at run time
    int32_t size;   // byte count of bytes; 0 marks an image made at run time
};

class CDraw {
public:
    enum {
        SCREEN_WIDTH = 800,
        SCREEN_HEIGHT = 600,
        SCREEN_DEPTH = 32,
        LOAD_BAR_X = 360,
        LOAD_BAR_Y = 527,
        // Load-bar units of the image catalogues: 141 steps of 100.
        LOAD_CATALOGUE_UNITS = 14100,
        NORMAL_FRAME_PERIOD = 33,
        // The last milliseconds before a frame's deadline, which the
        // pacing only yields through instead of sleeping.
        PACING_MARGIN = 1
    };

    CDraw();
    ~CDraw();
    CDraw(const CDraw&) = delete;
    CDraw& operator=(const CDraw&) = delete;

    // ------------------------------------------------ screen (CDrawScreen.cpp)
    static void SetConfig(CProfile* profile);
    static void SetWindowIcon();
    static void SetVideoMode();
    static void ShowLoadScreen();
    static SDL_Surface* GetScreen() { return screen; }

    // Load bar: total = count (image files) + the reserve for what start-up
    // loads after them; the bar only grows. The reserve is the catalogues'
    // units unless start-up sets it from the real sound and level counts.
    static void LoadProgressImage(int count);
    static void SetLoadReserve(int units) { loadReserve = units; }
    static int GetLoadReserve() { return loadReserve; }
    static void SetLoadProgress(int value);
    static void AdvanceLoadProgress(int n);
    static int GetLoadTotal() { return loadTotal; }
    static int GetLoadCount() { return loadCount; }
    static int GetLoadDrawnWidth() { return loadDrawnWidth; }

    // Switches between fullscreen and windowed keeping the picture and the
    // mouse position. With onlyIfChanged nothing happens when the mode
    // already equals wanted.
    static void SwitchFullscreen(Uint8 onlyIfChanged, Uint8 wanted);
    static Uint8 IsFullscreen() { return fullscreen; }
    static bool HasScreen() { return screen != nullptr; }

    static void SetScreenUpdatesSuspended(int flag) { suspended = flag ? 1 : 0; }
    // Clips the rectangle to the screen; false when nothing of it is left.
    static bool ClipRectToScreen(int& x, int& y, int& w, int& h);
    static void UpdateRectClipped(int x, int y, int w, int h);
    static void SaveScreenshot(const char* fileName);

    // Frame period from the game speed 0..11; every other value gives 33 ms.
    static void SetGameSpeed(int speed);
    static Uint32 GetFramePeriod() { return framePeriod; }
    static Uint32 GetFrameCount() { return frameCount; }
    static Uint32 GetFps() { return fps; }
    static void SwitchFPSOutput();
    static void SwitchFPSLock();
    // Waits out the frame period, counts the frame when asked, and brings
    // the renderer's dirty rectangles (or the whole screen) to the display.
    static void Present(Uint8 useDirtyRects, Uint8 countFrame);

    // The clock the frame pacing reads and sleeps with (SDL_GetTicks and
    // SDL_Delay unless replaced; null restores them).
    typedef Uint32 (*TickSource)();
    typedef void (*DelayFunction)(Uint32 ms);
    static void SetTimeSource(TickSource ticks, DelayFunction delay);

    // Display-format copy (with alpha when the surface has an alpha mask).
    static SDL_Surface* ConvertSurface(SDL_Surface* surface, Uint8 freeSource);
    // Pixel access on a locked surface, coordinates inside it.
    static Uint32 GetPixel(SDL_Surface* surface, int x, int y);
    static void PutPixel(SDL_Surface* surface, int x, int y, Uint32 pixel);

    // ------------------------------------------------ image store (CDrawImages.cpp)
    static int GetImage(const char* name);
    static void ReleaseImage(int id);
    static void ReleaseImageByName(const char* name);
    static int RetainImage(int id);
    static int FindImageId(const char* name);
    static const char* FindImageName(int id);
    // The record reachable under name, or null.
    static const CImageRecord* FindImageRecord(const char* name);
    static SDL_Surface* GetImageSurface(int id);
    static int GetImageWidth(int id);
    static int GetImageHeight(int id);
    static int GetImageCount() { return static_cast<int>(images.size()); }

    static int loadImage(SDL_RWops* stream, const char* name);
    static int loadImageFile(const char* name);
    static int AddSurface(SDL_Surface* surface);
    static int LoadSurface(SDL_Surface* surface, const char* name);
    static int CopyScreenToImage(const char* name);
    static int CreateImage(int w, int h, const char* name);
    static int CreateScreenSizedImage(const char* name);
    static int CopyImage(const char* source, const char* target, int dA);
    static void CopyImageSeries(const char* sourcePrefix, const char* targetPrefix, int from, int to,
                                const char* suffix, int dA);
    static void MakeFadedSeries(const char* name, int n, int step);
    static int GetImageSeries(const char* prefix, int from, int to, const char* suffix);
    static void DrawImageOnImage(const char* name, int targetId, int x, int y);
    static int PadImage(const char* name, const char* newName, int left, int right, int top, int bottom);

    static void DrawImage(int id, Sint16 x, Sint16 y);
    static void DrawImagePart(int id, Sint16 x, Sint16 y, int sx, int sy, int w, int h);
    static void BlitImageRects(int id, SDL_Rect* source, SDL_Rect* destination);
    static void BlitImageToSurface(int id, SDL_Surface* target, Sint16 x, Sint16 y, Sint16 sx, Sint16 sy,
                                   int w, int h);
    static void BlitImageToImage(int sourceId, int targetId, Sint16 x, Sint16 y);
    static void SetImageAlpha(int id, Uint8 alpha, Uint32 flags);
    static void AdjustImageAlpha(int id, int dA);

    static void DumpPixels(int id);
    static void DumpImageBuffers(bool all);

    // ------------------------------------------------ preloader (CDrawPreload.cpp)
    // 1: loose files of "resource/"; 0: the archive "resource2.dat".
    static void SetLoadFromDirectory(Uint8 flag) { loadFromDirectory = flag ? 1 : 0; }
    static Uint8 GetLoadFromDirectory() { return loadFromDirectory; }
    // Reads every image file into memory, then runs the image catalogues
    // while worker threads decode the files.
    static void PreloadImages();
    // Worker threads that decode image files while the catalogues run, the
    // main thread decoding what no worker has started: -1 (the default) one
    // per processor beyond the first; 0 none, and the pictures are decoded
    // as they always were, one by one on the main thread when first asked
    // for.
    static void SetDecodeThreads(int count) { decodeThreads = count < 0 ? -1 : count; }
    static int GetDecodeThreads() { return decodeThreads; }
    // The first half of PreloadImages: every image file's bytes registered
    // by name, one load-bar unit each; nothing is decoded.
    static void PreloadFiles();

private:
    static void DrawLoadBar(int value);
    static void CheckId(int id, const char* operation);
    static void RegisterRecord(CImageRecord* record, const std::string& name);
    static void ClearStore();
    static void ClearRecords();
    static int AppendSurface(SDL_Surface* surface);
    static void ApplyAlphaStep(SDL_Surface* surface, int dA);
    static void PreloadFromArchive();
    static void PreloadFromFolder();
    // Parallel decoding (CDrawDecoding.cpp).
    static void StartDecoding();
    static void StopDecoding();
    // The picture a worker decoded for the record, or null.
    static SDL_Surface* TakeDecoded(CImageRecord* record);
    // Appends a decoded display-format picture and logs it under name.
    static int AppendDecoded(SDL_Surface* surface, const char* name);

    // Screen.
    static SDL_Surface* screen;
    static SDL_Surface* icon;
    static SDL_Surface* loadBarImage;
    static CProfile* config;
    static Uint8 fullscreen;
    static Uint8 fpsOutput;
    static Uint8 flipOnly;
    static Uint8 fpsLock;
    static Uint32 framePeriod;
    static Uint8 suspended;
    static Uint32 lastFrameTick;
    static Uint32 frameCount;
    static Uint32 lastFpsTick;
    static Uint32 lastFpsFrameCount;
    static Uint32 fps;
    static int32_t loadTotal;
    static int32_t loadCount;
    static int32_t loadReserve;
    static int32_t loadDrawnWidth;
    static TickSource tickSource;
    static DelayFunction delayFunction;

    // Image store.
    static std::vector<SDL_Surface*> images;
    static std::map<std::string, CImageRecord*> names;
    static std::map<CImageRecord*, std::string> recordNames;
    static std::map<int, CImageRecord*> ids;

    // Preloader.
    static Uint8 loadFromDirectory;
    static int decodeThreads;
    // The preloaded records in the order they were read.
    static std::vector<CImageRecord*> preloadOrder;
};
