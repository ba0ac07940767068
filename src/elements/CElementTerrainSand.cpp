#include "elements/CElementTerrainSand.h"

#include "elements/ElementSprites.h"
#include "elements/TerrainPictures.h"

uint8_t CElementTerrainSand::sharedImages = 0;

CElementTerrainSand::CElementTerrainSand(int cx, int cy, int w)
    : CElementTerrain(cx, cy, w, TERRAIN_SAND)
{
    body = terrainpictures::newRunSprite("Sand Terrain", "sand", width, sharedImages);
    ShowBody();
}
