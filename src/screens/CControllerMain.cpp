#include "screens/CControllerMain.h"

#include <cstdio>
#include <string>

#include "engine/CSprite.h"
#include "engine/UserDirs.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "profile/CProfile.h"
#include "screens/CControllerInstructions.h"
#include "screens/CControllerManager.h"
#include "screens/CControllerMap.h"
#include "screens/CControllerOptions.h"
#include "screens/CControllerProfiles.h"
#include "screens/CControllerScoreboard.h"
#include "ui/CGuiButton.h"

namespace {

struct MenuEntry {
    int id;
    const char* label;
};
const MenuEntry kEntries[] = {
    {CControllerMain::BUTTON_PLAY, "mainmenu_text_playnow.png"},
    {CControllerMain::BUTTON_MANAGER, "mainmenu_text_levelmanager.png"},
    {CControllerMain::BUTTON_SCORES, "mainmenu_text_highscores.png"},
    {CControllerMain::BUTTON_INSTRUCTIONS, "mainmenu_text_instructions.png"},
    {CControllerMain::BUTTON_SETTINGS, "mainmenu_text_settings.png"},
    {CControllerMain::BUTTON_EXIT, "mainmenu_text_exit.png"},
};

const int kStringWelcomeBack = 6010;
const int kStringWelcomeNew = 6011;
const int kStringCannotSave = 6055;

// Menu layers: scenery at the back, the professor in front of it.
enum {
    LAYER_SKY = 1400,
    LAYER_CLOUDS = 1401,
    LAYER_VOLCANO = 1402,
    LAYER_GLOW = 1403,
    LAYER_SMOKE = 1404,
    LAYER_BODY = 1405,
    LAYER_ARMS = 1406,
    LAYER_HEAD = 1407,
    LAYER_LEAVES = 1408
};

} // namespace

CControllerMain::CControllerMain()
    : glow(nullptr), smoke(nullptr), head(nullptr), profileLine(nullptr), saveWarning(nullptr), frame(0), nextScreen(0)
{
    id = CONTROLLER_MAIN;
    allowEscape = false;
    Build();
}

CControllerMain::~CControllerMain()
{
    logPrint(LOG_DESTRUCT, "CControllerMain:  Destroying CControllerMain...\n");
}

void CControllerMain::Build()
{
    AddPicture("mainmenu_background.jpg", LAYER_SKY, 0, 0);
    AddPicture("mainmenu_cloudbigA.png", LAYER_CLOUDS, 40, 110);
    AddPicture("mainmenu_cloudmediumB.png", LAYER_CLOUDS, 560, 90);
    AddPicture("mainmenu_cloudsmallC.png", LAYER_CLOUDS, 700, 200);
    AddPicture("mainmenu_volcanofront.png", LAYER_VOLCANO, -40, 330);
    glow = AddPicture("mainmenu_glow1.png", LAYER_GLOW, 60, 300);
    glow->LoadFrames("mainmenu_glow", 2, 9, ".png", 1);
    smoke = AddPicture("mainmenu_smoke1.png", LAYER_SMOKE, 60, 180);
    smoke->LoadFrames("mainmenu_smoke", 2, 54, ".png", 1);
    AddPicture("mainmenu_profbody.png", LAYER_BODY, 600, 390);
    AddPicture("mainmenu_profleftarm1.png", LAYER_ARMS, 520, 400);
    AddPicture("mainmenu_profrightarm1.png", LAYER_ARMS, 690, 400);
    head = AddPicture("mainmenu_profhead0.png", LAYER_HEAD, 620, 280);
    head->LoadFrames("mainmenu_profhead", 1, 26, ".png", 1);
    AddPicture("mainmenu_leavescoconuts.png", LAYER_LEAVES, 520, -20);

    int y = BUTTON_TOP;
    for (const MenuEntry& e : kEntries) {
        CGuiButton* b = AddImageButton(e.id, BUTTON_X, y, "mainmenu_buttonbase.png", "mainmenu_buttonrollover.png",
                                       "mainmenu_buttonactive.png", e.id == BUTTON_PLAY);
        b->SetText(e.label, 10, 6, 0, 0, 0, 1);
        y += BUTTON_STEP;
    }
    Greet();
    if (!CanWriteProfiles()) {
        logError(false, "The profile folder '%s' cannot be written; progress cannot be kept\n",
                 GetProfileDirectory());
        saveWarning = AddText(kStringCannotSave, nullptr, 150, 490, 500, 50, 3);
    }
    AddImageButton(BUTTON_PROFILES, 610, 95, "profile_button_changebase.png", "profile_button_changerollover.png",
                   nullptr, false);
}

bool CControllerMain::HasPlayed(const CProfile* p)
{
    if (!p)
        return false;
    // The map keeps the set last on show as the current set, so a set
    // chosen there is no sign of play; a level past the first is open only
    // after a finished one.
    if (p->GetCurrentLevel() != 0)
        return true;
    CProfile::Progress progress = p->GetProgress();
    for (int s = 0; s < PROFILE_SET_COUNT; ++s)
        if (progress.finished[s] > 0)
            return true;
    return false;
}

void CControllerMain::Greet()
{
    std::string name = profile ? profile->GetProfileName() : "";
    profileLine =
        AddPlainText(HasPlayed(profile) ? kStringWelcomeBack : kStringWelcomeNew, name, 200, 100, 400, 30, 3);
}

bool CControllerMain::CanWriteProfiles()
{
    std::string probe = std::string(GetProfileDirectory()) + "write-test.tmp";
    FILE* f = fopen(probe.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fputc('x', f) != EOF;
    ok = fclose(f) == 0 && ok;
    remove(probe.c_str());
    return ok;
}

void CControllerMain::OnFirstFrame()
{
    CSound::playMainMusic();
}

void CControllerMain::GUICallback(int index, int value, bool dclick)
{
    (void)value;
    (void)dclick;
    switch (index) {
    case BUTTON_PLAY:
        Open(CONTROLLER_MAP);
        break;
    case BUTTON_MANAGER:
        Open(CONTROLLER_MANAGER);
        break;
    case BUTTON_SCORES:
        Open(CONTROLLER_SCOREBOARD);
        break;
    case BUTTON_INSTRUCTIONS:
        Open(CONTROLLER_INSTRUCTIONS);
        break;
    case BUTTON_SETTINGS:
        Open(CONTROLLER_OPTIONS);
        break;
    case BUTTON_PROFILES:
        Open(CONTROLLER_PROFILES);
        break;
    case BUTTON_EXIT:
        SetExitCode(1);
        break;
    default:
        break;
    }
}

void CControllerMain::Open(int controllerId)
{
    CController* next = nullptr;
    switch (controllerId) {
    case CONTROLLER_MAP:
        next = new CControllerMap();
        break;
    case CONTROLLER_MANAGER:
        next = new CControllerManager();
        break;
    case CONTROLLER_SCOREBOARD:
        next = new CControllerScoreboard(CControllerScoreboard::TYPE_HIGH_SCORES, false);
        break;
    case CONTROLLER_INSTRUCTIONS:
        next = new CControllerInstructions(0);
        break;
    case CONTROLLER_OPTIONS:
        next = new CControllerOptions();
        break;
    case CONTROLLER_PROFILES:
        next = new CControllerProfiles();
        break;
    default:
        return;
    }
    logPrint(LOG_DEBUG, "CControllerMain:  opening screen %i\n", controllerId);
    LaunchChild(next);
}

void CControllerMain::OnChildClosed(const ChildAnswer& closed)
{
    int request = closed.result;
    // Another profile may have been chosen, or this one may have played
    // its first level: greet it as it is now.
    RemoveSprite(profileLine);
    Greet();
    if (GetExitCode() == 0)
        CSound::playMainMusic();
    if ((closed.id == CONTROLLER_MAP && request == CONTROLLER_MANAGER) ||
        (closed.id == CONTROLLER_MANAGER && request == CONTROLLER_MAP))
        nextScreen = request;
}

void CControllerMain::OnChildDeleted()
{
    int next = nextScreen;
    nextScreen = 0;
    if (next)
        Open(next);
}

void CControllerMain::OnFrame()
{
    Animate();
    // What start-up, or a screen that has closed, found wrong with the
    // profile files: told once the menu is up.
    LaunchProfileNotice();
}

void CControllerMain::Animate()
{
    // The glow breathes, the smoke rises and the professor blinks now and
    // then; all by frame count.
    ++frame;
    if (frame % 4 == 0) {
        int g = (frame / 4) % 16;
        glow->SetFrame(g < 8 ? g : 15 - g);
        smoke->SetFrame((frame / 4) % smoke->GetFrameCount());
    }
    int blink = frame % 150;
    head->SetFrame(blink < 26 ? blink : 0);
}
