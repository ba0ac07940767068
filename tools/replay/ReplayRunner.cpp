#include "ReplayRunner.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Parameters.h"
#include "engine/Pointer.h"
#include "engine/RenderServices.h"
#include "engine/Sound.h"
#include "engine/TextRender.h"
#include "engine/UserDirs.h"
#include "profile/CProfile.h"
#include "ui/CController.h"
#include "engine/Input.h"
#include "ui/InputPump.h"
#include "play/BoardHash.h"
#include "play/CControllerGame.h"
#include "world/CElement.h"
#include "level/Level.h"
#include "level/LevelSet.h"

namespace replay {

namespace {

typedef std::chrono::steady_clock Clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool frameStepMode()
{
    return CController::IsFrameStepping();
}

const char* outcomeOf(const CControllerGame& game)
{
    if (!game.HasBoard())
        return "no board";
    if (!CElement::GetLevelEnded())
        return "not ended";
    if (CElement::GetCaught())
        return "caught";
    if (CElement::GetSinged())
        return "singed";
    if (CElement::GetFallen())
        return "fallen";
    if (CElement::GetExitTubeDestroyed())
        return "exit tube destroyed";
    return "exited";
}

int lastSolutionFrame(const CLevel& level)
{
    const auto& keys = level.GetSolution();
    return keys.empty() ? 0 : keys.back().frame;
}

int removeEntry(const char* path, const struct stat*, int, struct FTW*)
{
    return ::remove(path);
}

} // namespace

HeadlessSession::HeadlessSession(const std::string& runDir) : m_ok(false)
{
    char homeTemplate[] = "/tmp/bramblecot-headless-XXXXXX";
    if (!mkdtemp(homeTemplate)) {
        perror("mkdtemp");
        return;
    }
    m_home = homeTemplate;
    setenv("HOME", m_home.c_str(), 1);
    setenv("XDG_DATA_HOME", (m_home + "/.local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (m_home + "/.config").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (m_home + "/Documents").c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (chdir(runDir.c_str()) != 0) {
        fprintf(stderr, "Cannot enter the run folder %s\n", runDir.c_str());
        return;
    }
    m_ok = true;
}

HeadlessSession::~HeadlessSession()
{
    if (!m_home.empty())
        nftw(m_home.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

HeadlessGame::HeadlessGame(bool loadLevelSets) : m_levelSets(loadLevelSets)
{
    logInit(false);
    logCategoryOn(LOG_ERROR);
    CDraw::SetLoadFromDirectory(false);
    CSound::setLoadFromDirectory(false);
    loadParameters();
    InitUserDirectories();
    initFontSystem("./", "resource5.dat");

    m_profile.reset(new CProfile());
    CController::SetProfile(m_profile.get());
    CElement::setProfile(m_profile.get());
    setInputProfile(m_profile.get());
    CDraw::SetConfig(m_profile.get());
    m_profile->SetFullscreen(false);

    m_draw.reset(new CDraw());
    m_render.reset(new CRender());
    CRender::Init();
    renderSetControllerIdSource(CController::GetCurrentId);
    renderSetFrameStepSource(frameStepMode);
    m_input.reset(new CInput());
    CDraw::PreloadImages();
    if (m_levelSets)
        CLevelSet::loadAll();
    createPointers2();
    // As fast as the machine allows.
    CDraw::SwitchFPSLock();
}

HeadlessGame::~HeadlessGame()
{
    CDraw::SwitchFPSLock();
    CController::ResetStack();
    if (m_levelSets)
        CLevelSet::freeAll();
    destroyPointers2();
    m_input.reset();
    m_render.reset();
    m_draw.reset();
    shutdownFontSystem();
    CElement::setProfile(nullptr);
    CController::SetProfile(nullptr);
    setInputProfile(nullptr);
    CDraw::SetConfig(nullptr);
    m_profile.reset();
}

void finishFrame(bool draw)
{
    if (draw) {
        pointerFollowMouse();
        CRender::Render(true);
        CDraw::Present(1, 1);
    } else {
        CSprite::UpdateAll();
        CRender::ClearLists();
        CDraw::Present(0, 1);
    }
}

Report replayLevel(CLevel& level, const Options& options)
{
    Report report;
    report.name = level.GetName();
    report.hasSolution = !level.GetSolution().empty();

    CController::ResetStack();
    ReplayRoot root;
    root.Activate(nullptr);
    CControllerGame* game = new CControllerGame(&level, false, true, true);
    root.LaunchController(game);

    int limit = options.fixedFrames > 0 ? options.fixedFrames : lastSolutionFrame(level) + options.graceFrames;
    int framesRun = 0;
    while (framesRun < limit) {
        Clock::time_point t = Clock::now();
        CController::PumpCurrent();
        if (options.times)
            options.times->pump += msSince(t);
        if (CController::GetCurrentController() != game)
            break;
        if (options.render) {
            t = Clock::now();
            pointerFollowMouse();
            CRender::Render(true);
            if (options.times)
                options.times->render += msSince(t);
            t = Clock::now();
            CDraw::Present(1, 1);
            if (options.times)
                options.times->present += msSince(t);
        } else {
            CDraw::Present(0, 1);
        }
        if (options.times)
            ++options.times->frames;
        ++framesRun;
        if (!game->HasBoard())
            break;
    }

    report.hasBoard = game->HasBoard();
    report.ended = report.hasBoard && CElement::GetLevelEnded();
    report.outcome = outcomeOf(*game);
    report.frames = game->GetElapsedFrames();
    report.steps = CController::GetProfile()->GetTotal(1);
    report.hash = boardHash();
    delete game;
    CDraw::SetScreenUpdatesSuspended(0);
    CController::ResetStack();
    return report;
}

std::string formatReport(const Report& report)
{
    char line[256];
    if (!report.hasBoard) {
        snprintf(line, sizeof line, "%-12s  no board (no entrance tube)", report.name.c_str());
        return line;
    }
    snprintf(line, sizeof line, "%-12s  %-19s  frames %6d  steps %5d  hash %016" PRIx64 "%s", report.name.c_str(),
             report.outcome.c_str(), report.frames, report.steps, report.hash,
             report.hasSolution ? "" : "  (no solution)");
    return line;
}

} // namespace replay
