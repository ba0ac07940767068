#include "elements/CElementLadder.h"

#include <cstring>

#include "elements/ElementSprites.h"
#include "engine/CSprite.h"

uint8_t CElementLadder::sharedImages = 0;
uint8_t CElementLadder::ladderGrid[CElement::GRID_CELLS];
uint8_t CElementLadder::laddersExist = 0;

namespace {
enum { ANCHOR_X = 4, ANCHOR_Y = 6, SEGMENT_LAYER = 12, PLATFORM_LAYER = 13 };

const char* segmentPicture(int kind)
{
    switch (kind) {
    case CElementLadder::SEGMENT_SINGLE:
        return "ladderiso.tga";
    case CElementLadder::SEGMENT_TOP:
        return "laddertop.tga";
    case CElementLadder::SEGMENT_BOTTOM:
        return "ladderbottom.tga";
    default:
        return "laddermiddle.tga";
    }
}
} // namespace

CElementLadder::CElementLadder(int cx, int cy, int segmentKind, bool platform)
    : CElement(cx, cy, 1)
{
    type = TYPE_LADDER;
    // An unknown kind is drawn and counted as a middle segment, so the cell
    // still reads as a ladder.
    int kind = (segmentKind >= SEGMENT_SINGLE && segmentKind <= SEGMENT_BOTTOM) ? segmentKind : SEGMENT_MIDDLE;
    typeLadder = platform ? SEGMENT_PLATFORM : kind;
    if (isOnBoard(cx, cy))
        ladderGrid[cx * GRID_HEIGHT + cy] = static_cast<uint8_t>(typeLadder);
    laddersExist = 1;

    body = elementsprites::newBoardSprite("Ladder", ANCHOR_X, ANCHOR_Y, SEGMENT_LAYER, 0, sharedImages, 1);
    body->AddFrame(segmentPicture(kind));
    mainSprite = sprite = body;
    elementsprites::showAt(body, x * TILE, y * TILE);
    if (platform) {
        platformSprite =
            elementsprites::newBoardSprite("Ladder Platform", ANCHOR_X, ANCHOR_Y, PLATFORM_LAYER, 0, sharedImages, 1);
        platformSprite->AddFrame("ladderplatform.tga");
        elementsprites::showAt(platformSprite, x * TILE, y * TILE);
    }
}

CElementLadder::~CElementLadder()
{
    delete body;
    delete platformSprite;
}

void CElementLadder::Pump()
{
    elementsprites::showAt(body, x * TILE, y * TILE);
    elementsprites::showAt(platformSprite, x * TILE, y * TILE);
}

bool CElementLadder::IsLadderAt(int cx, int cy)
{
    return isOnBoard(cx, cy) && ladderGrid[cx * GRID_HEIGHT + cy] != SEGMENT_NONE;
}

bool CElementLadder::IsPlatformAt(int cx, int cy)
{
    return isOnBoard(cx, cy) && ladderGrid[cx * GRID_HEIGHT + cy] == SEGMENT_PLATFORM;
}

void CElementLadder::ClearGrid()
{
    std::memset(ladderGrid, 0, sizeof ladderGrid);
    laddersExist = 0;
}
