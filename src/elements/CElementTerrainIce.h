// CElementTerrainIce: one cell of ice, slippery friction (-1). Heat melts it
// away in a cloud of steam.
#pragma once

#include <cstdint>

#include "elements/CElementTerrain.h"

class CElementTerrainIce : public CElementTerrain {
public:
    // lowerEdge: nothing solid below, so the picture shows icicles.
    CElementTerrainIce(int x, int y, int lowerEdge);

    // ------------------------------------------------ friction
    int GetFriction() override { return -1; }

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

private:
    enum { LOOKS = 10, EDGE_LOOKS = 2 };
};
