// Screenshots of the game as a player sees it, taken headless through the
// real screens with the generated resources:
//
//   playshots --run DIR <output folder>
//
// - "tutorial-<level>-<n>.png": every tutorial bubble of the regular set's
//   levels, where the professor meets it. The level is played (not
//   replayed, which shows no bubble) with its recorded solution's keys fed
//   as the player's, counted by world steps so the pauses of the bubbles do
//   not shift them.
// - "background-<n>-<level>.png": the play screen on each level background,
//   part way through the first level of the regular set that uses it.
// - "load-screen.png", "intro-<n>.png", "menu.png": the load screen, the
//   intro's splashes and the main menu, with the professor on them.
#include <cairo.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

#include "PlayerRun.h"
#include "ReplayRunner.h"
#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "screens/CControllerIntro.h"
#include "screens/CControllerMain.h"
#include "screens/CControllerMessageTutorial.h"
#include "ui/CController.h"
#include "play/CControllerGame.h"
#include "world/CElement.h"
#include "walkers/CElementAIProfessor.h"
#include "level/Level.h"
#include "level/LevelSet.h"
#include "level/TileCodes.h"

namespace {

const int kRegularSet = 0;
const int kBackgrounds = 8;
// Frames a bubble or a screen runs before it is taken: its pictures have
// faded in and been drawn.
const int kSettleFrames = 30;

std::string g_out;
int g_written = 0;

// The surface as a PNG file in the output folder.
bool saveSurface(SDL_Surface* surface, const std::string& name)
{
    if (!surface)
        return false;
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, surface->w, surface->h, 32, 0xff0000, 0xff00, 0xff, 0);
    if (!rgb)
        return false;
    SDL_BlitSurface(surface, nullptr, rgb, nullptr);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, rgb->w, rgb->h);
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    SDL_LockSurface(rgb);
    for (int y = 0; y < rgb->h; ++y)
        memcpy(data + y * stride, static_cast<const Uint8*>(rgb->pixels) + y * rgb->pitch, rgb->w * 4);
    SDL_UnlockSurface(rgb);
    SDL_FreeSurface(rgb);
    cairo_surface_mark_dirty(image);
    const std::string path = g_out + "/" + name;
    const bool ok = cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(image);
    if (ok) {
        ++g_written;
        printf("%s\n", path.c_str());
    } else {
        fprintf(stderr, "playshots: cannot write %s\n", path.c_str());
    }
    return ok;
}

bool saveScreen(const std::string& name)
{
    return saveSurface(SDL_GetVideoSurface(), name);
}

// One frame as the game's main loop runs it.
void frame()
{
    CController::PumpCurrent();
    replay::finishFrame(true);
}

// Plays the level with its solution's keys and saves every tutorial bubble
// that opens; or, when `stopAfterSteps` is above 0, saves the play screen as
// `name` after that many board steps.
// With `whenHolding` it stops earlier, a moment after the professor first
// carries a power-up.
void playLevel(CLevel& level, int stopAfterSteps, const std::string& name, bool whenHolding = false)
{
    replay::PlayerRun run(level, true);
    int bubbles = 0;
    int holdingSince = -1;
    while (run.frame()) {
        const CElementAIProfessor* professor = run.game()->GetProfessor();
        if (whenHolding && holdingSince < 0 && professor && professor->getPowerup(0) != 0)
            holdingSince = run.steps();
        if (holdingSince >= 0 && run.steps() >= holdingSince + kSettleFrames)
            stopAfterSteps = run.steps();
        if (stopAfterSteps > 0 && run.steps() >= stopAfterSteps) {
            for (int i = 0; i < kSettleFrames; ++i)
                frame();
            saveScreen(name);
            return;
        }
        CControllerMessageTutorial* bubble = run.game()->GetTutorialChild();
        if (bubble && CController::GetCurrentController() == bubble) {
            for (int i = 0; i < kSettleFrames; ++i)
                frame();
            if (stopAfterSteps <= 0) {
                char file[96];
                snprintf(file, sizeof file, "tutorial-%s-%d.png", level.GetName(), ++bubbles);
                saveScreen(file);
            }
            bubble->InputKey(false, SDLK_SPACE);
            bubble->InputKey(true, SDLK_SPACE);
        }
    }
    if (getenv("PLAYSHOTS_DEBUG"))
        fprintf(stderr, "%s: %d steps, %zu/%zu keys, %d bubbles, ended %d\n", level.GetName(), run.steps(),
                run.keysUsed(), level.GetSolution().size(), bubbles, CElement::GetLevelEnded() ? 1 : 0);
}

void tutorialShots()
{
    CLevelSet* set = CLevelSet::getSet(kRegularSet);
    for (int i = 0; set && i < set->getCount(); ++i)
        if (CLevelSet::isTutorialLevel(kRegularSet, i))
            playLevel(*set->getLevel(i), 0, "");
}

bool holdsPowerup(const CLevel& level)
{
    for (int x = 0; x < CLevel::WIDTH; ++x)
        for (int y = 0; y < CLevel::HEIGHT; ++y)
            switch (level.GetTile(x, y)) {
            case POWERUP_FROSTGUN: case POWERUP_HEATGUN: case POWERUP_WHISTLE: case POWERUP_TELEPORT:
            case POWERUP_BRIDGE: case POWERUP_EMP: case POWERUP_CRATE: case POWERUP_BARREL: case POWERUP_MAGNET:
                return true;
            default: break;
            }
    return false;
}

// Each background behind the first ordinary level of the regular set that
// uses it and has a power-up to collect, soon after he picked up the first,
// so the power-up bar shows what he carries.
void backgroundShots()
{
    CLevelSet* set = CLevelSet::getSet(kRegularSet);
    for (int b = 0; b < kBackgrounds; ++b) {
        for (int i = 0; set && i < set->getCount(); ++i) {
            CLevel* level = set->getLevel(i);
            if (CLevelSet::isTutorialLevel(kRegularSet, i) || level->GetBackground() != b ||
                level->GetSolution().empty() || !holdsPowerup(*level))
                continue;
            char file[96];
            snprintf(file, sizeof file, "background-%d-%s.png", b, level->GetName());
            playLevel(*level, level->GetSolution().back().frame * 2 / 3, file, true);
            break;
        }
    }
    // An exit tube under a low ceiling, the professor on his way to it.
    for (const char* name : {"reg015", "reg038"}) {
        for (int i = 0; set && i < set->getCount(); ++i) {
            CLevel* level = set->getLevel(i);
            if (strcmp(level->GetName(), name) != 0 || level->GetSolution().empty())
                continue;
            char file[96];
            snprintf(file, sizeof file, "exit-under-ceiling-%s.png", name);
            playLevel(*level, level->GetSolution().back().frame - 40, file);
        }
    }
}

Uint32 g_ticks = 0;
Uint32 fakeTicks()
{
    return g_ticks;
}

void introShots()
{
    SDL_Surface* load = IMG_Load("resource0.dat");
    saveSurface(load, "load-screen.png");
    if (load)
        SDL_FreeSurface(load);

    // The intro on a clock of its own: each splash is taken halfway through
    // its hold, the menu a little after it opened.
    CControllerIntro::SetTickSource(fakeTicks);
    CSprite::SetTickSource(fakeTicks);
    CController::ResetStack();
    CControllerIntro* intro = new CControllerIntro();
    intro->Activate(nullptr);
    const Uint32 period = CControllerIntro::FADE_MS * 2 + CControllerIntro::HOLD_MS;
    for (int logo = 0; logo < CControllerIntro::LOGO_COUNT; ++logo) {
        const Uint32 target = logo * period + CControllerIntro::FADE_MS + CControllerIntro::HOLD_MS / 2;
        while (g_ticks < target) {
            g_ticks += 20;
            frame();
        }
        char file[32];
        snprintf(file, sizeof file, "intro-%d.png", logo + 1);
        saveScreen(file);
    }
    for (int i = 0; i < 400 && CController::GetCurrentController() == intro; ++i) {
        g_ticks += 20;
        frame();
    }
    for (int i = 0; i < 60; ++i) {
        g_ticks += 20;
        frame();
    }
    saveScreen("menu.png");
    CController::ResetStack();
    delete intro;
    CControllerIntro::SetTickSource(nullptr);
    CSprite::SetTickSource(nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    std::string runDir = BRAMBLECOT_RUN_DIR;
    int arg = 1;
    if (arg + 1 < argc && strcmp(argv[arg], "--run") == 0) {
        runDir = argv[arg + 1];
        arg += 2;
    }
    if (arg >= argc) {
        fprintf(stderr, "usage: playshots [--run DIR] OUTPUT_FOLDER\n");
        return 2;
    }
    char resolved[4096];
    g_out = realpath(argv[arg], resolved) ? resolved : argv[arg];
    replay::HeadlessSession session(runDir);
    if (!session.ok())
        return 1;
    {
        replay::HeadlessGame game(true);
        tutorialShots();
        backgroundShots();
        introShots();
    }
    printf("playshots: %d screenshots in %s\n", g_written, g_out.c_str());
    return g_written > 0 ? 0 : 1;
}
