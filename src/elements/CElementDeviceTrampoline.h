// CElementDeviceTrampoline: a springy sheet in one cell. It takes no room,
// but walkers never step onto it; it carries what stands above it. Something
// that slides or is pushed into its cell stretches the sheet the way it
// came; once it rests there (and a walker no longer presses that way) the
// sheet flings it one cell back the way it came.
#pragma once

#include <array>
#include <cstdint>

#include "elements/CElementDevice.h"
#include "elements/SlotCopies.h"

class CElementDeviceTrampoline : public CElementDevice {
public:
    enum { STRETCH_STEPS = 6 }; // steps an arrival stretches the sheet before the fling
    // The element's state word.
    enum TrampolineState {
        TRAMPOLINE_IDLE = 0,
        TRAMPOLINE_STRETCH_LEFT = 1,  // something pushes the sheet to the left
        TRAMPOLINE_STRETCH_RIGHT = 2, // ... to the right
        TRAMPOLINE_UNSTRETCH_LEFT = 3, // springing back after flinging to the right
        TRAMPOLINE_UNSTRETCH_RIGHT = 4 // springing back after flinging to the left
    };

    CElementDeviceTrampoline(int x, int y);
    ~CElementDeviceTrampoline() override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    // ------------------------------------------------ board queries (false outside the board)
    static bool IsTrampolineAt(int x, int y);

    // ------------------------------------------------ level reset and undo of the grid
    static void ClearGrid();
    static void SaveGrid(int step);
    static void RestoreGrid(int step);
    static bool TrampolinesExist() { return trampolinesExist != 0; }

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    // What an undo step keeps besides the element record.
    struct Record {
        int32_t animStep; // steps in the current state
    };

    void ShowPictures();

    Record record{0};
    SlotCopies<Record> savedRecords;
    CSprite* back = nullptr;
    CSprite* sheet = nullptr;
    CSprite* front = nullptr;

    typedef std::array<uint8_t, GRID_CELLS> Grid; // 1 where a trampoline stands
    static Grid trampolineGrid;
    static SlotCopies<Grid> savedTrampolineGrids;
    static uint8_t trampolinesExist;
};
