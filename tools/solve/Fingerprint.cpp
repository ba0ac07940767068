#include "Fingerprint.h"

#include <cstdio>
#include <memory>

#include "LevelRun.h"
#include "engine/CSprite.h"
#include "world/CElement.h"
#include "level/Level.h"

namespace solve {

using levelpack::LevelRun;
using levelpack::Move;
using levelpack::MoveKind;

namespace {

class Mixer {
public:
    void mix(uint64_t v)
    {
        for (int i = 0; i < 8; ++i, v >>= 8) {
            m_hash ^= v & 0xff;
            m_hash *= 1099511628211ull;
        }
    }
    void mixText(const std::string& text)
    {
        for (unsigned char c : text)
            mix(c);
    }
    std::string hex() const
    {
        char buf[20];
        snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(m_hash));
        return buf;
    }

private:
    uint64_t m_hash = 1469598103934665603ull;
};

void mixScript(Mixer& m, const std::vector<Move>& script)
{
    m.mix(script.size());
    for (const Move& move : script)
        m.mix(static_cast<uint64_t>(move.kind) << 32 | static_cast<uint32_t>(move.value));
}

// Builds the level and plays the first `count` moves of the script.
std::unique_ptr<LevelRun> reach(CLevel& level, const std::vector<Move>& script, size_t count)
{
    std::unique_ptr<LevelRun> run(new LevelRun(level, false, false));
    std::string why;
    if (!run->hasBoard() || !run->waitForRest(why) || run->ended())
        return nullptr;
    for (size_t i = 0; i < count; ++i)
        if (!run->play(script[i], why))
            return nullptr;
    return run;
}

} // namespace

std::string sourceFingerprint(const CLevel& level, const std::vector<Move>& script)
{
    Mixer m;
    for (int y = 0; y < CLevel::HEIGHT; ++y)
        for (int x = 0; x < CLevel::WIDTH; ++x)
            m.mix(static_cast<uint64_t>(static_cast<uint32_t>(level.GetTile(x, y))) << 32 |
                  static_cast<uint64_t>(static_cast<uint16_t>(level.GetLadder(x, y))) << 16 |
                  static_cast<uint16_t>(level.GetCellFlags(x, y)));
    for (int colour = 0; colour < CLevel::TELEPORT_COLOURS; ++colour) {
        m.mix(0x7e1e0000u | static_cast<uint32_t>(colour));
        for (const Rect& end : level.GetTeleportTypeRecord(colour))
            m.mix(static_cast<uint64_t>(static_cast<uint32_t>(end.x)) << 32 | static_cast<uint32_t>(end.y));
    }
    mixScript(m, script);
    return m.hex();
}

std::string rulesFingerprint(CLevel& level, const std::vector<Move>& script)
{
    Mixer m;
    std::unique_ptr<LevelRun> run = reach(level, script, 0);
    if (!run)
        return "failed";
    const Move arrows[] = {{MoveKind::Left, 0, 0}, {MoveKind::Right, 0, 0}, {MoveKind::Up, 0, 0},
                           {MoveKind::Down, 0, 0}};
    for (size_t step = 0; step < script.size(); ++step) {
        m.mix(run->restHash());
        const uint64_t here = LevelRun::restoreCheckHash();
        for (const Move& arrow : arrows) {
            CElement::UndoSave();
            std::string why;
            bool alive = run->play(arrow, why);
            if (alive)
                m.mix(run->restHash());
            else
                m.mixText(run->ended() ? run->outcome() : "stuck");
            bool restored = false;
            if (alive) {
                CElement::UndoLoad(true);
                if (CElement::flashBang)
                    CElement::flashBang->Hide();
                restored = LevelRun::restoreCheckHash() == here;
            }
            if (!restored) {
                run.reset();
                if (!(run = reach(level, script, step)))
                    return "failed";
            }
        }
        std::string why;
        if (!run->play(script[step], why)) {
            if (step + 1 != script.size() || run->outcome() != "exited")
                return "failed";
            m.mix(static_cast<uint64_t>(run->elapsedFrames()));
            return m.hex();
        }
    }
    return "failed";
}

} // namespace solve
