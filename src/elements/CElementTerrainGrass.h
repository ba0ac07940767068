// CElementTerrainGrass: a run of grass-topped ground, plain friction.
#pragma once

#include <cstdint>

#include "elements/CElementTerrain.h"

class CElementTerrainGrass : public CElementTerrain {
public:
    CElementTerrainGrass(int x, int y, int width);

    // Passed as the shared-images argument of every sprite of this class:
    // 1 once the image catalogues hold all its pictures, so its sprites look
    // their frames up without taking or releasing references.
    static uint8_t sharedImages;
};
