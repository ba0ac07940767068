// CElementDeviceGunshot: a frost or heat shot fired by the professor. It
// flies straight on, one cell per 4 steps (through teleports), and hits the
// first thing in its path that fills a cell: frost freezes it, heat heats
// it. Then it bursts and is gone. It leaves the board and is gone at an
// edge. Grid lookups of the world core treat its cell as empty.
#pragma once

#include <cstdint>

#include "elements/CElementDevice.h"
#include "elements/SlotCopies.h"

class CElementDeviceGunshot : public CElementDevice {
public:
    enum Kind { KIND_FROST = 0, KIND_HEAT = 1 };
    // The element's state word.
    enum ShotState {
        SHOT_FLYING = 0,   // moving or about to move on
        SHOT_BURSTING = 1, // hit something; its burst plays
        SHOT_GONE = 2      // nothing left
    };

    CElementDeviceGunshot(int x, int y, int kind, int facingLeft);
    ~CElementDeviceGunshot() override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    int GetKind() const { return kind; }

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    // What an undo step keeps besides the element record.
    struct Record {
        int32_t animStep; // steps of the burst so far
    };

    void Hit(CElement* target);
    void Vanish();
    void LeaveGrid();

    int kind;
    int burstPictures;
    Record record{0};
    SlotCopies<Record> savedRecords;
    CSprite* ball = nullptr;
    CSprite* burst = nullptr;
};
