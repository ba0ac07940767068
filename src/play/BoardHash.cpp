#include "play/BoardHash.h"

#include <cstdio>
#include <unordered_map>
#include <vector>

#include "elements/CElementDeviceButton.h"
#include "elements/CElementDevicePowerup.h"
#include "elements/CElementDeviceTeleport.h"
#include "elements/CElementObjectMagnet.h"
#include "engine/CSprite.h"
#include "world/CElement.h"
#include "world/CElementBoard.h"

namespace {

// Appends values to a state string in a fixed byte form.
class StateWriter {
public:
    void put(int64_t v)
    {
        char buf[24];
        int n = snprintf(buf, sizeof buf, "%lld,", static_cast<long long>(v));
        m_out.append(buf, static_cast<size_t>(n));
    }
    void tag(const char* t) { m_out += t; }
    std::string& out() { return m_out; }

private:
    std::string m_out;
};

// Mixes the same values into 64 bits without writing them out: FNV-1a over
// each value's eight bytes, and over the tag letters.
class HashWriter {
public:
    void put(int64_t v)
    {
        uint64_t u = static_cast<uint64_t>(v);
        for (int i = 0; i < 8; ++i, u >>= 8) {
            m_hash ^= u & 0xff;
            m_hash *= 1099511628211ull;
        }
    }
    void tag(const char* t)
    {
        for (; *t; ++t) {
            m_hash ^= static_cast<unsigned char>(*t);
            m_hash *= 1099511628211ull;
        }
    }
    uint64_t hash() const { return m_hash; }

private:
    uint64_t m_hash = 1469598103934665603ull;
};

// Position of each element in allElements: -1 for none, -2 for an element
// that is not in the list.
class ElementIndex {
public:
    ElementIndex()
    {
        const std::vector<CElement*>& all = CElement::allElements;
        m_index.reserve(all.size());
        for (size_t i = 0; i < all.size(); ++i)
            m_index.emplace(all[i], static_cast<int>(i));
    }
    int of(const CElement* e) const
    {
        if (!e)
            return -1;
        auto it = m_index.find(e);
        return it == m_index.end() ? -2 : it->second;
    }

private:
    std::unordered_map<const CElement*, int> m_index;
};

template <class Writer>
void putFields(Writer& w, const ElementIndex& index, const CElementFields& f)
{
    const int32_t ints[] = {f.x,          f.y,          f.prevX,  f.prevY,  f.entryX,    f.entryY,
                            f.pixelX,     f.pixelY,     f.lastPixelX, f.lastPixelY, f.carryX, f.carryY,
                            f.moveCount,  f.landFrame};
    for (int32_t v : ints)
        w.put(v);
    const uint8_t flags[] = {f.magnetic,     f.metallic,     f.bursts,         f.inGrid,        f.canFall,
                             f.canSlide,     f.mobile,       f.freezable,      f.heatable,      f.burnable,
                             f.meltable,     f.facingLeft,   f.moving,         f.falling,       f.sliding,
                             f.pushing,      f.pushed,       f.landing,        f.heatImmune,    f.empActive,
                             f.exploded,     f.effectSilenced, f.frozen,       f.steamActive,   f.thawing,
                             f.heated,       f.cooling,      f.heatEffectActive, f.delayedHeat, f.carried,
                             f.ridden,       f.rollLeft,     f.rollRight,      f.wasMovingLeft, f.wasMovingRight,
                             f.wasMovingUp,  f.wasMovingDown, f.startedSupported, f.justLanded, f.skipSlideCheck,
                             f.tramp,        f.bounceReady1, f.bounceReady2,   f.leftTrampoline, f.catchLeft,
                             f.catchRight};
    for (uint8_t v : flags)
        w.put(v);
    w.put(index.of(f.lmagnet));
    w.put(index.of(f.rmagnet));
}

// The whole board state, value by value, into a writer.
template <class Writer>
void writeBoard(Writer& w)
{
    const ElementIndex index;
    w.tag("E");
    w.put(static_cast<int64_t>(CElement::allElements.size()));
    for (const CElement* e : CElement::allElements) {
        w.tag("|");
        const int32_t kinds[] = {e->type,  e->typeObject, e->typeDevice, e->typeAI, e->typeTerrain,
                                 e->typeLadder, e->typeMagnet, e->spawned, e->width, e->state};
        for (int32_t v : kinds)
            w.put(v);
        putFields(w, index, *e);
        const CSprite* s = e->mainSprite;
        if (s) {
            w.put(s->GetFrame());
            w.put(s->GetState());
            w.put(s->IsHidden());
        }
        w.put(e->secondSprite != nullptr);
        std::vector<int64_t> numbers;
        std::vector<const CElement*> links;
        e->AppendOwnState(numbers, links);
        w.tag("+");
        for (int64_t v : numbers)
            w.put(v);
        for (const CElement* link : links)
            w.put(index.of(link));
    }
    w.tag("G");
    for (const CElement* cell : CElement::grid)
        w.put(index.of(cell));
    w.tag("S");
    for (const CElement* e : CElement::spawnedElements)
        w.put(index.of(e));
    w.tag("O");
    const int outcome[] = {CElement::exitTubeDestroyed, CElement::fallen, CElement::singed,
                           CElement::exited,            CElement::caught, CElement::levelEnded};
    for (int v : outcome)
        w.put(v);
    w.tag("D");
    for (int x = 0; x < CElement::GRID_WIDTH; ++x)
        for (int y = 0; y < CElement::GRID_HEIGHT; ++y)
            w.put((board::isLadderAt(x, y) ? 1 : 0) | (board::isPlatformAt(x, y) ? 2 : 0) |
                  (board::isTrampolineAt(x, y) ? 4 : 0) | (CElementDevicePowerup::getPowerupTypeAt(x, y) << 3));
    // The devices' class-wide state that undo keeps: the pressed buttons,
    // the teleport pairs, the magnet lists.
    w.tag("B");
    for (int colour = 0; colour < CElementDeviceButton::COLOURS; ++colour)
        w.put(CElementDeviceButton::GetPressedCount(colour));
    w.tag("T");
    for (int colour = 0; colour < CElementDeviceTeleport::COLOURS; ++colour) {
        for (const CElement* end : CElementDeviceTeleport::GetPair(colour))
            w.put(index.of(end));
        w.tag(";");
    }
    w.put(CElementDeviceTeleport::GetInflateCount());
    w.tag("M");
    for (const auto* list : {&CElementObjectMagnet::GetLeftMagnets(), &CElementObjectMagnet::GetRightMagnets()}) {
        for (const CElement* magnet : *list)
            w.put(index.of(magnet));
        w.tag(";");
    }
}

} // namespace

std::string boardState()
{
    StateWriter w;
    writeBoard(w);
    return w.out();
}

uint64_t boardHash()
{
    HashWriter w;
    writeBoard(w);
    return w.hash();
}
