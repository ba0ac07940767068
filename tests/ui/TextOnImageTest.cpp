#include <gtest/gtest.h>

#include <SDL.h>

#include "engine/CDraw.h"
#include "engine/TextRender.h"
#include "test_support.h"
#include "ui/TextOnImage.h"

namespace {

// A 32-bit opaque white image in the store, headless.
class TextOnImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        ASSERT_NE(SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE), nullptr);
        testsupport::startTextSystem();
        SDL_Surface* white = SDL_CreateRGBSurface(SDL_SWSURFACE, 200, 60, 32, 0x00ff0000, 0x0000ff00,
                                                  0x000000ff, 0);
        SDL_FillRect(white, nullptr, SDL_MapRGB(white->format, 255, 255, 255));
        m_image = CDraw::AddSurface(white);
    }
    void TearDown() override
    {
        // The store outlives the test: its image goes before the screen.
        if (m_image >= 0)
            CDraw::ReleaseImage(m_image);
        SDL_Quit();
    }

    // Dark pixels of the image inside the given rectangle.
    int inked(int x0, int y0, int w, int h)
    {
        SDL_Surface* s = CDraw::GetImageSurface(m_image);
        int count = 0;
        SDL_LockSurface(s);
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                Uint32 p = static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x];
                Uint8 r, g, b;
                SDL_GetRGB(p, s->format, &r, &g, &b);
                if (r + g + b < 500)
                    ++count;
            }
        SDL_UnlockSurface(s);
        return count;
    }

    int m_image = -1;
};

} // namespace

TEST_F(TextOnImageTest, StringLandsInsideItsBoxOnly)
{
    // A dark-ink string of the table, wrapped in its box.
    drawTextOnImage(1501, m_image, 0, 120, 30, 40, 20);
    EXPECT_GT(inked(40, 20, 120, 30), 20);
    EXPECT_EQ(inked(0, 0, 200, 20), 0);
    EXPECT_EQ(inked(0, 0, 40, 60), 0);
    EXPECT_EQ(inked(160, 0, 40, 60), 0);
}

TEST_F(TextOnImageTest, ParametersAndSmallTextAndEmptyText)
{
    drawTextOnImage(300, m_image, 0, 100, 30, 0, 0, "Ahoy");
    EXPECT_GT(inked(0, 0, 100, 30), 20);
    EXPECT_EQ(inked(0, 30, 200, 30), 0);
    drawSmallTextOnImage("tea", m_image, 0, 100, 30, 100, 30);
    EXPECT_GT(inked(100, 30, 100, 30), 10);
    // An all-parameter text with an empty parameter draws nothing.
    int before = inked(0, 0, 200, 60);
    drawTextOnImage(300, m_image, 0, 100, 30, 0, 30, "");
    EXPECT_EQ(inked(0, 0, 200, 60), before);
}
