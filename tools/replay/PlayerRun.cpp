#include "PlayerRun.h"

#include "ReplayRunner.h"
#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "profile/CProfile.h"
#include "ui/CController.h"
#include "play/CControllerGame.h"
#include "world/CElement.h"
#include "level/Level.h"

namespace replay {

namespace {

// The profile's key for a solution's fixed key code, or 0.
int boundKey(int code)
{
    int binding = -1;
    switch (code) {
    case CControllerGame::SOLUTION_UP: binding = CControllerGame::BIND_UP; break;
    case CControllerGame::SOLUTION_DOWN: binding = CControllerGame::BIND_DOWN; break;
    case CControllerGame::SOLUTION_LEFT: binding = CControllerGame::BIND_LEFT; break;
    case CControllerGame::SOLUTION_RIGHT: binding = CControllerGame::BIND_RIGHT; break;
    case CControllerGame::SOLUTION_ACTION: binding = CControllerGame::BIND_ACTION; break;
    default:
        if (code >= CControllerGame::SOLUTION_SLOT1 && code <= CControllerGame::SOLUTION_SLOT9)
            binding = CControllerGame::BIND_SLOT1 + code - CControllerGame::SOLUTION_SLOT1;
        break;
    }
    return binding < 0 ? 0 : CController::GetProfile()->GetKey(binding);
}

} // namespace

PlayerRun::PlayerRun(CLevel& level, bool draw)
    : m_level(level), m_root(new ReplayRoot()), m_game(nullptr), m_draw(draw), m_steps(0), m_next(0),
      m_interrupted(false)
{
    CController::ResetStack();
    m_root->Activate(nullptr);
    m_game = new CControllerGame(&level, false, false, false);
    m_root->LaunchController(m_game);
}

PlayerRun::~PlayerRun()
{
    // A post-level screen left open has the board's picture swapped out.
    if (CRender::IsSwapped())
        CRender::Swap(false);
    delete m_game;
    CDraw::SetScreenUpdatesSuspended(0);
    CController::ResetStack();
    delete m_root;
}

bool PlayerRun::frame()
{
    if (!m_game->HasBoard() || CElement::GetLevelEnded())
        return false;
    const std::vector<ReplayKey>& keys = m_level.GetSolution();
    const int lastStep = keys.empty() ? 0 : keys.back().frame;
    if (m_steps > lastStep + GRACE_STEPS)
        return false;
    // The board steps in this frame when the play screen is on top and no
    // screen has just closed over it.
    if (CController::GetCurrentController() == m_game && CController::GetPreviousId() == m_game->GetId()) {
        if (m_interrupted) {
            for (int key : m_held)
                m_game->processKey(false, key);
            m_interrupted = false;
        }
        ++m_steps;
        for (; m_next < keys.size() && keys[m_next].frame <= m_steps; ++m_next) {
            const int key = boundKey(keys[m_next].key);
            if (!key || keys[m_next].frame != m_steps)
                continue;
            m_game->processKey(keys[m_next].released, key);
            if (keys[m_next].released)
                m_held.erase(key);
            else
                m_held.insert(key);
        }
    }
    CController::PumpCurrent();
    finishFrame(m_draw);
    if (CController::GetCurrentController() != m_game)
        m_interrupted = true;
    return true;
}

} // namespace replay
