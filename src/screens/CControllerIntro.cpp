#include "screens/CControllerIntro.h"

#include <SDL_image.h>
#include <cstdio>

#include "engine/CDraw.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Pointer.h"
#include "screens/CControllerMain.h"
#include "ui/CGuiButtonBase.h"

namespace {

// The splash screens: JPG pictures of 800 x 600 beside the program.
const char* const kLogoFiles[CControllerIntro::LOGO_COUNT] = {"resource9.dat", "resource10.dat",
                                                              "resource11.dat"};
const char* const kLogoNames[CControllerIntro::LOGO_COUNT] = {"Intro Logo 1", "Intro Logo 2", "Intro Logo 3"};
const char* const kBackdropImage = "intro_backdrop";

Uint32 defaultTicks()
{
    return SDL_GetTicks();
}

// Registers the picture of file in the image store under the file's name;
// false when the file is missing or does not decode.
bool loadSplash(const char* file)
{
    SDL_RWops* stream = SDL_RWFromFile(file, "rb");
    if (!stream) {
        logPrint(LOG_WARNING, "Unable to open splash screen %s\n", file);
        return false;
    }
    SDL_Surface* picture = IMG_LoadTyped_RW(stream, 1, const_cast<char*>("JPG"));
    if (!picture) {
        logPrint(LOG_WARNING, "Unable to load splash screen %s: %s\n", file, IMG_GetError());
        return false;
    }
    CDraw::LoadSurface(picture, file);
    return true;
}

CSprite* makeScreenSprite(const char* image, int type, const char* name)
{
    CSprite* s = new CSprite(type, 0, false);
    s->SetName(name);
    s->AddFrame(image);
    s->SetPosition(0, 0, false);
    return s;
}

CController* defaultMenu()
{
    return new CControllerMain();
}

} // namespace

CControllerIntro::TickSource CControllerIntro::tickSource = defaultTicks;
CControllerIntro::MenuFactory CControllerIntro::menuFactory = defaultMenu;

void CControllerIntro::SetMenuFactory(MenuFactory factory)
{
    menuFactory = factory ? factory : defaultMenu;
}

void CControllerIntro::SetTickSource(TickSource source)
{
    tickSource = source ? source : defaultTicks;
}

CControllerIntro::CControllerIntro()
    : logos(), backdrop(nullptr), shownLogo(-1), fadingOut(false), started(false), startTime(0), logoStart(0),
      menu(nullptr)
{
    id = CONTROLLER_INTRO;
    hidePointers(-1);

    // An opaque black picture under the splashes, so they fade from and to
    // black rather than over whatever the screen showed before.
    SDL_Surface* black = SDL_CreateRGBSurface(SDL_SWSURFACE, CDraw::SCREEN_WIDTH, CDraw::SCREEN_HEIGHT, 32,
                                              0x00ff0000, 0x0000ff00, 0x000000ff, 0);
    if (black) {
        SDL_FillRect(black, nullptr, SDL_MapRGB(black->format, 0, 0, 0));
        CDraw::LoadSurface(black, kBackdropImage);
        backdrop = makeScreenSprite(kBackdropImage, BACKDROP_LAYER, "Intro Backdrop");
    }
    for (int i = 0; i < LOGO_COUNT; ++i)
        if (loadSplash(kLogoFiles[i]))
            logos[i] = makeScreenSprite(kLogoFiles[i], LOGO_LAYER, kLogoNames[i]);
}

CControllerIntro::~CControllerIntro()
{
    logPrint(LOG_DESTRUCT, "CControllerIntro:  Destroying CControllerIntro...\n");
    showBusyPointer(true);
    delete menu;
    menu = nullptr;
    for (int i = 0; i < LOGO_COUNT; ++i) {
        if (!logos[i])
            continue;
        delete logos[i];
        logos[i] = nullptr;
        CDraw::ReleaseImageByName(kLogoFiles[i]);
    }
    if (backdrop) {
        delete backdrop;
        backdrop = nullptr;
        CDraw::ReleaseImageByName(kBackdropImage);
    }
}

int CControllerIntro::LastLogo() const
{
    for (int i = LOGO_COUNT - 1; i >= 0; --i)
        if (logos[i])
            return i;
    return -1;
}

void CControllerIntro::ShowLogo(int i, Uint32 now)
{
    for (int j = 0; j < LOGO_COUNT; ++j)
        if (logos[j] && j != i)
            logos[j]->Hide();
    shownLogo = i;
    fadingOut = false;
    logoStart = now;
    if (i >= 0 && logos[i])
        logos[i]->SetFadeIn(FADE_MS, 0, 255);
}

void CControllerIntro::OpenMenu()
{
    if (menu || !active)
        return;
    // The splashes go dark under the menu; they are freed with the intro.
    for (int i = 0; i < LOGO_COUNT; ++i)
        if (logos[i])
            logos[i]->Hide();
    if (backdrop)
        backdrop->Hide();
    menu = menuFactory();
    LaunchController(menu);
}

void CControllerIntro::SkipToLast()
{
    int last = LastLogo();
    if (last < 0 || (shownLogo == last && !fadingOut && !logos[last]->IsFading())) {
        OpenMenu();
        return;
    }
    ShowLogo(last, tickSource());
    // At full strength at once: a fade of no length ends on its first update.
    logos[last]->SetFadeIn(0, 255, 255);
}

void CControllerIntro::Advance(Uint32 now)
{
    int last = LastLogo();
    Uint32 elapsed = now - logoStart;
    if (shownLogo < 0 || shownLogo >= last) {
        if (elapsed >= static_cast<Uint32>(FADE_MS + HOLD_MS) || last < 0)
            OpenMenu();
        return;
    }
    if (!fadingOut && elapsed >= static_cast<Uint32>(FADE_MS + HOLD_MS)) {
        if (logos[shownLogo])
            logos[shownLogo]->SetFadeOut(FADE_MS, 255, 0);
        fadingOut = true;
    } else if (fadingOut && elapsed >= static_cast<Uint32>(FADE_MS + HOLD_MS + FADE_MS)) {
        int next = shownLogo + 1;
        while (next < last && !logos[next])
            ++next;
        ShowLogo(next, now);
    }
}

void CControllerIntro::Pump()
{
    if (GetPreviousId() != id && menu && GetPreviousId() == menu->GetId()) {
        // The main menu closed: the program ends.
        delete menu;
        menu = nullptr;
        SetPreviousId(id);
        SetExitCode(1);
        return;
    }
    if (GetPreviousId() != id) {
        // First frame: the clock starts and the first splash fades in.
        Uint32 now = tickSource();
        if (!started) {
            started = true;
            startTime = now;
            if (backdrop)
                backdrop->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
            int first = 0;
            while (first < LOGO_COUNT && !logos[first])
                ++first;
            if (first < LOGO_COUNT)
                ShowLogo(first, now);
        }
        SetPreviousId(id);
        return;
    }
    PollInput();
    tickHourglass();
    // Once the window was closed (or the intro otherwise ends) the menu
    // must not open in the same frame: its launch would take the close back.
    if (!active || exitCode != 0 || (IsFrameStepping() && !IsFrameStepRequested()))
        return;
    CGuiButtonBase::UpdateAll();
    Advance(tickSource());
}

void CControllerIntro::InputKey(bool released, int key)
{
    if (!released)
        SkipToLast();
    // A key that opened the menu belongs to the intro alone.
    if (!active)
        return;
    InputNavigationKey(released, key, false, true);
    InputScreenCapture(released, key);
}

void CControllerIntro::InputMouseButton(bool released, bool left, bool right, bool wheelUp, bool wheelDown)
{
    if (!released && (left || right))
        SkipToLast();
    CController::InputMouseButton(released, left, right, wheelUp, wheelDown);
}

void CControllerIntro::GUICallback(int index, int value, bool dclick)
{
    CController::GUICallback(index, value, dclick);
}

void CControllerIntro::InputMouseMotion(int x, int y)
{
    mouseX = x;
    mouseY = y;
}
