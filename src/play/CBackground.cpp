#include "play/CBackground.h"

#include <cstdio>

#include "engine/CSprite.h"
#include "engine/Log.h"

CBackground::CBackground(int number) : picture(nullptr), grid(nullptr)
{
    char name[64];
    snprintf(name, sizeof name, "background%i.jpg", number);
    logPrint(LOG_CONSTRUCT, "CBackground:  Using background %i  (%s)\n", number, name);
    picture = new CSprite(PICTURE_ANCHOR_X, PICTURE_ANCHOR_Y, LAYER_PICTURE, 0, false, 1, 1);
    picture->SetName("Background");
    picture->AddFrame(name);
    picture->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    // New sprites start hidden, so the grid is not drawn until toggled.
    grid = new CSprite(GRID_ANCHOR_X, GRID_ANCHOR_Y, LAYER_GRID, 0, false, 1, 1);
    grid->SetName("Background Debug Grid");
    grid->AddFrame("grid.png");
}

CBackground::~CBackground()
{
    logPrint(LOG_DESTRUCT, "Destroying background...\n");
    delete picture;
    delete grid;
}

void CBackground::toggleGrid()
{
    if (grid->IsHidden())
        grid->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
    else
        grid->Hide();
}
