#include "DrawTestSupport.h"

#include "profile/ProfileServices.h"
#include "engine/Input.h"

using namespace drawtest;

namespace {

// A clock that moves only when the pacing sleeps: a 1 ms sleep moves it by
// 1 ms, a yield by 1 ms as well, so the wait ends deterministically.
Uint32 g_now;
int g_sleeps;
int g_yields;

Uint32 fakeTicks()
{
    return g_now;
}

void fakeDelay(Uint32 ms)
{
    if (ms)
        ++g_sleeps;
    else
        ++g_yields;
    g_now += ms ? ms : 1;
}

void resetCounts()
{
    g_sleeps = 0;
    g_yields = 0;
}

} // namespace

class DrawScreenTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        // The pacing state outlives a test: start each one well after the
        // last, so the sync present below never waits and takes a sample.
        static Uint32 base = 10000000;
        base += 1000000;
        g_now = base;
        resetCounts();
        CDraw::SetTimeSource(fakeTicks, fakeDelay);
        CDraw::SetGameSpeed(-1);
        CDraw::SetScreenUpdatesSuspended(0);
        // Sync the pacing to the fake clock.
        CDraw::Present(0, 0);
        resetCounts();
    }
};

TEST_F(DrawScreenTest, WindowModeCaptionAndLoadScreen)
{
    ASSERT_TRUE(CDraw::HasScreen());
    SDL_Surface* screen = CDraw::GetScreen();
    EXPECT_EQ(screen->w, 800);
    EXPECT_EQ(screen->h, 600);
    EXPECT_EQ(screen->format->BitsPerPixel, 32);
    EXPECT_EQ(CDraw::IsFullscreen(), 0);
    char* title = nullptr;
    char* iconTitle = nullptr;
    SDL_WM_GetCaption(&title, &iconTitle);
    EXPECT_STREQ(title, "Professor Bramblecot and the Copper Lantern");
    EXPECT_STREQ(iconTitle, "Professor Bramblecot and the Copper Lantern");
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    Rgba c = pixelAt(screen, 400, 300);
    EXPECT_TRUE(near(c.r, 10) && near(c.g, 20) && near(c.b, 30));
    EXPECT_TRUE(profileScreenExists());

    m_draw.reset();
    EXPECT_FALSE(CDraw::HasScreen());
    EXPECT_FALSE(profileScreenExists());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST(DrawStartup, MissingIconIsNoErrorButMissingLoadScreenIs)
{
    testsupport::TempDir dir;
    writeBmp(dir.file("resource0.dat"), 800, 600, 1, 2, 3);
    testsupport::ScopedChdir in(dir.path());
    CDraw::SetConfig(nullptr);
    {
        CDraw draw;
        EXPECT_TRUE(CDraw::HasScreen());
    }
    remove(dir.file("resource0.dat").c_str());
    EXPECT_FATAL(CDraw draw, "'resource0.dat' cannot be used:  [^\n]+\n(.|\n)*Unable to load image: ");
}

TEST(DrawSpeed, GameSpeedTable)
{
    const int expected[] = {66, 60, 55, 50, 45, 40, 33, 30, 25, 20, 15, 10};
    for (int speed = 0; speed < 12; ++speed) {
        CDraw::SetGameSpeed(speed);
        EXPECT_EQ(CDraw::GetFramePeriod(), static_cast<Uint32>(expected[speed])) << speed;
    }
    for (int other : {-1, 12, 100, -50}) {
        CDraw::SetGameSpeed(0);
        CDraw::SetGameSpeed(other);
        EXPECT_EQ(CDraw::GetFramePeriod(), 33u) << other;
    }
}

TEST(DrawClip, UpdateRectanglesAreClippedToTheScreen)
{
    struct Case {
        int x, y, w, h;
        bool visible;
        int cx, cy, cw, ch;
    };
    const Case cases[] = {
        {790, 590, 20, 20, true, 790, 590, 10, 10},
        {800, 0, 5, 5, false, 0, 0, 0, 0},
        {0, 600, 5, 5, false, 0, 0, 0, 0},
        {-5, -10, 20, 30, true, 0, 0, 15, 20},
        {-30, 10, 20, 20, false, 0, 0, 0, 0}, // wholly left of the screen
        {10, -20, 5, 20, false, 0, 0, 0, 0},  // ends exactly at the top edge
        {-10, -10, 1000, 1000, true, 0, 0, 800, 600},
        {100, 100, 50, 60, true, 100, 100, 50, 60},
    };
    for (const Case& c : cases) {
        int x = c.x, y = c.y, w = c.w, h = c.h;
        bool visible = CDraw::ClipRectToScreen(x, y, w, h);
        EXPECT_EQ(visible, c.visible) << c.x << "," << c.y;
        if (visible) {
            EXPECT_EQ(x, c.cx);
            EXPECT_EQ(y, c.cy);
            EXPECT_EQ(w, c.cw);
            EXPECT_EQ(h, c.ch);
        }
    }
}

TEST_F(DrawScreenTest, PresentSleepsOnceAndYieldsOnlyThroughTheLastMillisecond)
{
    Uint32 frames = CDraw::GetFrameCount();
    Uint32 start = g_now;
    CDraw::Present(1, 1);
    EXPECT_EQ(g_now, start + 33);
    EXPECT_EQ(g_sleeps, 1); // 32 ms in one sleep
    EXPECT_EQ(g_yields, 1); // the last millisecond
    EXPECT_EQ(CDraw::GetFrameCount(), frames + 1);

    // Logic that took longer than the period: no wait at all.
    g_now += 50;
    resetCounts();
    CDraw::Present(1, 1);
    EXPECT_EQ(g_sleeps + g_yields, 0);
    EXPECT_EQ(CDraw::GetFrameCount(), frames + 2);

    // A slower game speed waits longer, still with one sleep.
    CDraw::SetGameSpeed(0);
    start = g_now;
    resetCounts();
    CDraw::Present(1, 1);
    EXPECT_EQ(g_now, start + 66);
    EXPECT_EQ(g_sleeps, 1);
    EXPECT_EQ(g_yields, 1);
}

TEST_F(DrawScreenTest, PresentWaitsExactlyToTheDeadlineAroundTheYieldMargin)
{
    // Logic that left m milliseconds of the 33: what the wait does.
    struct Case {
        Uint32 left;
        int sleeps, yields;
    };
    const Case cases[] = {{0, 0, 0},
                          {1, 0, 1},
                          {CDraw::PACING_MARGIN + 1, 1, CDraw::PACING_MARGIN},
                          {CDraw::PACING_MARGIN + 2, 1, CDraw::PACING_MARGIN},
                          {33, 1, CDraw::PACING_MARGIN}};
    for (const Case& c : cases) {
        CDraw::Present(0, 0);
        Uint32 deadline = g_now + 33;
        g_now = deadline - c.left;
        resetCounts();
        CDraw::Present(0, 0);
        EXPECT_EQ(g_now, deadline) << "left " << c.left;
        EXPECT_EQ(g_sleeps, c.sleeps) << "left " << c.left;
        EXPECT_EQ(g_yields, c.yields) << "left " << c.left;
    }
    // A frame that is one millisecond late is not waited for.
    CDraw::Present(0, 0);
    g_now += 34;
    resetCounts();
    CDraw::Present(0, 0);
    EXPECT_EQ(g_sleeps + g_yields, 0);
}

TEST_F(DrawScreenTest, AClockThatGoesBackNeverMakesTheFrameWait)
{
    // One millisecond back, or a whole day back: no wait at all.
    for (Uint32 back : {1u, 86400000u}) {
        CDraw::Present(0, 0);
        g_now -= back;
        resetCounts();
        CDraw::Present(0, 0);
        EXPECT_EQ(g_sleeps + g_yields, 0) << "back " << back;
        // The next frame is paced from the new reading again.
        Uint32 start = g_now;
        CDraw::Present(0, 0);
        EXPECT_EQ(g_now, start + 33) << "back " << back;
    }
    // The frame rate too is sampled from the new reading: a present after
    // the clock went back an hour starts a sample, and the second after it
    // gives the rate of its own frames (10 counted, the rest of the second
    // not), not a stale one.
    g_now -= 3600000;
    CDraw::Present(0, 0);
    for (int i = 0; i < 10; ++i)
        CDraw::Present(1, 1);
    for (int i = 0; i < 21; ++i)
        CDraw::Present(1, 0);
    EXPECT_EQ(CDraw::GetFps(), 10u);
}

TEST_F(DrawScreenTest, FrameCountOnlyWhenAskedAndNothingWhileSuspended)
{
    Uint32 frames = CDraw::GetFrameCount();
    CDraw::Present(1, 0);
    EXPECT_EQ(CDraw::GetFrameCount(), frames);
    CDraw::Present(0, 0);
    EXPECT_EQ(CDraw::GetFrameCount(), frames);

    CDraw::SetScreenUpdatesSuspended(1);
    resetCounts();
    Uint32 before = g_now;
    CDraw::Present(1, 1);
    EXPECT_EQ(CDraw::GetFrameCount(), frames);
    EXPECT_EQ(g_now, before);
    CDraw::SetScreenUpdatesSuspended(0);
    CDraw::Present(1, 1);
    EXPECT_EQ(CDraw::GetFrameCount(), frames + 1);
}

TEST_F(DrawScreenTest, WithoutTheLockPresentNeverWaits)
{
    CDraw::SwitchFPSLock();
    Uint32 frames = CDraw::GetFrameCount();
    for (int i = 0; i < 5; ++i)
        CDraw::Present(1, 1);
    EXPECT_EQ(g_sleeps + g_yields, 0);
    EXPECT_EQ(CDraw::GetFrameCount(), frames + 5);
    CDraw::SwitchFPSLock();
    CDraw::Present(1, 1);
    EXPECT_GT(g_sleeps, 0);
}

TEST_F(DrawScreenTest, FrameRateIsSampledOncePerSecond)
{
    // The sync present in SetUp took a sample; 30 frames of 33 ms make
    // 990 ms, the 31st crosses the second.
    Uint32 fpsBefore = CDraw::GetFps();
    for (int i = 0; i < 30; ++i)
        CDraw::Present(1, 1);
    EXPECT_EQ(CDraw::GetFps(), fpsBefore);
    CDraw::Present(1, 1);
    EXPECT_EQ(CDraw::GetFps(), 31u);
}

TEST_F(DrawScreenTest, LoadBarGrowsAndStopsAtTheTotal)
{
    EXPECT_EQ(CDraw::GetLoadReserve(), CDraw::LOAD_CATALOGUE_UNITS);
    CDraw::SetLoadReserve(23700);
    CDraw::LoadProgressImage(100);
    EXPECT_EQ(CDraw::GetLoadTotal(), 23800);
    EXPECT_EQ(CDraw::GetLoadCount(), 0);
    SDL_Surface* screen = CDraw::GetScreen();
    Rgba before = pixelAt(screen, 360, 527);
    EXPECT_TRUE(near(before.r, 10));

    // 11900 of 23800 is half of the 200-pixel bar.
    CDraw::AdvanceLoadProgress(11900);
    EXPECT_EQ(CDraw::GetLoadDrawnWidth(), 100);
    Rgba drawn = pixelAt(screen, 360 + 99, 527 + 11);
    EXPECT_TRUE(near(drawn.r, 250) && near(drawn.g, 200) && near(drawn.b, 0));
    Rgba beyond = pixelAt(screen, 360 + 100, 527);
    EXPECT_TRUE(near(beyond.r, 10));

    // A smaller value draws nothing and leaves the count alone.
    CDraw::SetLoadProgress(100);
    EXPECT_EQ(CDraw::GetLoadDrawnWidth(), 100);
    EXPECT_EQ(CDraw::GetLoadCount(), 11900);

    CDraw::AdvanceLoadProgress(1000000);
    EXPECT_EQ(CDraw::GetLoadCount(), 23800);
    EXPECT_EQ(CDraw::GetLoadDrawnWidth(), 200);
}

TEST_F(DrawScreenTest, FullscreenSwitchKeepsPictureAndMouse)
{
    SDL_Surface* screen = CDraw::GetScreen();
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 90, 140, 190));
    // The program's pointer position, which the switch puts back.
    setMouseX(123);
    setMouseY(456);

    // Already windowed: nothing to do.
    CDraw::SwitchFullscreen(1, 0);
    EXPECT_EQ(CDraw::IsFullscreen(), 0);

    profileSwitchFullscreen(true);
    EXPECT_EQ(CDraw::IsFullscreen(), 1);
    screen = CDraw::GetScreen();
    ASSERT_NE(screen, nullptr);
    Rgba c = pixelAt(screen, 700, 500);
    EXPECT_TRUE(near(c.r, 90) && near(c.g, 140) && near(c.b, 190));
    int x = 0, y = 0;
    SDL_PumpEvents();
    SDL_GetMouseState(&x, &y);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 456);

    // Without onlyIfChanged the switch always toggles.
    CDraw::SwitchFullscreen(0, 1);
    EXPECT_EQ(CDraw::IsFullscreen(), 0);
}

TEST_F(DrawScreenTest, ScreenshotIsTheScreenAsBmp)
{
    SDL_Surface* screen = CDraw::GetScreen();
    SDL_Rect r = {10, 10, 5, 5};
    SDL_FillRect(screen, &r, SDL_MapRGB(screen->format, 200, 100, 50));
    CDraw::SaveScreenshot("capture_test.bmp");
    SDL_Surface* shot = SDL_LoadBMP("capture_test.bmp");
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->w, 800);
    EXPECT_EQ(shot->h, 600);
    SDL_Surface* shot32 = SDL_ConvertSurface(shot, screen->format, 0);
    Rgba inside = pixelAt(shot32, 12, 12);
    Rgba outside = pixelAt(shot32, 20, 20);
    EXPECT_TRUE(near(inside.r, 200) && near(inside.g, 100) && near(inside.b, 50));
    EXPECT_TRUE(near(outside.r, 10) && near(outside.g, 20) && near(outside.b, 30));
    SDL_FreeSurface(shot32);
    SDL_FreeSurface(shot);
}

TEST_F(DrawScreenTest, PixelAccessByWidth)
{
    for (int depth : {8, 16, 24, 32}) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, depth, 0, 0, 0, 0);
        ASSERT_NE(s, nullptr);
        Uint32 value = depth == 8 ? 0x5a : depth == 16 ? 0x1234 : depth == 24 ? 0x123456 : 0x12345678;
        SDL_LockSurface(s);
        CDraw::PutPixel(s, 3, 2, value);
        EXPECT_EQ(CDraw::GetPixel(s, 3, 2), value) << depth;
        EXPECT_EQ(CDraw::GetPixel(s, 2, 2), 0u) << depth;
        if (depth == 24) {
            // Three bytes are stored lowest first.
            Uint8* p = static_cast<Uint8*>(s->pixels) + 2 * s->pitch + 9;
            EXPECT_EQ(p[0], 0x56);
            EXPECT_EQ(p[2], 0x12);
        }
        SDL_UnlockSurface(s);
        SDL_FreeSurface(s);
    }
}
