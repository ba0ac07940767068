// One puzzle level as data: the tile, ladder and cell-flag layers of the
// 32 x 24 board, the teleport ends of the three colours, the tutorial texts,
// the name, heading and background, and the recorded solution. The class
// also reads and writes the ".lvl" file format.
//
// Every layer is stored column-major: cell (x, y) has index x * 24 + y, in
// memory and in the file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "engine/Rect.h"
#include "level/TileCodes.h"

// One key of a recorded solution.
struct ReplayKey {
    int32_t frame;    // frames since the level started, from 1
    int32_t key;      // fixed key code (273 up, 274 down, 275 right, 276 left, 102 action, 49..57 slots)
    bool released;    // true for a key release
};

class CLevel {
public:
    enum {
        WIDTH = 32,
        HEIGHT = 24,
        CELLS = WIDTH * HEIGHT,
        NAME_SIZE = 17,     // 16 characters and the terminator
        HEADING_SIZE = 33,  // 32 characters and the terminator
        TELEPORT_COLOURS = 3,
        DEFAULT_BACKGROUND = 4,
        BACKGROUND_COUNT = 8
    };

    // Level kinds: the level ID masked with KIND_MASK.
    enum : uint32_t {
        KIND_MASK = 0x70700E,
        KIND_GAME = 0x202004,
        KIND_DEMO = 0x101002,
        KIND_CUSTOM = 0x404008,
        KIND_ALPHA = 0x50500A
    };
    // The ID of a built-in level: kind GAME, version 8, no noise.
    static const uint32_t GAME_LEVEL_ID = 0x08202004;

    // Limits the reader holds a file to; anything beyond them is damage.
    enum {
        MAX_TELEPORT_ENDS = (WIDTH + 1) * HEIGHT, // every position an end can take
        MAX_TUTORIAL_TEXT = 4096,
        MAX_SOLUTION_KEYS = 1000000 // over nine hours of play at one key a frame
    };

    CLevel();
    ~CLevel();
    CLevel(const CLevel&) = delete;
    CLevel& operator=(const CLevel&) = delete;

    // Empties everything: no name or heading, background 4, every cell NONE
    // with flag 0 and no tutorial text, no teleports, no solution.
    void Clear();

    // --- Layers. Getters are safe anywhere; setters ignore cells outside the
    // board but still mark the level modified.
    int GetTile(int x, int y) const;
    void SetTile(int code, int x, int y);
    int GetLadder(int x, int y) const;
    void SetLadder(int code, int x, int y);
    bool HasLadder(int x, int y) const;
    int GetCellFlags(int x, int y) const;
    void SetCellFlags(int flags, int x, int y);

    bool IsTerrain(int x, int y) const;
    bool IsPlatform(int x, int y) const;
    bool IsBot(int x, int y) const;
    bool IsBridge(int x, int y) const;
    bool IsGate(int x, int y) const;

    // The horizontal run of `code` through (x, y): {left x, y, width, 1}.
    Rect MeasureTileRun(int code, int x, int y) const;
    // The vertical run of ladder cells through (x, y): {x, top y, 1, height}.
    Rect MeasureLadderRun(int x, int y) const;

    // Tutorial texts. SetTutorialText takes ownership of a new[] text; a
    // cell outside the board frees it instead.
    const char* GetTutorialText(int x, int y) const;
    void SetTutorialText(int x, int y, char* text);
    void ClearTutorialText(int x, int y);

    const char* GetName() const { return m_name; }
    const char* GetHeadingText() const { return m_heading; }
    int GetBackground() const { return m_background; }
    void SetBackground(int background);
    int GetKind() const { return m_kind; }
    int GetVersion() const { return m_version; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    int GetTeleportPowerupCount() const { return m_teleportPowerupCount; }

    static const char* GetTypeName(int code);

    // --- Teleports (colour 0 blue, 1 yellow, 2 red).
    void SetTeleport(int tileCode, int x, int y);
    void EraseTeleport(int x, int y);
    int FindTeleportType(int x, int y) const;
    bool HasTeleportOfTile(int tileCode) const;
    int CountTeleportColours() const;
    bool AreTeleportsPaired() const;
    const std::vector<Rect>& GetTeleportTypeRecord(int colour) const;
    int AllocTeleportTypeId();
    void ClearTeleportTypeFlags();
    void DumpTeleports() const;

    // --- Recorded solution.
    void AddReplayKey(int frame, int key, bool released);
    ReplayKey GetReplayKey() const;
    bool AdvanceReplay();
    void ResetReplay();
    void EraseReplayAfter(int frame);
    void ClearSolution();
    bool IsSolutionRecorded() const;
    void SetSolutionRecorded();
    void DumpSolution() const;
    const std::vector<ReplayKey>& GetSolution() const { return m_solution; }
    int GetReplayPosition() const { return m_replayPosition; }

    // --- Files in the user's levels folder: folder + name + ".lvl". A name
    // that is empty or holds a path separator is refused, so no operation
    // reaches outside the folder.
    bool Load(const char* name);
    // Reads one level from the current position of an open stream (a level
    // file, or an entry of the level archive). Returns false when the level
    // was refused or the data is damaged: reading stops at the first damage,
    // what was read before it is kept and the rest stays cleared.
    bool Load(FILE* stream, const char* name);
    // Writes the level under its name. The bytes go to a temporary file in
    // the levels folder first, which then replaces the old file, so a failed
    // save leaves the old level as it was. False when nothing was saved.
    bool Save();
    bool SaveAs(const char* name, const char* heading);

    // Writes the level in the file format with the given level ID. Clears
    // the taken teleport colours before the tile layer, as saving does.
    bool Write(FILE* stream, uint32_t levelId);
    // The same bytes in memory (the level packer stores these).
    std::vector<uint8_t> Encode(uint32_t levelId);
    // The ID the editor writes: kind CUSTOM, version 8 and random noise.
    static uint32_t MakeCustomLevelId();

    static char* GetHeading(const char* name);
    static time_t GetFileTime(const char* name);
    static void Remove(const char* name);
    static std::string GetPath(const char* name);
    static bool IsValidFileName(const char* name);

    // Sets the name and heading, cut to their fields.
    void SetName(const char* name);
    void SetHeadingText(const char* heading);

private:
    static int index(int x, int y) { return x * HEIGHT + y; }
    static bool onBoard(int x, int y) { return x >= 0 && x < WIDTH && y >= 0 && y < HEIGHT; }
    static int colourOfTile(int tileCode);
    void freeTutorialTexts();
    bool readBody(FILE* stream, const char* name);

    int32_t m_kind = 0;
    int32_t m_version = 0;
    char m_name[NAME_SIZE];
    char m_heading[HEADING_SIZE];
    int32_t m_background = DEFAULT_BACKGROUND;
    int32_t m_cellFlags[CELLS];
    int32_t m_tiles[CELLS];
    int32_t m_ladders[CELLS];
    std::vector<Rect> m_teleports[TELEPORT_COLOURS];
    char* m_tutorialTexts[CELLS];
    int32_t m_teleportPowerupCount = 0;
    bool m_teleportColourTaken[TELEPORT_COLOURS];
    std::vector<ReplayKey> m_solution;
    bool m_solutionRecorded = false;
    int32_t m_replayPosition = 0;
    bool m_modified = false;
};
