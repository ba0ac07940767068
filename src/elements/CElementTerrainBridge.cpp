#include "elements/CElementTerrainBridge.h"

#include "elements/ElementSprites.h"
#include "engine/CSprite.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "level/TileCodes.h"

uint8_t CElementTerrainBridge::sharedImages = 0;

namespace {
enum { ANCHOR_X = 4, ANCHOR_Y = 6, SPRITE_TYPE = 10, STEPS_PER_FRAME = 2, INFLATE_FRAMES = 4 };
} // namespace

CElementTerrainBridge::CElementTerrainBridge(int cx, int cy, int mat, int cellFlag, int facing)
    : CElementTerrain(cx, cy, 1, TERRAIN_BRIDGE),
      material(mat == MATERIAL_INFLATABLE ? MATERIAL_INFLATABLE : MATERIAL_WOOD)
{
    facingLeft = facing ? 1 : 0;
    freezable = 1;
    burnable = 1;
    bursts = material == MATERIAL_INFLATABLE;
    CreateEffectSprites(false, true, true, false);
    soundCollapse = new CSound("object_land.ogg", false);

    body = elementsprites::newBoardSprite("Bridge Terrain", ANCHOR_X, ANCHOR_Y, SPRITE_TYPE, 0, sharedImages, 1);
    if (material == MATERIAL_INFLATABLE) {
        elementsprites::addSeries(body, "bridgeinflatable", 0, 10, ".png");
        collapseFrames = 10;
    } else {
        elementsprites::addSeries(body, "bridgeA", 0, 13, ".png");
        collapseFrames = 13;
    }
    frozenFrame = body->GetFrameCount();
    body->AddFrame("bridgefrozen.png");
    inflateFirst = body->GetFrameCount();
    body->AddFrame(facingLeft ? "bridgeinflateleft0.png" : "bridgeinflateright0.png");
    body->AddFrame("bridgeinflate1.png");
    body->AddFrame("bridgeinflate2.png");
    body->AddFrame("bridgeinflate4.png");

    if (material == MATERIAL_INFLATABLE) {
        registerSpawnedElement(this);
        state = BRIDGE_INFLATING;
    } else {
        state = BRIDGE_WHOLE;
    }
    // A frozen cell of the level shows frost from the start.
    body->SetFrame((cellFlag & CELL_FROZEN) && state == BRIDGE_WHOLE ? frozenFrame : FrameFor());
    ShowBody();
}

CElementTerrainBridge::~CElementTerrainBridge()
{
    delete soundCollapse;
}

void CElementTerrainBridge::Collapse()
{
    if (frozen || (state != BRIDGE_WHOLE && state != BRIDGE_INFLATING) || !inGrid)
        return;
    state = BRIDGE_COLLAPSING;
    record.animStep = 0;
    inGrid = 0;
    if (getElementAt(x, y, true) == this)
        clearElementAt(x, y);
    soundCollapse->play(false, 0, 0.0f);
}

int CElementTerrainBridge::FrameFor() const
{
    switch (state) {
    case BRIDGE_INFLATING: {
        int k = record.animStep / STEPS_PER_FRAME;
        return inflateFirst + (k < INFLATE_FRAMES ? k : INFLATE_FRAMES - 1);
    }
    case BRIDGE_COLLAPSING: {
        int k = 1 + record.animStep / STEPS_PER_FRAME;
        return k < collapseFrames ? k : collapseFrames;
    }
    default:
        return frozen ? frozenFrame : 0;
    }
}

void CElementTerrainBridge::Pump()
{
    AnimateEffects();
    if (state == BRIDGE_INFLATING || state == BRIDGE_COLLAPSING)
        ++record.animStep;
    if (state == BRIDGE_INFLATING && record.animStep >= INFLATE_FRAMES * STEPS_PER_FRAME)
        state = BRIDGE_WHOLE;
    if (state == BRIDGE_COLLAPSING && record.animStep >= collapseFrames * STEPS_PER_FRAME)
        state = BRIDGE_GONE;
    if (state == BRIDGE_GONE || IsDestroyed() || exploded) {
        elementsprites::hide(body);
        return;
    }
    body->SetFrame(FrameFor());
    ShowBody();
}

void CElementTerrainBridge::SaveState(int step)
{
    savedRecords.Save(step, record);
    CElement::SaveState(step);
}

void CElementTerrainBridge::RestoreState(int step)
{
    savedRecords.Restore(step, record);
    CElement::RestoreState(step);
}

void CElementTerrainBridge::AppendOwnState(std::vector<int64_t>& numbers, std::vector<const CElement*>& links) const
{
    CElement::AppendOwnState(numbers, links);
    numbers.insert(numbers.end(), {record.animStep});
}
