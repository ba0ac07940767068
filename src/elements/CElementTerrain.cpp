#include "elements/CElementTerrain.h"

#include "elements/ElementSprites.h"
#include "engine/Log.h"

CElementTerrain::CElementTerrain(int cx, int cy, int w, int terrainType)
    : CElement(cx, cy, w < 1 ? 1 : w)
{
    type = TYPE_TERRAIN;
    typeTerrain = terrainType;
    inGrid = 1;
    OccupyCells();
}

CElementTerrain::~CElementTerrain()
{
    FreeEffectSprites();
    delete body;
}

void CElementTerrain::OccupyCells()
{
    for (int i = 0; i < width; ++i)
        setElementAt(x + i, y, this);
}

void CElementTerrain::ShowBody()
{
    mainSprite = sprite = body;
    elementsprites::showAt(body, x * TILE, y * TILE);
}

void CElementTerrain::Pump()
{
    AnimateEffects();
    // Heat takes a piece out of the grid for good (only an undo brings it
    // back): it is not drawn from the start of its effect on, nor after it.
    if (!inGrid || exploded)
        elementsprites::hide(body);
    else
        ShowBody();
}

void CElementTerrain::DumpState()
{
    logPrint(LOG_DEBUG, "TYPE=%d  TERRAIN=%d  CURRENT=(%d,%d)  WIDTH=%d  INGRID=%d  FROZEN=%d  HEATED=%d\n", type,
             typeTerrain, x, y, width, inGrid, frozen, heated);
}
