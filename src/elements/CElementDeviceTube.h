// CElementDeviceTube: the entrance tube (where the professor arrives) or the
// exit tube (the level's exit). Tubes take no room. The professor finishes
// the level in the exit tube's cell; anything else coming into that cell
// breaks the exit tube, which loses the level.
#pragma once

#include <cstdint>

#include "elements/CElementDevice.h"
#include "elements/SlotCopies.h"

class CElementDeviceTube : public CElementDevice {
public:
    enum Variant { VARIANT_ENTRANCE = 0, VARIANT_EXIT = 1 };
    enum { BREAK_PICTURES = 12 };
    // The element's state word.
    enum TubeState {
        TUBE_WHOLE = 0,
        TUBE_BREAKING = 1, // hit; its break plays, then the level ends
        TUBE_BROKEN = 2
    };

    CElementDeviceTube(int x, int y, int variant);
    ~CElementDeviceTube() override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    int GetVariant() const { return variant; }

    // ------------------------------------------------ board queries (false outside the board)
    // The cell is the cell of the level's exit tube, and that tube is whole.
    static bool IsExitAt(int x, int y);

    // ------------------------------------------------ level reset
    static void ClearState();
    static bool TubesExist() { return tubesExist != 0; }

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    // What an undo step keeps besides the element record.
    struct Record {
        int32_t animStep; // steps of the break so far
    };

    void ShowPictures();

    int variant;
    Record record{0};
    SlotCopies<Record> savedRecords;
    CSprite* body = nullptr;   // the tube, then its break
    CSprite* lights = nullptr; // exit only
    CSprite* arrow = nullptr;  // exit only: the bobbing arrow above it
    CSound* soundBreak = nullptr;

    static int32_t exitX, exitY;
    static uint8_t tubesExist;
    // The level's exit tube (the last one built), or null.
    static CElementDeviceTube* exitTube;
};
