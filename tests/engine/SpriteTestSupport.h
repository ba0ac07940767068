// A screen and image store for the tests of sprites, the renderer, the depth
// order and the pointer: solid-colour images made in the store, a clock for
// fades, and a clean sprite list and renderer state around every test.
#pragma once

#include <SDL.h>
#include <string>
#include <vector>

#include "DrawTestSupport.h"
#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/CSprite.h"
#include "engine/RenderServices.h"

namespace spritetest {

// The clock the fades read.
extern Uint32 g_ticks;
Uint32 testTicks();

// The controller id the renderer reads.
extern int g_controllerId;
int testControllerId();

class SpriteTest : public drawtest::DrawTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A named image of the store, w x h, filled with one opaque colour.
    static int solidImage(const char* name, int w, int h, Uint8 r, Uint8 g, Uint8 b);
    // A sprite owned by the test (deleted in TearDown unless deleted before).
    CSprite* track(CSprite* sprite);
    void forget(CSprite* sprite);
    // Interface sprite (offsets 0) with one frame, shown at (x, y).
    CSprite* shownSprite(int type, const char* image, int x, int y);
    // Board sprite with anchor (29, 20) (offsets 0) at tile (col, row),
    // footprint tw x th, one frame, shown without a previous area.
    CSprite* boardSprite(int type, const char* image, int col, int row, int tw, int th, const char* name);

    static void fillScreen(Uint8 r, Uint8 g, Uint8 b);
    static drawtest::Rgba screenPixel(int x, int y);
    static bool isColour(int x, int y, Uint8 r, Uint8 g, Uint8 b);
    static std::vector<Rect> rects() { return CRender::GetDirtyRects(); }

    std::vector<CSprite*> m_sprites;
};

} // namespace spritetest
