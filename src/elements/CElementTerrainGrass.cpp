#include "elements/CElementTerrainGrass.h"

#include "elements/ElementSprites.h"
#include "elements/TerrainPictures.h"

uint8_t CElementTerrainGrass::sharedImages = 0;

CElementTerrainGrass::CElementTerrainGrass(int cx, int cy, int w)
    : CElementTerrain(cx, cy, w, TERRAIN_GRASS)
{
    body = terrainpictures::newRunSprite("Grass Terrain", "grass", width, sharedImages);
    ShowBody();
}
