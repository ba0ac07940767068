// CElementDeviceTeleport: one end of a teleport pair, covering columns x and
// x + 1 of row y. It takes no room. Ends of one colour form a pair: the
// first two ends of a colour work as a pair, anything moving sideways out of
// one end continues from the other. A colour with only one end (or a third
// end) does nothing and shows a faint portal.
#pragma once

#include <cstdint>
#include <vector>

#include "elements/CElementDevice.h"
#include "elements/SlotCopies.h"

class CElementDeviceTeleport : public CElementDevice {
public:
    enum { COLOURS = 3, FLASH_PICTURES = 13, INFLATE_PICTURES = 5 }; // colours: 0 blue, 1 yellow, 2 red

    // inflated: 1 for an end the professor places (it inflates first).
    CElementDeviceTeleport(int x, int y, int colour, int inflated);
    ~CElementDeviceTeleport() override;

    // ------------------------------------------------ motion
    // A teleport end never falls.
    bool CanFall(bool supportOnly) override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    int GetColour() const { return colour; }
    bool IsInflated() const { return inflated != 0; }
    // Part of a working pair.
    bool IsEnabled() const;

    // ------------------------------------------------ board queries (false / null outside the board)
    // The other end of the first enabled pair with an end at (x, y) (with
    // rightHalf: an end whose column + 1 is x), or null.
    static CElementDeviceTeleport* GetDestination(int x, int y, bool rightHalf);
    // Finds the enabled end at the cell by the same rule; plays its sound
    // and starts its flash as asked; whether one was found.
    static bool TriggerTeleportAt(int x, int y, bool rightHalf, bool playSound, bool flash);
    // Room for a new end covering (x - 1, x) (leftSide) or (x, x + 1) of row
    // y: no end in those cells or the cells above them, and under both cells
    // terrain that is not a bridge, or a ladder platform.
    static bool CanPlaceTeleport(int x, int y, bool leftSide);
    // An end's lower tile is (x, y); with flag also an end whose right half
    // is (x, y).
    static bool isAt(int x, int y, bool flag);

    // ------------------------------------------------ level reset and undo of the pairs
    static void ResetPairs();
    static void SavePairs(int step);
    static void RestorePairs(int step);
    static int GetInflateCount() { return pairs.inflateCount; }
    static const std::vector<CElementDeviceTeleport*>& GetPair(int colour);

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    // What an undo step keeps besides the element record.
    struct Record {
        int32_t flashStep;   // steps of the flash so far, -1 when none
        int32_t inflateStep; // steps of the inflation so far, -1 when done
    };

    bool Matches(int cx, int cy, bool rightHalf) const;
    // The end of a working pair at the cell (by the rule of GetDestination),
    // or null.
    static CElementDeviceTeleport* FindEnabledEnd(int cx, int cy, bool rightHalf);
    bool Covers(int cx, int cy) const;
    void ShowPictures();

    int colour;
    uint8_t inflated;
    Record record{-1, -1};
    SlotCopies<Record> savedRecords;
    CSprite* back = nullptr;   // back ring
    CSprite* ring = nullptr;   // coloured front ring (or the inflatable tube)
    CSprite* spiral = nullptr; // the portal of a working pair
    CSprite* idle = nullptr;   // the faint portal of an end without a pair
    CSprite* glow = nullptr;   // the flash
    CSound* soundTeleport = nullptr;

    // The ends of each colour in construction order, and the number of ends
    // the professor has placed.
    struct Pairs {
        std::vector<CElementDeviceTeleport*> ends[COLOURS];
        int32_t inflateCount = 0;
    };
    static Pairs pairs;
    static SlotCopies<Pairs> savedPairs;
};
