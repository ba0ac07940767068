#include "level/Level.h"

#include <cstring>

#include "engine/Log.h"

namespace {

struct TypeName {
    int code;
    const char* name;
};

const TypeName kTypeNames[] = {
    {CTRL_HELP, "CTRL_HELP"},
    {FREEZE_MODE, "FREEZE_MODE"},
    {HEAT_MODE, "HEAT_MODE"},
    {TUTORIAL, "TUTORIAL"},
    {DEVICE_TUBE_START, "DEVICE_TUBE_START"},
    {NONE, "NONE"},
    {CTRL_NEW, "CTRL_NEW"},
    {POWERUP_FROSTGUN, "POWERUP_FROSTGUN"},
    {POWERUP_HEATGUN, "POWERUP_HEATGUN"},
    {DEVICE_TUBE_END, "DEVICE_TUBE_END"},
    {CTRL_LOAD, "CTRL_LOAD"},
    {POWERUP_TELEPORT, "POWERUP_TELEPORT"},
    {POWERUP_BRIDGE, "POWERUP_BRIDGE"},
    {POWERUP_EMP, "POWERUP_EMP"},
    {CTRL_SAVE, "CTRL_SAVE"},
    {POWERUP_CRATE, "POWERUP_CRATE"},
    {POWERUP_BARREL, "POWERUP_BARREL"},
    {POWERUP_MAGNET, "POWERUP_MAGNET"},
    {TERRAIN_GRASS, "TERRAIN_GRASS"},
    {CTRL_SAVE_AS, "CTRL_SAVE_AS"},
    {OBJECT_WCRATE, "OBJECT_WCRATE"},
    {OBJECT_WBARREL, "OBJECT_WBARREL"},
    {OBJECT_LMAGNET, "OBJECT_LMAGNET"},
    {TERRAIN_SAND, "TERRAIN_SAND"},
    {CTRL_TEST, "CTRL_TEST"},
    {OBJECT_MCRATE, "OBJECT_MCRATE"},
    {OBJECT_MBARREL, "OBJECT_MBARREL"},
    {OBJECT_RMAGNET, "OBJECT_RMAGNET"},
    {TERRAIN_ICE, "TERRAIN_ICE"},
    {CTRL_RECORD, "CTRL_RECORD"},
    {DEVICE_GATE_B, "DEVICE_GATE_B"},
    {DEVICE_GATE_Y, "DEVICE_GATE_Y"},
    {DEVICE_GATE_R, "DEVICE_GATE_R"},
    {TERRAIN_BRIDGE, "TERRAIN_BRIDGE"},
    {CTRL_PLAY, "CTRL_PLAY"},
    {DEVICE_BUTTON_B, "DEVICE_BUTTON_B"},
    {DEVICE_BUTTON_Y, "DEVICE_BUTTON_Y"},
    {DEVICE_BUTTON_R, "DEVICE_BUTTON_R"},
    {LADDER, "LADDER"},
    {CTRL_EXIT, "CTRL_EXIT"},
    {DEVICE_LTELEPORT_B, "DEVICE_LTELEPORT_B"},
    {DEVICE_LTELEPORT_Y, "DEVICE_LTELEPORT_Y"},
    {DEVICE_LTELEPORT_R, "DEVICE_LTELEPORT_R"},
    {DEVICE_TRAMPOLINE, "DEVICE_TRAMPOLINE"},
    {PLATFORM, "PLATFORM"},
    {BOT_HANG, "BOT_HANG"},
    {BOT_LEFT, "BOT_LEFT"},
    {BOT_RIGHT, "BOT_RIGHT"},
};

const std::vector<Rect> kNoTeleports;

} // namespace

CLevel::CLevel()
{
    for (char*& text : m_tutorialTexts)
        text = nullptr;
    logPrint(LOG_LEVEL, "Clearing level...\n");
    Clear();
}

CLevel::~CLevel()
{
    freeTutorialTexts();
}

void CLevel::freeTutorialTexts()
{
    for (char*& text : m_tutorialTexts) {
        delete[] text;
        text = nullptr;
    }
}

void CLevel::Clear()
{
    m_name[0] = '\0';
    memset(m_heading, 0, sizeof m_heading);
    m_solutionRecorded = false;
    ClearSolution();
    ResetReplay();
    m_background = DEFAULT_BACKGROUND;
    for (int i = 0; i < CELLS; ++i) {
        m_tiles[i] = NONE;
        m_ladders[i] = NONE;
        m_cellFlags[i] = CELL_NORMAL;
    }
    freeTutorialTexts();
    m_teleportPowerupCount = 0;
    for (int c = 0; c < TELEPORT_COLOURS; ++c) {
        m_teleports[c].clear();
        m_teleportColourTaken[c] = false;
    }
    m_modified = false;
}

// ---------------------------------------------------------------- layers

int CLevel::GetTile(int x, int y) const
{
    return onBoard(x, y) ? m_tiles[index(x, y)] : NONE;
}

void CLevel::SetTile(int code, int x, int y)
{
    m_modified = true;
    if (!onBoard(x, y))
        return;
    int& cell = m_tiles[index(x, y)];
    if (code == POWERUP_TELEPORT)
        ++m_teleportPowerupCount;
    if (cell == POWERUP_TELEPORT)
        --m_teleportPowerupCount;
    cell = code;
}

int CLevel::GetLadder(int x, int y) const
{
    return onBoard(x, y) ? m_ladders[index(x, y)] : NONE;
}

void CLevel::SetLadder(int code, int x, int y)
{
    m_modified = true;
    if (onBoard(x, y))
        m_ladders[index(x, y)] = code;
}

bool CLevel::HasLadder(int x, int y) const
{
    return onBoard(x, y) && m_ladders[index(x, y)] != NONE;
}

int CLevel::GetCellFlags(int x, int y) const
{
    return onBoard(x, y) ? m_cellFlags[index(x, y)] : CELL_NORMAL;
}

void CLevel::SetCellFlags(int flags, int x, int y)
{
    m_modified = true;
    if (onBoard(x, y))
        m_cellFlags[index(x, y)] = flags;
}

bool CLevel::IsTerrain(int x, int y) const
{
    int code = GetTile(x, y);
    return onBoard(x, y) &&
           (code == TERRAIN_GRASS || code == TERRAIN_SAND || code == TERRAIN_ICE || code == TERRAIN_BRIDGE);
}

bool CLevel::IsPlatform(int x, int y) const
{
    return onBoard(x, y) && GetTile(x, y) == PLATFORM;
}

bool CLevel::IsBot(int x, int y) const
{
    int code = GetTile(x, y);
    return onBoard(x, y) && code >= BOT_HANG && code <= BOT_RIGHT;
}

bool CLevel::IsBridge(int x, int y) const
{
    return onBoard(x, y) && GetTile(x, y) == TERRAIN_BRIDGE;
}

bool CLevel::IsGate(int x, int y) const
{
    int code = GetTile(x, y);
    return onBoard(x, y) && code >= DEVICE_GATE_B && code <= DEVICE_GATE_R;
}

Rect CLevel::MeasureTileRun(int code, int x, int y) const
{
    int left = x;
    int right = x;
    while (onBoard(right + 1, y) && GetTile(right + 1, y) == code)
        ++right;
    while (onBoard(left - 1, y) && GetTile(left - 1, y) == code)
        --left;
    return Rect{left, y, right - left + 1, 1};
}

Rect CLevel::MeasureLadderRun(int x, int y) const
{
    int top = y;
    int bottom = y;
    while (HasLadder(x, bottom + 1))
        ++bottom;
    while (HasLadder(x, top - 1))
        --top;
    return Rect{x, top, 1, bottom - top + 1};
}

const char* CLevel::GetTutorialText(int x, int y) const
{
    return onBoard(x, y) ? m_tutorialTexts[index(x, y)] : nullptr;
}

void CLevel::SetTutorialText(int x, int y, char* text)
{
    if (!onBoard(x, y)) {
        delete[] text;
        return;
    }
    char*& cell = m_tutorialTexts[index(x, y)];
    if (cell != text)
        delete[] cell;
    cell = text;
}

void CLevel::ClearTutorialText(int x, int y)
{
    if (!onBoard(x, y))
        return;
    delete[] m_tutorialTexts[index(x, y)];
    m_tutorialTexts[index(x, y)] = nullptr;
}

void CLevel::SetBackground(int background)
{
    m_background = background;
    m_modified = true;
}

void CLevel::SetName(const char* name)
{
    snprintf(m_name, sizeof m_name, "%s", name ? name : "");
}

void CLevel::SetHeadingText(const char* heading)
{
    memset(m_heading, 0, sizeof m_heading);
    snprintf(m_heading, sizeof m_heading, "%s", heading ? heading : "");
}

const char* CLevel::GetTypeName(int code)
{
    for (const TypeName& entry : kTypeNames)
        if (entry.code == code)
            return entry.name;
    return "***Unknown***";
}

// ---------------------------------------------------------------- teleports

int CLevel::colourOfTile(int tileCode)
{
    if (tileCode == DEVICE_LTELEPORT_B)
        return 0;
    if (tileCode == DEVICE_LTELEPORT_Y)
        return 1;
    return 2;
}

void CLevel::SetTeleport(int tileCode, int x, int y)
{
    m_modified = true;
    if (x < -1 || x > WIDTH - 1 || y < 0 || y > HEIGHT - 1)
        return;
    m_teleports[colourOfTile(tileCode)].push_back(Rect{x, y, 0, 0});
    logPrint(LOG_LEVEL, "CLevel::SetTeleport()   Creating teleport at (%i,%i)\n", x, y);
}

void CLevel::EraseTeleport(int x, int y)
{
    logPrint(LOG_LEVEL, "CLevel::EraseTeleport()   Checking for teleport at (%i,%i)\n", x, y);
    for (std::vector<Rect>& list : m_teleports) {
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (it->x == x && it->y == y) {
                logPrint(LOG_LEVEL, "CLevel::EraseTeleport()   * Found teleport at (%i,%i)\n", x, y);
                list.erase(it);
                return;
            }
        }
    }
}

int CLevel::FindTeleportType(int x, int y) const
{
    if (x < -1 || x > WIDTH - 1 || y < 0 || y > HEIGHT - 1)
        return -1;
    for (int c = 0; c < TELEPORT_COLOURS; ++c)
        for (const Rect& end : m_teleports[c])
            if (end.x == x && end.y == y)
                return c;
    return -1;
}

bool CLevel::HasTeleportOfTile(int tileCode) const
{
    int colour = 0;
    if (tileCode == DEVICE_LTELEPORT_Y)
        colour = 1;
    else if (tileCode == DEVICE_LTELEPORT_R)
        colour = 2;
    return !m_teleports[colour].empty();
}

int CLevel::CountTeleportColours() const
{
    int count = 0;
    for (const std::vector<Rect>& list : m_teleports)
        if (!list.empty())
            ++count;
    return count;
}

bool CLevel::AreTeleportsPaired() const
{
    for (const std::vector<Rect>& list : m_teleports)
        if (list.size() % 2 != 0)
            return false;
    return true;
}

const std::vector<Rect>& CLevel::GetTeleportTypeRecord(int colour) const
{
    if (colour < 0 || colour >= TELEPORT_COLOURS)
        return kNoTeleports;
    return m_teleports[colour];
}

int CLevel::AllocTeleportTypeId()
{
    for (int c = 0; c < TELEPORT_COLOURS; ++c) {
        if (m_teleports[c].empty() && !m_teleportColourTaken[c]) {
            m_teleportColourTaken[c] = true;
            return c;
        }
    }
    logPrint(LOG_WARNING, "*** Warning:  Teleport powerup defined, but not typeID's available\n");
    return 0;
}

void CLevel::ClearTeleportTypeFlags()
{
    for (bool& taken : m_teleportColourTaken)
        taken = false;
}

void CLevel::DumpTeleports() const
{
    const char* dashes = "---------------------------------------\n";
    logPrint(LOG_LEVEL, "%s", dashes);
    for (int c = 0; c < TELEPORT_COLOURS; ++c) {
        logPrint(LOG_LEVEL, "Teleport Type %i  (count=%i)\n", c, static_cast<int>(m_teleports[c].size()));
        int number = 1;
        for (const Rect& end : m_teleports[c])
            logPrint(LOG_LEVEL, "   #%i   (%i,%i)\n", number++, end.x, end.y);
    }
    logPrint(LOG_LEVEL, "%s", dashes);
}
