// The pictures of terrain runs: one picture per run length from 1 to 32
// cells ("grass1.png" ... "grass32.png"), anchored like all terrain.
#pragma once

#include <cstdint>

class CSprite;

namespace terrainpictures {

enum { ANCHOR_X = 2, ANCHOR_Y = 6, SPRITE_TYPE = 10, LONGEST_RUN = 32 };

// The sprite of a run of `width` cells from the picture stem ("grass",
// "sand"); widths outside 1..32 use the nearest picture.
CSprite* newRunSprite(const char* name, const char* stem, int width, uint8_t sharedImages);

} // namespace terrainpictures
