// CElementDevice: the board devices (button, gate, gunshot, power-up,
// teleport, trampoline, tube). Only the gate fills its cell; the others
// share their cells with what passes through them. Devices never fall or
// slide and are not touched by heat or cold.
#pragma once

#include "world/CElement.h"

class CElementDevice : public CElement {
public:
    CElementDevice(int x, int y, int width, int deviceType);

    // ------------------------------------------------ dumps
    void DumpState() override;

protected:
    // Effect of a device's own little animation: the picture index for a
    // number of steps played at STEPS_PER_PICTURE steps per picture, held on
    // the last picture.
    enum { STEPS_PER_PICTURE = 2 };
    static int PictureAt(int step, int pictures);
};
