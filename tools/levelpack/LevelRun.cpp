#include "LevelRun.h"

#include "ReplayRunner.h"

#include <cstdio>

#include "elements/CElementDeviceGunshot.h"
#include "engine/CDraw.h"
#include "profile/CProfile.h"
#include "ui/CController.h"
#include "world/CControllerGame.h"
#include "world/CElement.h"
#include "world/CElementAIProfessor.h"
#include "world/Level.h"

namespace levelpack {

LevelRun::LevelRun(CLevel& level, bool record, bool draw)
    : m_level(level), m_game(nullptr), m_root(new replay::ReplayRoot()), m_frames(0), m_draw(draw)
{
    CController::ResetStack();
    m_root->Activate(nullptr);
    m_game = new CControllerGame(&level, record, false, true);
    m_root->LaunchController(m_game);
}

LevelRun::~LevelRun()
{
    delete m_game;
    CDraw::SetScreenUpdatesSuspended(0);
    CController::ResetStack();
    delete m_root;
}

bool LevelRun::hasBoard() const
{
    return m_game->HasBoard();
}

const CElementAIProfessor* LevelRun::professor() const
{
    return m_game->GetProfessor();
}

void LevelRun::frame()
{
    if (CController::GetCurrentController() == m_game)
        CController::PumpCurrent();
    replay::finishFrame(m_draw);
    ++m_frames;
}

int LevelRun::elapsedFrames() const
{
    return m_game->GetElapsedFrames();
}

bool LevelRun::ended() const
{
    return m_game->HasBoard() && CElement::GetLevelEnded();
}

std::string LevelRun::outcome() const
{
    if (!ended())
        return "";
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

int LevelRun::steps() const
{
    return CController::GetProfile()->GetTotal(1);
}

bool LevelRun::professorReady() const
{
    const CElementAIProfessor* p = m_game->GetProfessor();
    if (!p || ended() || CElement::GetCaught())
        return false;
    return !p->isEnteringTube() && !p->isExiting() && !p->isUsingPowerup() && !p->moving && !p->falling &&
           !p->heated && !p->frozen && !p->leftTrampoline && !p->tramp;
}

bool LevelRun::boardSettled() const
{
    const CElementAIProfessor* p = m_game->GetProfessor();
    if (p && p->getActivePowerup() != 0)
        return false;
    for (const CElement* e : CElement::allElements) {
        if (e->IsBot())
            continue;
        // A spent shot stays in the list; only a flying or bursting one acts.
        if (e->IsDevice() && e->IsGunshot()) {
            if (e->state != CElementDeviceGunshot::SHOT_GONE)
                return false;
            continue;
        }
        // Burnt, burst and melted things keep their last flags.
        if (e->exploded)
            continue;
        if (e->moving || e->falling || e->sliding || e->empActive)
            return false;
    }
    return true;
}

bool LevelRun::waitForRest(std::string& why)
{
    int notReady = 0;
    int unsettled = 0;
    while (!ended()) {
        if (professorReady()) {
            notReady = 0;
            if (boardSettled() || unsettled >= SETTLE_FRAMES)
                return true;
            ++unsettled;
        } else {
            unsettled = 0;
            if (++notReady > READY_FRAMES) {
                why = "the professor takes no input for " + std::to_string(READY_FRAMES) + " frames";
                return false;
            }
        }
        frame();
    }
    return true;
}

void LevelRun::press(int binding, bool released)
{
    m_game->InputKey(released, CController::GetProfile()->GetKey(binding));
}

bool LevelRun::play(const Move& move, std::string& why)
{
    if (move.kind == MoveKind::WaitFrames) {
        for (int i = 0; i < move.value && !ended(); ++i)
            frame();
    } else if (move.kind != MoveKind::WaitRest) {
        int binding = CControllerGame::BIND_ACTION;
        switch (move.kind) {
        case MoveKind::Left: binding = CControllerGame::BIND_LEFT; break;
        case MoveKind::Right: binding = CControllerGame::BIND_RIGHT; break;
        case MoveKind::Up: binding = CControllerGame::BIND_UP; break;
        case MoveKind::Down: binding = CControllerGame::BIND_DOWN; break;
        case MoveKind::Powerup: binding = CControllerGame::BIND_SLOT1 + move.value - 1; break;
        default: break;
        }
        // Pressed for one frame: the professor at rest starts the move in
        // that frame's world step and finishes it without the key.
        press(binding, false);
        frame();
        press(binding, true);
        frame();
    }
    if (!waitForRest(why))
        return false;
    if (ended()) {
        why = outcome();
        return false;
    }
    return true;
}

std::string LevelRun::restKey() const
{
    std::string key;
    char buf[96];
    for (const CElement* e : CElement::allElements) {
        if (e->IsLadder() || e->IsNull())
            continue;
        // The professor's and bots' animation state changes with time; only
        // their facing is kept for them.
        int state = e->IsAI() ? 0 : e->state;
        int hidden = e->mainSprite && !e->IsAI() ? e->mainSprite->IsHidden() : 0;
        int n = snprintf(buf, sizeof buf, "%d.%d.%d.%d.%d.%d:%d,%d,%d:%d%d%d%d%d%d;", e->type, e->typeObject,
                         e->typeDevice, e->typeAI, e->typeTerrain, state, e->x, e->y, e->width, e->facingLeft,
                         e->frozen, e->heated, e->exploded, e->inGrid, hidden);
        key.append(buf, static_cast<size_t>(n));
    }
    if (const CElementAIProfessor* p = m_game->GetProfessor()) {
        key += "P";
        for (int slot = 0; slot < CElementAIProfessor::SLOTS; ++slot)
            key += std::to_string(p->getPowerup(slot)) + ",";
    }
    int n = snprintf(buf, sizeof buf, "O%d%d%d%d%d%d", CElement::exitTubeDestroyed, CElement::fallen, CElement::singed,
                     CElement::exited, CElement::caught, CElement::levelEnded);
    key.append(buf, static_cast<size_t>(n));
    return key;
}

std::string LevelRun::whereIsProfessor() const
{
    const CElementAIProfessor* p = m_game->GetProfessor();
    if (!p)
        return "no professor";
    return "professor at (" + std::to_string(p->x) + "," + std::to_string(p->y) + ") facing " +
           (p->facingLeft ? "left" : "right");
}

ScriptResult playScript(CLevel& level, const std::vector<Move>& moves)
{
    ScriptResult result;
    LevelRun run(level);
    if (!run.hasBoard()) {
        result.failedMove = 0;
        result.why = "the level has no board (no entrance tube)";
        return result;
    }
    std::string why;
    if (!run.waitForRest(why)) {
        result.failedMove = 0;
        result.why = "before the first move: " + why;
        return result;
    }
    for (size_t i = 0; i < moves.size(); ++i) {
        if (run.play(moves[i], why))
            continue;
        result.frames = run.elapsedFrames();
        result.steps = run.steps();
        bool last = i + 1 == moves.size();
        if (run.outcome() == "exited" && last) {
            result.exited = true;
            return result;
        }
        result.failedMove = static_cast<int>(i);
        if (run.outcome() == "exited")
            result.why = "the level was exited here, " + std::to_string(moves.size() - i - 1) +
                         " moves before the script's end";
        else
            result.why = why + ", " + run.whereIsProfessor();
        return result;
    }
    result.failedMove = static_cast<int>(moves.size());
    result.frames = run.elapsedFrames();
    result.steps = run.steps();
    result.why = "the script ends with the level still running, " + run.whereIsProfessor();
    return result;
}

} // namespace levelpack
