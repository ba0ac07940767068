// CElementDevicePowerup: a collectable power-up floating in a bubble. It
// takes no room; the class keeps a grid of the power-up types lying on the
// board, which the professor reads and collects from.
#pragma once

#include <array>
#include <cstdint>

#include "elements/CElementDevice.h"
#include "elements/SlotCopies.h"

class CElementDevicePowerup : public CElementDevice {
public:
    enum { FIRST_TYPE = 1, LAST_TYPE = 14 };
    // The element's state word.
    enum PowerupState {
        POWERUP_PRESENT = 0,    // lies in its cell, counted in the grid
        POWERUP_COLLECTING = 1, // collected; its label rises and fades
        POWERUP_GONE = 2        // nothing shown
    };

    CElementDevicePowerup(int x, int y, int powerupType);
    ~CElementDevicePowerup() override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    int GetPowerupType() const { return powerupType; }

    // ------------------------------------------------ board queries (false / 0 outside the board)
    static bool isPowerupAt(int x, int y);
    static int getPowerupTypeAt(int x, int y);
    // Plays the collect sound, removes the power-up from the grid and starts
    // its collect animation; nothing when no power-up lies there.
    static void collectAt(int x, int y);

    // ------------------------------------------------ level reset and undo of the grid
    static void clearGrid();
    static void saveGrid(int step);
    static void restoreGrid(int step);

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    // What an undo step keeps besides the element record.
    struct Record {
        int32_t animStep; // steps of the collect animation so far
    };

    void ShowPictures();

    int powerupType;
    Record record{0};
    SlotCopies<Record> savedRecords;
    CSprite* bubble = nullptr;
    CSprite* label = nullptr;
    CSound* soundCollect = nullptr;

    typedef std::array<int32_t, GRID_CELLS> Grid; // power-up type per cell, 0 none
    static Grid powerupGrid;
    static SlotCopies<Grid> savedPowerupGrids;
    // The power-up element standing in each cell (the board's layout; not
    // part of an undo step).
    static CElementDevicePowerup* owners[GRID_CELLS];
};
