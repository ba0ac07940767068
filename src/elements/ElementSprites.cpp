#include "elements/ElementSprites.h"

#include <cstdio>

#include "engine/CSprite.h"

namespace elementsprites {

CSprite* newBoardSprite(const char* name, int anchorX, int anchorY, int type, int frameDelay, uint8_t sharedImages,
                        int tileWidth)
{
    CSprite* sprite = new CSprite(anchorX, anchorY, type, frameDelay, sharedImages != 0, tileWidth, 1);
    sprite->SetName(name);
    return sprite;
}

void addSeries(CSprite* sprite, const char* prefix, int first, int last, const char* suffix)
{
    sprite->LoadFrames(prefix, first, last, suffix, 1);
}

void loopForever(CSprite* sprite, const char* prefix, int first, int last, const char* suffix)
{
    if (prefix)
        addSeries(sprite, prefix, first, last, suffix);
    sprite->SetLooping(true);
    sprite->Animate(true);
}

void showAt(CSprite* sprite, int pixelX, int pixelY)
{
    if (!sprite)
        return;
    sprite->SetPosition(pixelX, pixelY, false);
    if (sprite->IsHidden())
        sprite->Show(CSprite::NO_POSITION, CSprite::NO_POSITION);
}

void hide(CSprite* sprite)
{
    if (sprite)
        sprite->Hide();
}

const char* gateColourName(int colour)
{
    switch (colour) {
    case 1:
        return "red";
    case 2:
        return "yellow";
    default:
        return "blue";
    }
}

const char* teleportColourName(int colour)
{
    switch (colour) {
    case 1:
        return "yellow";
    case 2:
        return "red";
    default:
        return "blue";
    }
}

} // namespace elementsprites
