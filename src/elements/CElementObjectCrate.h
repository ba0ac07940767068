// CElementObjectCrate: a wooden, metal or inflatable crate.
#pragma once

#include <cstdint>

#include "elements/CElementObject.h"

class CElementObjectCrate : public CElementObject {
public:
    // material: 0 wooden, 1 metal, 2 inflatable; cellFlag: the level cell's
    // flag word (the factory freezes or heats the crate afterwards);
    // facingLeft: the direction an inflatable crate inflates toward.
    CElementObjectCrate(int x, int y, int material, int cellFlag, int facingLeft);

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;
};
