// CElementLadder: one segment of a ladder. Ladders take no room on the board
// grid; the class keeps its own grid of segments, which walkers and the
// world core ask whether a cell holds a ladder or a ladder platform.
#pragma once

#include <cstdint>

#include "world/CElement.h"

class CElementLadder : public CElement {
public:
    // Segment kinds as the factory passes them, and the platform value of
    // the ladder grid.
    enum SegmentKind {
        SEGMENT_NONE = 0,
        SEGMENT_SINGLE = 1, // a ladder of one cell
        SEGMENT_TOP = 2,
        SEGMENT_MIDDLE = 3,
        SEGMENT_BOTTOM = 4,
        SEGMENT_PLATFORM = 6 // a segment carrying a platform
    };

    CElementLadder(int x, int y, int segmentKind, bool platform);
    ~CElementLadder() override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    // ------------------------------------------------ board queries (false outside the board)
    static bool IsLadderAt(int x, int y);
    static bool IsPlatformAt(int x, int y);

    // ------------------------------------------------ level reset
    static void ClearGrid();
    // Whether any ladder was built since the last reset.
    static bool LaddersExist() { return laddersExist != 0; }

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    CSprite* body = nullptr;
    CSprite* platformSprite = nullptr;

    static uint8_t ladderGrid[GRID_CELLS]; // segment kind per cell, 0 none
    static uint8_t laddersExist;
};
