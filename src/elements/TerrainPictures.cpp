#include "elements/TerrainPictures.h"

#include <cstdio>

#include "elements/ElementSprites.h"
#include "engine/CSprite.h"

namespace terrainpictures {

CSprite* newRunSprite(const char* name, const char* stem, int width, uint8_t sharedImages)
{
    int picture = width < 1 ? 1 : (width > LONGEST_RUN ? LONGEST_RUN : width);
    CSprite* sprite = elementsprites::newBoardSprite(name, ANCHOR_X, ANCHOR_Y, SPRITE_TYPE, 0, sharedImages, picture);
    char file[64];
    snprintf(file, sizeof file, "%s%d.png", stem, picture);
    sprite->AddFrame(file);
    return sprite;
}

} // namespace terrainpictures
