#include "DrawTestSupport.h"

using namespace drawtest;

class DrawImagesTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        preload({{"red.tga", tga(4, 3, 255, 0, 0, 255)},
                 {"half.tga", tgaAlphas(3, 2, {0, 1, 100, 128, 254, 255})},
                 {"glass.tga", tga(2, 2, 0, 0, 255, 100)},
                 {"part.tga", tga(10, 10, 0, 255, 0, 255)},
                 {"photo.png", png(5, 4, 20, 40, 60, 255)},
                 {"s9x.tga", tga(1, 1, 0, 0, 0, 255)},
                 {"s10x.tga", tga(1, 1, 0, 0, 0, 255)},
                 {"broken.tga", Bytes{1, 2, 3}}});
    }

    static std::vector<int> alphas(int id)
    {
        std::vector<int> out;
        SDL_Surface* s = CDraw::GetImageSurface(id);
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x)
                out.push_back(pixelAt(s, x, y).a);
        return out;
    }
};

TEST_F(DrawImagesTest, PreloadedImagesAreDecodedOnFirstUseAndSharedByCount)
{
    EXPECT_EQ(CDraw::FindImageId("red.tga"), -1); // preloaded, not decoded
    EXPECT_EQ(CDraw::FindImageId("nothing.tga"), -1);
    int first = CDraw::GetImage("red.tga");
    int again = CDraw::GetImage("red.tga");
    EXPECT_EQ(first, again);
    EXPECT_EQ(CDraw::FindImageId("red.tga"), first);
    EXPECT_EQ(CDraw::FindImageRecord("red.tga")->refs, 2);
    EXPECT_STREQ(CDraw::FindImageName(first), "red.tga");
    EXPECT_EQ(CDraw::GetImageWidth(first), 4);
    EXPECT_EQ(CDraw::GetImageHeight(first), 3);
    // Every image is stored in the 32-bit display format.
    EXPECT_EQ(CDraw::GetImageSurface(first)->format->BitsPerPixel, 32);

    CDraw::ReleaseImage(first);
    EXPECT_NE(CDraw::GetImageSurface(first), nullptr);
    CDraw::ReleaseImage(first);
    EXPECT_EQ(CDraw::GetImageSurface(first), nullptr);
    EXPECT_EQ(CDraw::FindImageId("red.tga"), -1);
    EXPECT_EQ(CDraw::FindImageName(first), nullptr);
    CDraw::ReleaseImage(first); // a freed id: nothing happens

    // The file's bytes stay: asked for again it is decoded under a new id,
    // and the old slot is never used again.
    int count = CDraw::GetImageCount();
    int third = CDraw::GetImage("red.tga");
    EXPECT_GT(third, first);
    EXPECT_EQ(third, count);
    EXPECT_EQ(CDraw::GetImageSurface(first), nullptr);
    EXPECT_EQ(CDraw::FindImageRecord("red.tga")->refs, 1);

    // Retain and release by name count the same way.
    EXPECT_EQ(CDraw::RetainImage(third), third);
    CDraw::ReleaseImageByName("red.tga");
    EXPECT_NE(CDraw::GetImageSurface(third), nullptr);
    CDraw::ReleaseImageByName("red.tga");
    EXPECT_EQ(CDraw::GetImageSurface(third), nullptr);
    CDraw::ReleaseImageByName("red.tga"); // not decoded: nothing
}

TEST_F(DrawImagesTest, RunTimeImagesLoseTheirNameWhenFreed)
{
    int id = CDraw::CopyImage("red.tga", "copy.tga", 0);
    EXPECT_EQ(CDraw::FindImageRecord("copy.tga")->refs, 1);
    EXPECT_EQ(CDraw::FindImageRecord("copy.tga")->size, 0);
    // The source was used by nobody else and is freed again.
    EXPECT_EQ(CDraw::FindImageId("red.tga"), -1);
    CDraw::ReleaseImage(id);
    EXPECT_EQ(CDraw::GetImageSurface(id), nullptr);
    EXPECT_EQ(CDraw::FindImageRecord("copy.tga"), nullptr);
    EXPECT_FATAL(CDraw::GetImage("copy.tga"), "Unable to find preloaded image: copy.tga");

    // Images without a name are freed by their first release.
    int unnamed = CDraw::AddSurface(SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0, 0, 0, 0));
    EXPECT_EQ(CDraw::FindImageName(unnamed), nullptr);
    CDraw::ReleaseImage(unnamed);
    EXPECT_EQ(CDraw::GetImageSurface(unnamed), nullptr);
}

TEST_F(DrawImagesTest, ASecondImageUnderATakenNameDoesNotUnhookTheFirst)
{
    int first = CDraw::CreateImage(3, 3, "panel.png");
    int second = CDraw::CreateImage(5, 5, "panel.png");
    EXPECT_NE(first, second);
    EXPECT_EQ(CDraw::FindImageId("panel.png"), first);
    // Freeing the shadowed one leaves the name with the first.
    CDraw::ReleaseImage(second);
    EXPECT_EQ(CDraw::FindImageId("panel.png"), first);
    EXPECT_EQ(CDraw::GetImage("panel.png"), first);
    EXPECT_EQ(CDraw::RetainImage(first), first);
    EXPECT_EQ(CDraw::FindImageRecord("panel.png")->refs, 3);
}

TEST_F(DrawImagesTest, CreatedImagesAreTransparentAndScreenCopiesMatchTheScreen)
{
    int id = CDraw::CreateImage(6, 4, "blank.png");
    EXPECT_EQ(CDraw::GetImageWidth(id), 6);
    EXPECT_EQ(pixelAt(CDraw::GetImageSurface(id), 5, 3).a, 0);

    int screenSized = CDraw::CreateScreenSizedImage("canvas.png");
    EXPECT_EQ(CDraw::GetImageWidth(screenSized), 800);
    EXPECT_EQ(CDraw::GetImageHeight(screenSized), 600);

    int shot = CDraw::CopyScreenToImage(nullptr);
    Rgba c = pixelAt(CDraw::GetImageSurface(shot), 799, 599);
    EXPECT_TRUE(near(c.r, 10) && near(c.g, 20) && near(c.b, 30));
}

TEST_F(DrawImagesTest, CopyImageChangesAlphaClampedToTheByte)
{
    int exact = CDraw::CopyImage("half.tga", "same.tga", 0);
    EXPECT_EQ(alphas(exact), (std::vector<int>{0, 1, 100, 128, 254, 255}));
    int down = CDraw::CopyImage("half.tga", "down.tga", -100);
    EXPECT_EQ(alphas(down), (std::vector<int>{0, 0, 0, 28, 154, 155}));
    int gone = CDraw::CopyImage("half.tga", "gone.tga", -300);
    EXPECT_EQ(alphas(gone), (std::vector<int>(6, 0)));
    int full = CDraw::CopyImage("half.tga", "full.tga", 300);
    EXPECT_EQ(alphas(full), (std::vector<int>(6, 255)));
    // The colour channels are untouched.
    Rgba c = pixelAt(CDraw::GetImageSurface(down), 2, 1);
    EXPECT_TRUE(near(c.r, 120) && near(c.g, 80) && near(c.b, 40));

    // In place as well.
    CDraw::AdjustImageAlpha(exact, 200);
    EXPECT_EQ(alphas(exact), (std::vector<int>{200, 201, 255, 255, 255, 255}));

    // A picture without an alpha channel keeps its pixels.
    int opaque = CDraw::AddSurface(SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xff0000, 0xff00, 0xff, 0));
    SDL_Surface* before = CDraw::GetImageSurface(opaque);
    SDL_FillRect(before, nullptr, SDL_MapRGB(before->format, 1, 2, 3));
    Uint32 pixel = pixelAt(before, 0, 0).r;
    CDraw::AdjustImageAlpha(opaque, -200);
    EXPECT_EQ(static_cast<Uint32>(pixelAt(CDraw::GetImageSurface(opaque), 0, 0).r), pixel);
}

TEST_F(DrawImagesTest, FadedSeriesNumbersTheCopiesFaintestFirst)
{
    CDraw::MakeFadedSeries("glass.tga", 3, -30);
    // Copy 2 carries one step, copy 0 three.
    EXPECT_EQ(alphas(CDraw::FindImageId("glass2.tga"))[0], 70);
    EXPECT_EQ(alphas(CDraw::FindImageId("glass1.tga"))[0], 40);
    EXPECT_EQ(alphas(CDraw::FindImageId("glass0.tga"))[0], 10);
    // Made in the order 2, 1, 0.
    EXPECT_LT(CDraw::FindImageId("glass2.tga"), CDraw::FindImageId("glass1.tga"));
    EXPECT_LT(CDraw::FindImageId("glass1.tga"), CDraw::FindImageId("glass0.tga"));
    EXPECT_EQ(CDraw::FindImageRecord("glass3.tga"), nullptr);

    CDraw::MakeFadedSeries("red.tga", 1, -45);
    EXPECT_EQ(alphas(CDraw::FindImageId("red0.tga"))[0], 210);
    EXPECT_EQ(CDraw::FindImageRecord("red1.tga"), nullptr);

    int count = CDraw::GetImageCount();
    CDraw::MakeFadedSeries("red.tga", 0, -45);
    CDraw::MakeFadedSeries("red.tga", -2, -45);
    EXPECT_EQ(CDraw::GetImageCount(), count);
}

TEST_F(DrawImagesTest, SeriesHelpersBuildTheirNamesWithoutPadding)
{
    int last = CDraw::GetImageSeries("s", 9, 10, "x.tga");
    EXPECT_EQ(last, CDraw::FindImageId("s10x.tga"));
    EXPECT_NE(CDraw::FindImageId("s9x.tga"), -1);
    EXPECT_EQ(CDraw::GetImageSeries("s", 11, 10, "x.tga"), 0);
    CDraw::CopyImageSeries("s", "t", 9, 10, "x.tga", -10);
    EXPECT_EQ(alphas(CDraw::FindImageId("t9x.tga"))[0], 245);
    EXPECT_EQ(alphas(CDraw::FindImageId("t10x.tga"))[0], 245);
}

TEST_F(DrawImagesTest, DrawImagePartFallsBackToTheWholeImage)
{
    SDL_Surface* screen = CDraw::GetScreen();
    int id = CDraw::GetImage("part.tga");
    // Inside the image: only the part.
    CDraw::DrawImagePart(id, 100, 100, 2, 2, 3, 3);
    EXPECT_EQ(pixelAt(screen, 100, 100).g, 255);
    EXPECT_EQ(pixelAt(screen, 102, 102).g, 255);
    EXPECT_TRUE(near(pixelAt(screen, 103, 103).g, 20));
    // Sticking out to the right: the whole image.
    CDraw::DrawImagePart(id, 200, 200, 8, 0, 5, 2);
    EXPECT_EQ(pixelAt(screen, 209, 209).g, 255);
    EXPECT_TRUE(near(pixelAt(screen, 210, 210).g, 20));
    // Sticking out at the bottom: the whole image too.
    CDraw::DrawImagePart(id, 300, 300, 0, 9, 1, 2);
    EXPECT_EQ(pixelAt(screen, 309, 309).g, 255);
    // Whole image, clipped by the screen edge without harm.
    CDraw::DrawImage(id, 795, 595);
    EXPECT_EQ(pixelAt(screen, 799, 599).g, 255);
}

TEST_F(DrawImagesTest, BlitsOntoImagesAndSurfaces)
{
    int canvas = CDraw::CreateImage(20, 20, "canvas.png");
    CDraw::DrawImageOnImage("red.tga", canvas, 5, 5);
    EXPECT_EQ(CDraw::FindImageId("red.tga"), -1); // its reference was given back
    Rgba c = pixelAt(CDraw::GetImageSurface(canvas), 6, 6);
    EXPECT_EQ(c.r, 255);

    SDL_Surface* target = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 32, 0xff0000, 0xff00, 0xff, 0);
    int part = CDraw::GetImage("part.tga");
    // Width and height beyond the image are clamped to it.
    CDraw::BlitImageToSurface(part, target, 0, 0, 0, 0, 100, -3);
    EXPECT_EQ(pixelAt(target, 0, 0).g, 0);
    CDraw::BlitImageToSurface(part, target, 1, 1, 0, 0, 100, 2);
    EXPECT_EQ(pixelAt(target, 7, 2).g, 255);
    EXPECT_EQ(pixelAt(target, 7, 3).g, 0);
    SDL_FreeSurface(target);
}

TEST_F(DrawImagesTest, PadImageAddsTransparentMargins)
{
    int id = CDraw::PadImage("red.tga", "redpadded.tga", 1, 2, 3, 4);
    SDL_Surface* s = CDraw::GetImageSurface(id);
    EXPECT_EQ(s->w, 1 + 4 + 2);
    EXPECT_EQ(s->h, 3 + 3 + 4);
    EXPECT_EQ(pixelAt(s, 0, 0).a, 0);
    EXPECT_EQ(pixelAt(s, 0, 3).a, 0);
    Rgba inside = pixelAt(s, 1, 3);
    EXPECT_EQ(inside.a, 255);
    EXPECT_EQ(inside.r, 255);
    EXPECT_EQ(pixelAt(s, 4, 5).r, 255);
    EXPECT_EQ(pixelAt(s, 5, 5).a, 0);
    EXPECT_EQ(pixelAt(s, 4, 6).a, 0);
    EXPECT_EQ(CDraw::FindImageId("red.tga"), -1);
    EXPECT_EQ(CDraw::FindImageRecord("redpadded.tga")->refs, 1);
}

TEST_F(DrawImagesTest, BadDataAndBadIdsEndTheProgram)
{
    EXPECT_FATAL(CDraw::GetImage("broken.tga"), "'broken.tga' cannot be used:  [^\n]+\n(.|\n)*Could not load image:  ");
    EXPECT_FATAL(CDraw::GetImage("unknown.png"), "Unable to find preloaded image: unknown.png");
    EXPECT_FATAL(CDraw::GetImageSurface(CDraw::GetImageCount()), "out of range");
    EXPECT_FATAL(CDraw::ReleaseImage(-1), "out of range");
}

TEST_F(DrawImagesTest, FolderModeDecodesLooseFiles)
{
    mkdir("resource", 0755);
    Bytes bytes = tga(2, 7, 1, 2, 3, 255);
    testsupport::writeFile("resource/loose.tga", std::vector<unsigned char>(bytes.begin(), bytes.end()));
    EXPECT_EQ(CDraw::GetImageHeight(CDraw::loadImageFile("loose.tga")), 7);
}
