#include <gtest/gtest.h>

#include "SpriteTestSupport.h"
#include "engine/Log.h"
#include "engine/Pointer.h"

using namespace spritetest;

namespace {

bool sameRect(const Rect& r, int x, int y, int w, int h)
{
    return r.x == x && r.y == y && r.w == w && r.h == h;
}

std::vector<Rect> optimized(const std::vector<Rect>& in)
{
    CRender::ClearLists();
    for (const Rect& r : in)
        CRender::AddDirtyRect(r.x, r.y, r.w, r.h);
    CRender::OptimizeDirtyRects();
    return CRender::GetDirtyRects();
}

} // namespace

class RenderTest : public SpriteTest {};

TEST_F(RenderTest, RectangleOperations)
{
    Rect a{0, 0, 10, 10};
    EXPECT_TRUE(RectsIntersect(a, Rect{9, 9, 5, 5}));
    EXPECT_FALSE(RectsIntersect(a, Rect{10, 0, 10, 10})); // touching only
    EXPECT_FALSE(RectsIntersect(a, Rect{0, 10, 10, 10}));
    Rect u = RectUnion(a, Rect{20, -5, 5, 5});
    EXPECT_TRUE(sameRect(u, 0, -5, 25, 15));
}

TEST_F(RenderTest, MergingKeepsAUnionOnlyWhenItCostsNoMorePixels)
{
    std::vector<Rect> r = optimized({{0, 0, 10, 10}, {5, 0, 10, 10}});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(sameRect(r[0], 0, 0, 15, 10));

    r = optimized({{0, 0, 10, 10}, {9, 9, 10, 10}});
    EXPECT_EQ(r.size(), 2u);
    r = optimized({{0, 0, 10, 10}, {10, 0, 10, 10}});
    EXPECT_EQ(r.size(), 2u);

    // A chain merges over several sweeps: the third joins the grown first.
    r = optimized({{0, 0, 10, 10}, {100, 0, 10, 10}, {5, 0, 10, 10}, {12, 0, 10, 10}, {100, 0, 10, 10}});
    ASSERT_EQ(r.size(), 2u);
    bool left = false, right = false;
    for (const Rect& x : r) {
        left = left || sameRect(x, 0, 0, 22, 10);
        right = right || sameRect(x, 100, 0, 10, 10);
    }
    EXPECT_TRUE(left && right);
}

TEST_F(RenderTest, ClippingDropsAndTrimsRectanglesOutsideTheScreen)
{
    std::vector<Rect> r = optimized({{-20, 590, 100, 50}});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(sameRect(r[0], 0, 590, 80, 10));

    EXPECT_TRUE(optimized({{800, 0, 10, 10}}).empty());
    EXPECT_TRUE(optimized({{0, 600, 10, 10}}).empty());
    EXPECT_TRUE(optimized({{0, -11, 10, 10}}).empty());
    r = optimized({{-10, 0, 10, 10}});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(sameRect(r[0], 0, 0, 0, 10));
    r = optimized({{790, 595, 30, 30}});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(sameRect(r[0], 790, 595, 10, 5));
}

TEST_F(RenderTest, LargeAreasAreSplitOnThePlayScreenAndBecomeFullScreen)
{
    g_controllerId = RENDER_CONTROLLER_PLAY;
    std::vector<Rect> r = optimized({{100, 100, 200, 100}});
    ASSERT_EQ(r.size(), 8u);
    EXPECT_TRUE(sameRect(r[0], 100, 100, 51, 51));
    EXPECT_TRUE(sameRect(r[1], 100, 151, 51, 51)); // rows within a column first
    EXPECT_TRUE(sameRect(r[7], 253, 151, 51, 51));
    r = optimized({{100, 100, 70, 70}});
    ASSERT_EQ(r.size(), 1u);
    // Pieces stop at the screen's edge.
    r = optimized({{700, 500, 100, 100}});
    for (const Rect& x : r) {
        EXPECT_LE(x.x + x.w, 800);
        EXPECT_LE(x.y + x.h, 600);
    }

    r = optimized({{0, 0, 10, 10}, {50, 0, 700, 600}, {0, 590, 5, 5}});
    ASSERT_EQ(r.size(), 625u);
    EXPECT_TRUE(sameRect(r[0], 0, 0, 32, 24));
    EXPECT_TRUE(sameRect(r[1], 0, 24, 32, 24));
    EXPECT_TRUE(sameRect(r[624], 768, 576, 32, 24));

    g_controllerId = RENDER_CONTROLLER_EDITOR;
    EXPECT_EQ(optimized({{100, 100, 200, 100}}).size(), 1u); // split only on the play screen
    EXPECT_EQ(optimized({{0, 0, 700, 600}}).size(), 625u);

    g_controllerId = 2;
    r = optimized({{0, 0, 700, 600}});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(sameRect(r[0], 0, 0, 800, 600));

    CRender::InvalidateScreen();
    ASSERT_EQ(CRender::GetDirtyRects().size(), 1u);
    EXPECT_TRUE(sameRect(CRender::GetDirtyRects()[0], 0, 0, 800, 600));
}

class RenderPixels : public SpriteTest {
protected:
    void SetUp() override
    {
        SpriteTest::SetUp();
        solidImage("back.png", 800, 600, 0, 0, 200);
        solidImage("crate.png", 24, 24, 200, 0, 0);
        solidImage("run.png", 96, 24, 0, 200, 0);
        solidImage("panel.png", 60, 40, 200, 200, 200);
    }

    // Everything drawn once, then the screen painted over with a marker,
    // so the next pass shows exactly what it repainted.
    void settle()
    {
        CRender::InvalidateScreen();
        CRender::Render(true);
        CRender::ClearLists();
        fillScreen(255, 0, 255);
    }

    bool marker(int x, int y) { return isColour(x, y, 255, 0, 255); }
};

TEST_F(RenderPixels, NothingDirtyDrawsNothingAndHiddenSpritesAreNotGathered)
{
    shownSprite(1100, "back.png", 0, 0);
    CSprite* crate = shownSprite(1410, "crate.png", 100, 100);
    settle();
    CRender::Render(true);
    for (int x = 0; x < 800; x += 50)
        for (int y = 0; y < 600; y += 50)
            EXPECT_TRUE(marker(x, y));

    crate->Hide();
    CRender::Render(true); // the area it left is repainted without it
    EXPECT_TRUE(isColour(110, 110, 0, 0, 200));
    CRender::ClearLists();
    fillScreen(255, 0, 255);
    CRender::AddDirtyRect(100, 100, 24, 24);
    CRender::RedrawDirtyRects();
    EXPECT_TRUE(isColour(110, 110, 0, 0, 200));
}

TEST_F(RenderPixels, AMoveRepaintsExactlyTheAreasLeftAndEnteredBackToFront)
{
    shownSprite(1100, "back.png", 0, 0);
    CSprite* crate = boardSprite(80, "crate.png", 4, 4, 1, 1, "crate");
    // Screen position: (96, 96) .. (120, 120).
    settle();
    crate->SetPosition(8 * 24, 4 * 24, false); // to (192, 96)
    CRender::Render(true);
    ASSERT_EQ(CRender::GetDirtyRects().size(), 2u);

    for (int y = 80; y < 140; ++y) {
        for (int x = 80; x < 240; ++x) {
            bool left = x >= 96 && x < 120 && y >= 96 && y < 120;
            bool entered = x >= 192 && x < 216 && y >= 96 && y < 120;
            if (left)
                ASSERT_TRUE(isColour(x, y, 0, 0, 200)) << x << "," << y;
            else if (entered)
                ASSERT_TRUE(isColour(x, y, 200, 0, 0)) << x << "," << y;
            else
                ASSERT_TRUE(marker(x, y)) << x << "," << y;
        }
    }
    // Present sends them to the display and clears the lists.
    CDraw::Present(true, false);
    EXPECT_TRUE(CRender::GetDirtyRects().empty());
}

TEST_F(RenderPixels, OverlappingAreasDrawTheDepthOrderWhateverTheListOrder)
{
    // The panel (interface layer) registered first, the crate on the run
    // (registered before the run) after: the run is drawn first, then the
    // crate standing on it, then the panel.
    CSprite* panel = shownSprite(1412, "panel.png", 170, 60);
    boardSprite(80, "crate.png", 5, 4, 1, 1, "crate");                // (120, 96)
    CSprite* run = boardSprite(10, "run.png", 4, 5, 4, 1, "terrain"); // (96, 120) .. (192, 144)
    shownSprite(1100, "back.png", 0, 0);
    // The run overlaps the crate's lower edge: drawn 6 pixels higher.
    run->SetOffsetY(26);
    settle();
    CRender::AddDirtyRect(80, 80, 140, 80);
    CRender::Render(true);
    EXPECT_TRUE(isColour(125, 116, 200, 0, 0));     // crate in front of its run
    EXPECT_TRUE(isColour(150, 116, 0, 200, 0));     // run where no crate is
    EXPECT_TRUE(isColour(200, 90, 200, 200, 200));  // panel over everything
    EXPECT_TRUE(isColour(90, 90, 0, 0, 200));       // background behind all
    EXPECT_TRUE(marker(79, 90));
    EXPECT_TRUE(marker(200, 79));
    panel->Hide();
}

TEST_F(RenderPixels, SwapFreezesThePictureAndUnswapRestoresTheParkedSprites)
{
    createPointers2();
    shownSprite(1100, "back.png", 0, 0);
    CSprite* crate = shownSprite(1410, "crate.png", 100, 100);
    CRender::InvalidateScreen();
    CRender::Render(true);
    CRender::Swap(true);
    ASSERT_TRUE(CRender::IsSwapped());
    CSprite* image = CRender::GetSwapSprite();
    ASSERT_NE(image, nullptr);
    EXPECT_STREQ(image->GetName(), "Swap Image");
    EXPECT_EQ(image->GetType(), 1103);
    // Live now: the pointers and the swap image only.
    std::vector<CSprite*>& live = CSprite::GetAllSprites();
    ASSERT_EQ(live.size(), 3u);
    EXPECT_EQ(live[0], getPointerArrow());
    EXPECT_EQ(live[1], getPointerHourglass());
    EXPECT_EQ(live[2], image);

    // An overlay draws over the frozen copy; its deletion is repainted
    // from it.
    CSprite* dialog = shownSprite(1412, "panel.png", 90, 90);
    CRender::Render(true);
    EXPECT_TRUE(isColour(110, 110, 200, 200, 200));
    CRender::ClearLists(); // as the present does
    forget(dialog);
    delete dialog;
    fillScreen(255, 0, 255);
    CRender::Swap(true);
    EXPECT_FALSE(CRender::IsSwapped());
    EXPECT_EQ(CRender::GetSwapSprite(), nullptr);
    EXPECT_TRUE(isColour(110, 110, 200, 0, 0));  // frozen crate
    EXPECT_TRUE(isColour(95, 95, 0, 0, 200));    // frozen background
    EXPECT_TRUE(isColour(400, 400, 255, 0, 255)); // outside the overlay: untouched
    ASSERT_EQ(live.size(), 4u);
    EXPECT_EQ(live[1], crate);
    EXPECT_EQ(live[2], getPointerArrow());
    // The deleted swap image repaints the whole screen from the parked
    // sprites at the next pass.
    CRender::Render(true);
    EXPECT_TRUE(isColour(400, 400, 0, 0, 200));
    destroyPointers2();
}

TEST_F(RenderPixels, SwapWithoutCaptureParksWithoutAnImageAndDebugOutlines)
{
    shownSprite(1100, "back.png", 0, 0);
    CRender::Swap(false);
    EXPECT_TRUE(CRender::IsSwapped());
    EXPECT_EQ(CRender::GetSwapSprite(), nullptr);
    EXPECT_TRUE(CSprite::GetAllSprites().empty());
    CRender::Swap(false);
    EXPECT_EQ(CSprite::GetAllSprites().size(), 1u);

    settle();
    CRender::SetShowDirtyRects(false, false); // toggles on
    EXPECT_TRUE(CRender::IsShowingDirtyRects());
    CRender::AddDirtyRect(10, 10, 20, 20);
    CRender::Render(false);
    EXPECT_TRUE(isColour(10, 10, 255, 128, 0)); // outline
    EXPECT_TRUE(isColour(29, 29, 255, 128, 0));
    EXPECT_TRUE(isColour(20, 20, 0, 0, 200)); // inside
    CRender::SetShowDirtyRects(true, false);
    EXPECT_FALSE(CRender::IsShowingDirtyRects());
}

namespace {
bool frameStepOn()
{
    return true;
}
} // namespace

TEST_F(RenderPixels, FrameStepTracesTheRectanglesAndTheSortedSprites)
{
    shownSprite(1100, "back.png", 0, 0);
    boardSprite(80, "crate.png", 5, 4, 1, 1, "traced crate");
    boardSprite(10, "run.png", 4, 5, 4, 1, "traced run");
    CRender::Render(true);
    CRender::ClearLists();
    renderSetFrameStepSource(frameStepOn);
    for (int c : {3, 13, 14, 21})
        logCategoryOn(c);
    testing::internal::CaptureStdout();
    CRender::AddDirtyRect(90, 90, 40, 40);
    CRender::AddDirtyRect(95, 90, 40, 40);
    CRender::AddDirtyRect(900, 0, 10, 10);
    CRender::Render(true);
    std::string out = testing::internal::GetCapturedStdout();
    logInit(false);
    EXPECT_NE(out.find("PHASE 3(0):  DIRTY RECTANGLE OPTIMIZATION"), std::string::npos);
    EXPECT_NE(out.find("   * Removing out-of-bounds rectangle (10x10 at 900,0)\n"), std::string::npos);
    EXPECT_NE(out.find("DIRTY RECTANGLES = "), std::string::npos);
    EXPECT_NE(out.find("PRESORT DIRTY SPRITES (3)"), std::string::npos);
    EXPECT_NE(out.find("  :  traced crate\n"), std::string::npos);
    EXPECT_NE(out.find("SORTED DIRTY SPRITES:  (Rectangle = "), std::string::npos);
    EXPECT_LT(out.find(":T(4,5,W4)  traced run"), out.find(":T(5,4,W1)  traced crate"));
}
