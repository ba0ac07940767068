// CElementObjectBarrel: a wooden, metal or inflatable barrel lying on its
// side. It rolls: with nobody on it, its own friction is one lower than a
// crate's, so a push moves it on plain ground. A walker standing on it rolls
// it by walking; on slippery ground a ridden barrel only spins in place.
#pragma once

#include <cstdint>

#include "elements/CElementObject.h"

class CElementObjectBarrel : public CElementObject {
public:
    // Arguments as for CElementObjectCrate.
    CElementObjectBarrel(int x, int y, int material, int cellFlag, int facingLeft);

    // ------------------------------------------------ friction
    // (-1 when frozen, else 0) minus 1 when nobody rides it.
    int GetFrictionModifier() override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    // Shared-images flag of this class's sprites (see CElementTerrainGrass).
    static uint8_t sharedImages;

protected:
    int ChooseFrame() override;

private:
    enum { ANGLES = 8, COOLING_PICTURES = 7 };
    // The pictures of one look: 8 roll angles each.
    enum Look { LOOK_PLAIN, LOOK_FROZEN, LOOK_HEATED, LOOK_FALL, LOOK_FALL_FROZEN, LOOK_FALL_HEATED, LOOKS };
    int Angle() const;
};
