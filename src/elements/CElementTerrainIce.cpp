#include "elements/CElementTerrainIce.h"

#include <cstdio>

#include "elements/ElementSprites.h"
#include "elements/TerrainPictures.h"
#include "engine/CSprite.h"

uint8_t CElementTerrainIce::sharedImages = 0;

CElementTerrainIce::CElementTerrainIce(int cx, int cy, int lowerEdge)
    : CElementTerrain(cx, cy, 1, TERRAIN_ICE)
{
    meltable = 1;
    CreateEffectSprites(false, false, true, false);
    body = elementsprites::newBoardSprite("Ice Terrain", terrainpictures::ANCHOR_X, terrainpictures::ANCHOR_Y,
                                          terrainpictures::SPRITE_TYPE, 0, sharedImages, 1);
    // The look is picked from the cell, so a level always looks the same.
    char file[32];
    if (lowerEdge)
        snprintf(file, sizeof file, "ice%db.png", 1 + static_cast<int>(static_cast<unsigned>(cx + cy) % EDGE_LOOKS));
    else
        snprintf(file, sizeof file, "ice%d.png", 1 + static_cast<int>(static_cast<unsigned>(cx * 3 + cy * 7) % LOOKS));
    body->AddFrame(file);
    ShowBody();
}
