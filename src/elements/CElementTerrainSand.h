// CElementTerrainSand: a run of sandy ground, sticky friction (+1): pushes
// need a walker's strength on it and nothing slides on it.
#pragma once

#include <cstdint>

#include "elements/CElementTerrain.h"

class CElementTerrainSand : public CElementTerrain {
public:
    CElementTerrainSand(int x, int y, int width);

    // ------------------------------------------------ friction
    int GetFriction() override { return 1; }

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;
};
