// CElementTerrain: fixed ground covering one or more cells of a row (grass,
// sand, ice, bridge). It fills its cells in the board grid, never moves,
// and shows one sprite; a piece destroyed by heat leaves the grid and hides
// its sprite once the effect has started.
#pragma once

#include <cstdint>

#include "world/CElement.h"

class CElementTerrain : public CElement {
public:
    CElementTerrain(int x, int y, int width, int terrainType);
    ~CElementTerrain() override;

    // ------------------------------------------------ per-frame logic
    void Pump() override;

    // ------------------------------------------------ dumps
    void DumpState() override;

protected:
    // Writes the element into every on-board cell of its run.
    void OccupyCells();
    // Puts the body sprite on screen at the element's cell.
    void ShowBody();
    // True once heat has destroyed the piece (it left the grid).
    bool IsDestroyed() const { return !inGrid && (heatEffectActive || steamActive || exploded); }

    CSprite* body = nullptr;
};
