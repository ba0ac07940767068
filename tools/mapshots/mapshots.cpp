// Screenshots of the world map: the map screen is opened headless over a
// bare root screen, runs until its dots have come onto the chart, and the
// frame the game's renderer drew is written as a PNG.
//
//   mapshots --run DIR <output folder>
//
// writes fresh_regular.png, fresh_advanced.png, fresh_kids.png (a new
// profile), first_star.png (the first level finished: the first tutorial
// star is the selected level) and progress_regular.png,
// progress_advanced.png, progress_kids.png (a profile part of the way along
// each set).
#include <cairo.h>
#include <cstdio>
#include <cstring>
#include <string>

#include <SDL.h>

#include "PackJobs.h"
#include "ReplayRunner.h"
#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/Pointer.h"
#include "profile/CProfile.h"
#include "screens/CControllerMap.h"
#include "ui/CController.h"

namespace {

// Frames the map runs before the shot: every dot has come onto the chart.
const int kFramesBeforeShot = 60;
const char* const kSetNames[] = {"regular", "advanced", "kids"};
// How far along each set the progressed profile is: levels finished.
const int kFinished[] = {40, 21, 57};

// Stands beneath the map in place of the main menu.
class Root : public CController {
public:
    Root() { id = 90; }
    void Pump() override
    {
        if (GetPreviousId() != id)
            SetPreviousId(id);
    }
    void InputKey(bool, int) override {}
};

void runFrames(int count)
{
    for (int i = 0; i < count; ++i) {
        CController::PumpCurrent();
        pointerFollowMouse();
        CRender::Render(true);
        CDraw::Present(1, 1);
    }
}

bool writeScreen(const std::string& path)
{
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen)
        return false;
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, screen->w, screen->h);
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w, screen->h, 32, 0xff0000, 0xff00, 0xff, 0);
    if (!rgb) {
        cairo_surface_destroy(out);
        return false;
    }
    SDL_BlitSurface(screen, nullptr, rgb, nullptr);
    cairo_surface_flush(out);
    unsigned char* data = cairo_image_surface_get_data(out);
    int stride = cairo_image_surface_get_stride(out);
    SDL_LockSurface(rgb);
    for (int y = 0; y < rgb->h; ++y)
        memcpy(data + y * stride, static_cast<const Uint8*>(rgb->pixels) + y * rgb->pitch, rgb->w * 4);
    SDL_UnlockSurface(rgb);
    SDL_FreeSurface(rgb);
    cairo_surface_mark_dirty(out);
    bool ok = cairo_surface_write_to_png(out, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(out);
    return ok;
}

bool shoot(CProfile& profile, int set, const std::string& path)
{
    profile.SetCurrentSet(set);
    CController::ResetStack();
    Root root;
    root.Activate(nullptr);
    CControllerMap* map = new CControllerMap();
    root.LaunchController(map);
    runFrames(kFramesBeforeShot);
    bool ok = writeScreen(path);
    delete map;
    CController::ResetStack();
    printf("%s %s\n", ok ? "wrote" : "could not write", path.c_str());
    return ok;
}

// Finishes the first count levels of set in the profile and stands it on
// the next one.
void progress(CProfile& profile, int set, int count)
{
    profile.SetCurrentSet(set);
    for (int level = 0; level < count; ++level) {
        profile.SetCurrentLevel(level);
        profile.SetSteps(20 + level % 17);
        profile.RecordSetResult();
    }
    profile.SetCurrentLevel(count);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || strcmp(argv[1], "--run") != 0) {
        fprintf(stderr, "usage: %s --run DIR <output folder>\n", argv[0]);
        return 2;
    }
    const std::string outDir = levelpack::absolutePath(argv[3]);
    replay::HeadlessSession session(argv[2]);
    if (!session.ok())
        return 2;
    replay::HeadlessGame game(true);
    CProfile& profile = game.profile();
    int failures = 0;
    for (int set = 0; set < 3; ++set)
        failures += shoot(profile, set, outDir + "/fresh_" + kSetNames[set] + ".png") ? 0 : 1;
    progress(profile, 0, 1);
    failures += shoot(profile, 0, outDir + "/first_star.png") ? 0 : 1;
    for (int set = 0; set < 3; ++set) {
        progress(profile, set, kFinished[set]);
        failures += shoot(profile, set, outDir + "/progress_" + kSetNames[set] + ".png") ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
