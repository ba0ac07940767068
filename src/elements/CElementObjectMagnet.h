// CElementObjectMagnet: a magnet.
#pragma once

#include <cstdint>

class CElementObjectMagnet {
public:
    // Passed as the shared-images argument of every sprite of this class:
    // 1 once the image catalogues hold all its pictures, so its sprites look
    // their frames up without taking or releasing references.
    static uint8_t sharedImages;
};
