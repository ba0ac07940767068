#include "world/BoardHarness.h"

#include <SDL.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "engine/TextRender.h"
#include "test_support.h"
#include "play/BoardHash.h"
#include "world/CElementBoard.h"
#include "play/ElementFactory.h"

namespace boardtest {

namespace {

Uint32 fakeTicks = 0;

Uint32 clockTicks()
{
    return fakeTicks;
}

// The frame pacing waits with delays of 0 ms too: the clock must still move.
void clockDelay(Uint32 ms)
{
    fakeTicks += ms ? ms : 1;
}

CDraw* draw = nullptr;
CRender* render = nullptr;
bool started = false;

void stopWorld()
{
    CElement::UnloadElements();
    CRender::ClearLists();
    delete render;
    render = nullptr;
    delete draw;
    draw = nullptr;
    shutdownFontSystem();
    CSound::shutdown();
    CDraw::SetTimeSource(nullptr, nullptr);
    CSprite::SetTickSource(nullptr);
    started = false;
}

LegendEntry tile(int code, int flags = CELL_NORMAL)
{
    LegendEntry e;
    e.tile = code;
    e.flags = flags;
    return e;
}

LegendEntry ladder(int code)
{
    LegendEntry e;
    e.tile = code;
    e.ladder = true;
    return e;
}

LegendEntry teleport(int code)
{
    LegendEntry e;
    e.teleport = code;
    return e;
}

} // namespace

const Legend& defaultLegend()
{
    static const Legend legend = {
        {'#', tile(TERRAIN_GRASS)},
        {':', tile(TERRAIN_SAND)},
        {'~', tile(TERRAIN_ICE)},
        {'_', tile(TERRAIN_BRIDGE)},
        {'c', tile(OBJECT_WCRATE)},
        {'C', tile(OBJECT_MCRATE)},
        {'f', tile(OBJECT_WCRATE, CELL_FROZEN)},
        {'*', tile(OBJECT_MCRATE, CELL_HEATED)},
        {'h', tile(OBJECT_WCRATE, CELL_HEATED)},
        {'o', tile(OBJECT_WBARREL)},
        {'O', tile(OBJECT_MBARREL)},
        {'m', tile(OBJECT_LMAGNET)},
        {'M', tile(OBJECT_RMAGNET)},
        {'H', ladder(NONE)},
        {'=', ladder(PLATFORM)},
        {'T', tile(DEVICE_TRAMPOLINE)},
        {'P', tile(DEVICE_TUBE_START)},
        {'X', tile(DEVICE_TUBE_END)},
        {'<', tile(BOT_LEFT)},
        {'>', tile(BOT_RIGHT)},
        {'A', tile(BOT_HANG)},
        {'F', tile(BOT_LEFT, CELL_FROZEN)},
        {'1', teleport(DEVICE_LTELEPORT_B)},
        {'2', teleport(DEVICE_LTELEPORT_Y)},
        {'3', teleport(DEVICE_LTELEPORT_R)},
        {'g', tile(DEVICE_GATE_B)},
        {'r', tile(DEVICE_GATE_R)},
        {'y', tile(DEVICE_GATE_Y)},
        {'b', tile(DEVICE_BUTTON_B)},
        {'R', tile(DEVICE_BUTTON_R)},
        {'Y', tile(DEVICE_BUTTON_Y)},
        {'u', tile(TUTORIAL)},
        {'p', tile(POWERUP_CRATE)},
        {'e', tile(POWERUP_EMP)},
        {'w', tile(POWERUP_FROSTGUN)},
        {'W', tile(POWERUP_HEATGUN)},
    };
    return legend;
}

std::string trimPicture(const std::string& picture)
{
    std::vector<std::string> rows;
    std::istringstream in(picture);
    std::string line;
    while (std::getline(in, line)) {
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos)
            continue;
        size_t last = line.find_last_not_of(" \t");
        rows.push_back(line.substr(first, last - first + 1));
    }
    std::string out;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i)
            out += '\n';
        out += rows[i];
    }
    return out;
}

void startWorld()
{
    if (started)
        return;
    started = true;
    fakeTicks = 0;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    logInit(false);
    std::string run = testsupport::runDir();
    testsupport::ScopedChdir in(run);
    initFontSystem("./", "resource5.dat");
    CDraw::SetTimeSource(clockTicks, clockDelay);
    CSprite::SetTickSource(clockTicks);
    CDraw::SetConfig(nullptr);
    CDraw::SetLoadFromDirectory(0);
    CSound::setLoadFromDirectory(false);
    CSound::init(true);
    // Lives for the rest of the test and goes after it in main's order,
    // before the next test finds the static stores it fills.
    draw = new CDraw();
    render = new CRender();
    CRender::Init();
    CDraw::PreloadImages();
    CSound::loadSound();
    testsupport::atTestEnd(stopWorld);
}

Board::Board()
    : m_level(new CLevel())
{
    startWorld();
    m_level->Clear();
    build(*m_level);
}

Board::Board(const std::string& picture, const Legend& legend, int top, int left)
    : m_level(new CLevel())
{
    startWorld();
    build(picture, legend, top, left);
}

Board::~Board()
{
    CElement::UnloadElements();
    CRender::ClearLists();
}

void Board::reset()
{
    CElement::UnloadElements();
    CRender::ClearLists();
    CElement::InitElements();
}

void Board::build(CLevel& level)
{
    reset();
    buildLevelElements(level);
}

void Board::build(const std::string& picture, const Legend& legend, int top, int left)
{
    m_level->Clear();
    std::string rows = trimPicture(picture);
    std::istringstream in(rows);
    std::string line;
    int y = top;
    int width = 0;
    while (std::getline(in, line)) {
        for (int i = 0; i < static_cast<int>(line.size()); ++i) {
            int x = left + i;
            auto it = legend.find(line[static_cast<size_t>(i)]);
            if (it == legend.end())
                continue;
            const LegendEntry& e = it->second;
            if (e.tile != NONE)
                m_level->SetTile(e.tile, x, y);
            if (e.flags != CELL_NORMAL)
                m_level->SetCellFlags(e.flags, x, y);
            if (e.ladder)
                m_level->SetLadder(LADDER, x, y);
            if (e.teleport)
                m_level->SetTeleport(e.teleport, x, y);
        }
        width = std::max(width, static_cast<int>(line.size()));
        ++y;
    }
    m_top = top;
    m_left = left;
    m_rows = y - top;
    m_cols = width;
    build(*m_level);
}

void Board::step(int count)
{
    for (int i = 0; i < count; ++i) {
        CElement::UpdateAllElements();
        CSound::update();
        CRender::Render(true);
        CDraw::Present(1, 1);
    }
}

CElement* Board::at(int x, int y) const
{
    return getElementAt(x, y, true);
}

std::vector<CElement*> Board::all(const char* name) const
{
    std::vector<CElement*> found;
    for (CElement* e : CElement::allElements)
        if (std::strcmp(e->GetName(), name) == 0)
            found.push_back(e);
    return found;
}

char Board::glyph(const CElement* e)
{
    switch (e->type) {
    case CElement::TYPE_NULL: return '.';
    case CElement::TYPE_TERRAIN:
        switch (e->typeTerrain) {
        case CElement::TERRAIN_GRASS: return '#';
        case CElement::TERRAIN_SAND: return ':';
        case CElement::TERRAIN_ICE: return '~';
        case CElement::TERRAIN_BRIDGE: return '_';
        default: return '?';
        }
    case CElement::TYPE_LADDER: return 'H';
    case CElement::TYPE_TUTORIAL: return 'u';
    case CElement::TYPE_OBJECT:
        switch (e->typeObject) {
        case CElement::OBJECT_CRATE: return e->metallic ? 'C' : 'c';
        case CElement::OBJECT_BARREL: return e->metallic ? 'O' : 'o';
        case CElement::OBJECT_MAGNET: return e->typeMagnet == CElement::MAGNET_LEFT ? 'm' : 'M';
        default: return '?';
        }
    case CElement::TYPE_AI:
        if (e->typeAI == CElement::AI_PROFESSOR)
            return 'P';
        return e->facingLeft ? '<' : '>';
    case CElement::TYPE_DEVICE:
        switch (e->typeDevice) {
        case CElement::DEVICE_GUNSHOT: return '!';
        case CElement::DEVICE_GATE: return 'g';
        case CElement::DEVICE_BUTTON: return 'b';
        case CElement::DEVICE_TRAMPOLINE: return 'T';
        case CElement::DEVICE_TUBE: return 'X';
        case CElement::DEVICE_TELEPORT: return '1';
        case CElement::DEVICE_POWERUP: return 'p';
        default: return '?';
        }
    default: return '?';
    }
}

std::string Board::picture(int top, int left, int rows, int cols) const
{
    std::string out;
    for (int y = top; y < top + rows; ++y) {
        if (y > top)
            out += '\n';
        for (int x = left; x < left + cols; ++x) {
            CElement* e = getElementAt(x, y, true);
            char c = glyph(e);
            if (c == '.' && board::isLadderAt(x, y))
                c = board::isPlatformAt(x, y) ? '=' : 'H';
            out += c;
        }
    }
    return out;
}

std::string Board::state() const
{
    return boardState();
}

uint64_t Board::hash() const
{
    return boardHash();
}

std::string staleCells()
{
    std::string out;
    const std::vector<CElement*>& all = CElement::allElements;
    for (int x = 0; x < CElement::GRID_WIDTH; ++x) {
        for (int y = 0; y < CElement::GRID_HEIGHT; ++y) {
            CElement* e = CElement::grid[x * CElement::GRID_HEIGHT + y];
            std::string cell = "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
            if (e == nullptr) {
                out += cell + "holds no element\n";
            } else if (std::find(all.begin(), all.end(), e) == all.end()) {
                out += cell + "holds an element that no longer exists\n";
            } else if (!e->IsNull() &&
                       (!e->inGrid || e->y != y || x < e->x || x >= e->x + e->width)) {
                out += cell + "holds " + e->GetName() + " of (" + std::to_string(e->x) + "," +
                       std::to_string(e->y) + ")" + (e->inGrid ? "" : ", out of the grid") + "\n";
            }
        }
    }
    return out;
}

} // namespace boardtest
