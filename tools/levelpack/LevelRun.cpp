#include "LevelRun.h"

#include "ReplayRunner.h"

#include <cstdio>
#include <set>

#include "elements/CElementDeviceGunshot.h"
#include "elements/CElementDevicePowerup.h"
#include "engine/CDraw.h"
#include "profile/CProfile.h"
#include "ui/CController.h"
#include "play/CBackground.h"
#include "play/CControllerGame.h"
#include "world/CElement.h"
#include "play/BoardHash.h"
#include "walkers/CElementAIProfessor.h"
#include "level/Level.h"

namespace levelpack {

LevelRun::LevelRun(CLevel& level, bool record, bool draw)
    : m_level(level), m_game(nullptr), m_root(new replay::ReplayRoot()), m_frames(0), m_draw(draw)
{
    CController::ResetStack();
    m_root->Activate(nullptr);
    m_game = new CControllerGame(&level, record, false, true);
    m_root->LaunchController(m_game);
    keepBackgroundDecoded();
}

void LevelRun::keepBackgroundDecoded()
{
    // The background picture is decoded afresh each time a board is built
    // and freed with the board: most of the cost of building one. A run
    // keeps one reference to each picture it has seen, so the next board
    // finds it decoded. Only the picture's lifetime changes.
    static std::set<int> kept;
    const CBackground* background = m_game->GetBackground();
    if (!background)
        return;
    for (const CSprite* sprite : {background->GetPicture(), background->GetGrid()})
        for (int i = 0; sprite && i < sprite->GetFrameCount(); ++i)
            if (kept.insert(sprite->GetFrameImage(i)).second)
                CDraw::RetainImage(sprite->GetFrameImage(i));
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

namespace {

// The values of the board at rest, in a fixed order, to a writer: as text
// (restKey) or as a 64-bit hash (restHash).
class RestText {
public:
    void element(int type, int object, int device, int ai, int terrain, int state, int x, int y, int width,
                 int facingLeft, int frozen, int heated, int exploded, int inGrid, int hidden)
    {
        char buf[96];
        int n = snprintf(buf, sizeof buf, "%d.%d.%d.%d.%d.%d:%d,%d,%d:%d%d%d%d%d%d;", type, object, device, ai,
                         terrain, state, x, y, width, facingLeft, frozen, heated, exploded, inGrid, hidden);
        key.append(buf, static_cast<size_t>(n));
    }
    void professor(const int* slots, int count)
    {
        key += "P";
        for (int slot = 0; slot < count; ++slot)
            key += std::to_string(slots[slot]) + ",";
    }
    void outcome(int destroyed, int fallen, int singed, int exited, int caught, int ended)
    {
        char buf[32];
        int n = snprintf(buf, sizeof buf, "O%d%d%d%d%d%d", destroyed, fallen, singed, exited, caught, ended);
        key.append(buf, static_cast<size_t>(n));
    }
    std::string key;
};

class RestHash {
public:
    void element(int type, int object, int device, int ai, int terrain, int state, int x, int y, int width,
                 int facingLeft, int frozen, int heated, int exploded, int inGrid, int hidden)
    {
        mix(static_cast<uint64_t>(type) | static_cast<uint64_t>(object) << 8 | static_cast<uint64_t>(device) << 16 |
            static_cast<uint64_t>(ai) << 24 | static_cast<uint64_t>(terrain) << 32 |
            static_cast<uint64_t>(static_cast<uint32_t>(state)) << 40);
        mix(static_cast<uint64_t>(static_cast<uint32_t>(x)) | static_cast<uint64_t>(static_cast<uint32_t>(y)) << 32);
        mix(static_cast<uint64_t>(width) | static_cast<uint64_t>(facingLeft) << 16 |
            static_cast<uint64_t>(frozen) << 20 | static_cast<uint64_t>(heated) << 24 |
            static_cast<uint64_t>(exploded) << 28 | static_cast<uint64_t>(inGrid) << 32 |
            static_cast<uint64_t>(hidden) << 36);
    }
    void professor(const int* slots, int count)
    {
        mix(0x50);
        for (int slot = 0; slot < count; ++slot)
            mix(static_cast<uint64_t>(static_cast<uint32_t>(slots[slot])));
    }
    void outcome(int destroyed, int fallen, int singed, int exited, int caught, int ended)
    {
        mix(0x4f00 | destroyed | fallen << 1 | singed << 2 | exited << 3 | caught << 4 | ended << 5);
    }
    // A multiply-xorshift mix per value: cheap, and every bit of a value
    // reaches every bit of the hash.
    void mix(uint64_t v)
    {
        h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
        h *= 0xbf58476d1ce4e5b9ull;
        h ^= h >> 31;
    }
    uint64_t h = 0x243f6a8885a308d3ull;
};

template <class Writer>
void writeRest(Writer& w, const CElementAIProfessor* p)
{
    for (const CElement* e : CElement::allElements) {
        if (e->IsLadder() || e->IsNull())
            continue;
        // The professor's and bots' animation state changes with time; only
        // their facing is kept for them. A collected power-up reads alike
        // while its label still rises and once it is gone.
        int state = e->IsAI() ? 0 : e->state;
        int hidden = e->mainSprite && !e->IsAI() ? e->mainSprite->IsHidden() : 0;
        if (e->IsDevice() && e->typeDevice == CElement::DEVICE_POWERUP) {
            state = e->state == CElementDevicePowerup::POWERUP_PRESENT ? 0 : 1;
            hidden = 0;
        }
        w.element(e->type, e->typeObject, e->typeDevice, e->typeAI, e->typeTerrain, state, e->x, e->y, e->width,
                  e->facingLeft, e->frozen, e->heated, e->exploded, e->inGrid, hidden);
    }
    if (p) {
        int slots[CElementAIProfessor::SLOTS];
        for (int slot = 0; slot < CElementAIProfessor::SLOTS; ++slot)
            slots[slot] = p->getPowerup(slot);
        w.professor(slots, CElementAIProfessor::SLOTS);
    }
    w.outcome(CElement::exitTubeDestroyed, CElement::fallen, CElement::singed, CElement::exited, CElement::caught,
              CElement::levelEnded);
}

} // namespace

std::string LevelRun::restKey() const
{
    RestText w;
    writeRest(w, m_game->GetProfessor());
    return w.key;
}

uint64_t LevelRun::restHash() const
{
    RestHash w;
    writeRest(w, m_game->GetProfessor());
    return w.h;
}

uint64_t LevelRun::restoreCheckHash()
{
    RestHash w;
    w.mix(boardHash());
    for (const CElement* e : CElement::allElements)
        for (const CSprite* s : {e->heatOverlay, e->heatExplosion, e->steamExplosion, e->empOverlay})
            if (s)
                w.mix(static_cast<uint64_t>(static_cast<uint32_t>(s->GetFrame())) << 32 |
                      static_cast<uint64_t>(static_cast<uint32_t>(s->GetState())) << 1 | (s->IsHidden() ? 1 : 0));
    return w.h;
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
