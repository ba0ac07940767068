// Program entry: brings the engine's services up in a fixed order, runs the
// frame loop, and takes them down again in a fixed order.
#include <cstdlib>
#include <ctime>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/FileAccess.h"
#include "engine/Log.h"
#include "engine/Parameters.h"
#include "engine/Pointer.h"
#include "engine/RenderServices.h"
#include "engine/Sound.h"
#include "engine/TextRender.h"
#include "engine/UserDirs.h"
#include "profile/CProfile.h"
#include "profile/ProfileFolderLock.h"
#include "profile/ScoreClient.h"
#include "screens/CControllerIntro.h"
#include "ui/CController.h"
#include "engine/Input.h"
#include "ui/InputPump.h"
#include "world/CElement.h"
#include "level/LevelSet.h"

namespace {

// Command-line flag bits.
enum {
    FLAG_WINDOWED = 1,
    FLAG_NO_SOUND = 2,
    FLAG_CHOOSE_SOUND_OUTPUT = 4
};

// Base address of the high-score server.
const char* const kScoreServerUrl = "http://scores.bramblecot.example/zobk/";

bool frameStepMode()
{
    return CController::IsFrameStepping();
}

} // namespace

int main(int argc, char** argv)
{
    srand(static_cast<unsigned>(time(nullptr)));
    int flags = (argc == 2) ? atoi(argv[1]) : 0;

    ignoreFileSizeSignal();
    logInit(false);
    logCategoryOn(LOG_NOTE);
    logCategoryOn(LOG_WARNING);
    logCategoryOn(LOG_ERROR);

    // Images and sounds come from the packed archives, not from loose files.
    CDraw::SetLoadFromDirectory(false);
    CSound::setLoadFromDirectory(false);

    loadParameters();
    InitUserDirectories();

    logPrint(LOG_DEBUG, "Loading FONT1_URL:  %s\n", "./");
    logPrint(LOG_DEBUG, "Loading FONT2_URL:  %s\n", "resource5.dat");
    initFontSystem("./", "resource5.dat");

    if (!(flags & FLAG_NO_SOUND))
        CSound::init(!(flags & FLAG_CHOOSE_SOUND_OUTPUT));

    // A second copy of the game on the same profile folder runs, tells the
    // player and saves nothing: it never writes another profile's file.
    ProfileFolderLock folderLock(GetProfileDirectory());
    CProfile profile(folderLock.InUseElsewhere());
    CController::SetProfile(&profile);
    CElement::setProfile(&profile);
    setInputProfile(&profile);
    CDraw::SetConfig(&profile);
    if (flags & FLAG_WINDOWED)
        profile.SetFullscreen(false);

    // The window, the video mode and the first load screen.
    CDraw draw;
    // The renderer's state is static; the object clears its lists when it
    // goes out of scope, before the screen.
    CRender render;
    CRender::Init();
    renderSetControllerIdSource(CController::GetCurrentId);
    renderSetFrameStepSource(frameStepMode);
    CInput input;

    // The load bar fills once over the images, their catalogues, the sounds
    // and the built-in levels, counted from the archives themselves.
    CDraw::SetLoadReserve(CDraw::LOAD_CATALOGUE_UNITS + CSound::preloadUnits() + CLevelSet::loadUnits());

    logPrint(LOG_MILESTONE, "ID_000:  INIT:  Image Load Started\n");
    CDraw::PreloadImages();
    logPrint(LOG_MILESTONE, "ID_000:  INIT:  Image Load Completed\n");

    logPrint(LOG_MILESTONE, "ID_001:  INIT:  Sound Load Started\n");
    CSound::loadSound();
    CSound::loadMusic();
    logPrint(LOG_MILESTONE, "ID_001:  INIT:  Sound Load Completed\n");

    logPrint(LOG_MILESTONE, "ID_002:  INIT:  Level Load Started\n");
    CLevelSet::loadAll();
    logPrint(LOG_MILESTONE, "ID_002:  INIT:  Level Load Completed\n");

    logPrint(LOG_MILESTONE, "ID_003:  INIT:  Miscellaneous Load Started\n");
    CController::LoadSounds();
    createPointers2();
    logPrint(LOG_DEBUG, "Loading SCOREBOARD_URL:  %s\n", kScoreServerUrl);
    SetScoreServerUrl(kScoreServerUrl);
    InitScoreTables();
    CControllerIntro* intro = new CControllerIntro();
    intro->Activate(nullptr);
    logPrint(LOG_MILESTONE, "ID_003:  INIT:  Miscellaneous Load Completed\n");

    while (CController::IsRunning()) {
        CController::PumpCurrent();
        if (CController::IsFrameStepping() && !CController::IsFrameStepRequested())
            continue;
        pointerFollowMouse();
        CSound::update();
        CRender::Render(true);
        CDraw::Present(1, 1);
        CController::SetFrameStepRequest(false);
    }

    CController::UnloadSounds();
    CLevelSet::freeAll();
    shutdownFontSystem();

    // The root screen and the pointer own sprites until they go, so they go
    // before the report on sprites left behind.
    delete intro;
    destroyPointers2();
    CSprite::ExitReport();
    logPrint(LOG_MILESTONE, "ID_900:  SHUTDOWN COMPLETED\n");
    // Stop the audio thread before the process tears down its objects.
    CSound::shutdown();
    return 0;
}
