#include <gtest/gtest.h>

#include "SpriteTestSupport.h"
#include "engine/Pointer.h"
#include "engine/Input.h"

using namespace spritetest;

class PointerTest : public SpriteTest {
protected:
    void SetUp() override
    {
        SpriteTest::SetUp();
        createPointers2();
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
    }
    void TearDown() override
    {
        destroyPointers2();
        setMouseCaptured(0);
        SpriteTest::TearDown();
    }
    static bool arrowShown() { return !getPointerArrow()->IsHidden(); }
    static bool hourglassShown() { return !getPointerHourglass()->IsHidden(); }
};

TEST_F(PointerTest, PairIsCreatedHiddenAndFollowsTheMouse)
{
    CSprite* arrow = getPointerArrow();
    CSprite* hourglass = getPointerHourglass();
    ASSERT_NE(arrow, nullptr);
    ASSERT_NE(hourglass, nullptr);
    EXPECT_STREQ(arrow->GetName(), "Global Mouse Pointer");
    EXPECT_STREQ(hourglass->GetName(), "Global Hourglass Pointer");
    EXPECT_EQ(arrow->GetType(), 1305);
    EXPECT_EQ(hourglass->GetType(), 1305);
    EXPECT_TRUE(arrow->IsHidden());
    EXPECT_TRUE(hourglass->IsHidden());
    EXPECT_EQ(getPointerHideCounter(), -1);
    EXPECT_EQ(arrow->GetFrameImage(0), CDraw::FindImageId("mousepointer.tga"));
    EXPECT_EQ(CDraw::FindImageRecord("hourglass.tga")->refs, 1);

    setMouseX(100);
    setMouseY(50);
    pointerFollowMouse();
    EXPECT_EQ(arrow->GetX(true), 100);
    EXPECT_EQ(arrow->GetY(true), 50);
    // 9 x 7 hourglass: halves 4 and 3.
    EXPECT_EQ(hourglass->GetX(true), 100 - 4 + 6);
    EXPECT_EQ(hourglass->GetY(true), 50 - 3 + 1);
}

TEST_F(PointerTest, HidingCountsFramesDownBeforeTheArrowComesBack)
{
    tickHourglass();
    EXPECT_TRUE(arrowShown());
    hidePointers(3);
    EXPECT_FALSE(arrowShown());
    EXPECT_FALSE(hourglassShown());
    for (int expected : {2, 1, 0, -1}) {
        tickHourglass();
        EXPECT_EQ(getPointerHideCounter(), expected);
        EXPECT_FALSE(arrowShown());
    }
    tickHourglass();
    EXPECT_TRUE(arrowShown());
    EXPECT_FALSE(hourglassShown());

    hidePointers(5);
    hidePointers(-1); // never lowers the counter
    EXPECT_EQ(getPointerHideCounter(), 5);
    hidePointers(7);
    EXPECT_EQ(getPointerHideCounter(), 7);
}

TEST_F(PointerTest, BusyPointerIsDrawnAtOnceOnlyWhenItReplacesTheArrow)
{
    setMouseX(200);
    setMouseY(200);
    pointerFollowMouse();
    tickHourglass(); // arrow shown
    fillScreen(0, 0, 0);
    showBusyPointer(true);
    EXPECT_TRUE(hourglassShown());
    EXPECT_FALSE(arrowShown());
    CSprite* h = getPointerHourglass();
    EXPECT_TRUE(isColour(h->GetX(true) + 1, h->GetY(true) + 1, 255, 255, 0));

    fillScreen(0, 0, 0);
    showBusyPointer(true);
    EXPECT_TRUE(hourglassShown());
    EXPECT_TRUE(isColour(h->GetX(true) + 1, h->GetY(true) + 1, 0, 0, 0));

    // The busy display ends at the next tick once nothing holds it.
    tickHourglass();
    EXPECT_TRUE(arrowShown());
    EXPECT_FALSE(hourglassShown());
}

TEST_F(PointerTest, WarpClampsAndPostsMotionForEitherMouseMode)
{
    setMouseCaptured(0);
    warpMouse(900, -5);
    EXPECT_EQ(getMouseX(), 800);
    EXPECT_EQ(getMouseY(), 0);
    EXPECT_FLOAT_EQ(getMouseFloatX(), 800.0f);
    SDL_Event e;
    ASSERT_EQ(SDL_PollEvent(&e), 1);
    ASSERT_EQ(e.type, SDL_MOUSEMOTION);
    EXPECT_EQ(e.motion.xrel, 1);
    EXPECT_EQ(e.motion.yrel, 1);

    setMouseCaptured(1);
    warpMouse(-3, 700);
    bool seen = false;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_MOUSEMOTION && e.motion.x == 0 && e.motion.y == 600 && e.motion.xrel == 0)
            seen = true;
    }
    EXPECT_TRUE(seen);
}

TEST_F(PointerTest, PointersStayInTheDrawnListAcrossAnOverlaySwap)
{
    CSprite* other = shownSprite(1410, "hourglass.tga", 0, 0);
    CRender::Swap(false);
    std::vector<CSprite*>& live = CSprite::GetAllSprites();
    ASSERT_EQ(live.size(), 2u);
    EXPECT_EQ(live[0], getPointerArrow());
    EXPECT_EQ(live[1], getPointerHourglass());
    CRender::Swap(false);
    ASSERT_EQ(live.size(), 3u);
    EXPECT_EQ(live[0], other);
    EXPECT_EQ(live[2], getPointerHourglass());

    pointerRemoveSprites();
    EXPECT_EQ(live.size(), 1u);
    pointerReaddSprites();
    EXPECT_EQ(live.size(), 3u);
}
