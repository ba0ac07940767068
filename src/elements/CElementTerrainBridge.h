// CElementTerrainBridge: one plank of bridge, wooden (from the level) or
// inflatable (built piece by piece by the professor's bridge power-up). It
// carries what stands on it until something steps off it; then it collapses
// and is gone. A frozen bridge never collapses. Heat burns a wooden bridge
// and bursts an inflatable one.
#pragma once

#include <cstdint>

#include "elements/CElementTerrain.h"
#include "elements/SlotCopies.h"

class CElementTerrainBridge : public CElementTerrain {
public:
    enum Material { MATERIAL_WOOD = 0, MATERIAL_INFLATABLE = 1 };
    // The element's state word.
    enum BridgeState {
        BRIDGE_WHOLE = 0,      // carries what stands on it
        BRIDGE_INFLATING = 1,  // a new inflatable piece blowing up (already solid)
        BRIDGE_COLLAPSING = 2, // left the grid; its pieces fall
        BRIDGE_GONE = 3        // collapsed; nothing shown
    };

    CElementTerrainBridge(int x, int y, int material, int cellFlag, int facingLeft);
    ~CElementTerrainBridge() override;

    // ------------------------------------------------ motion
    void Collapse() override;

    // ------------------------------------------------ undo
    void SaveState(int step) override;
    void RestoreState(int step) override;
    void AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    int GetMaterial() const { return material; }

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    // What an undo step keeps besides the element record.
    struct Record {
        int32_t animStep; // steps since the inflation or collapse began
    };

    int FrameFor() const;

    int material;
    Record record{0};
    SlotCopies<Record> savedRecords;
    CSound* soundCollapse = nullptr;
    int collapseFrames = 0; // frames of the collapse series
    int frozenFrame = 0;    // index of the frozen picture
    int inflateFirst = 0;   // index of the first inflation picture
};
