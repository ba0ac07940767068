#include <gtest/gtest.h>

#include "engine/CSprite.h"
#include "engine/DrawTestSupport.h"
#include "engine/Log.h"
#include "play/CBackground.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

class Background : public drawtest::DrawTest {
protected:
    void SetUp() override
    {
        drawtest::DrawTest::SetUp();
        std::vector<std::pair<std::string, drawtest::Bytes>> images;
        for (int i = 0; i < 8; ++i)
            images.push_back({"background" + std::to_string(i) + ".jpg",
                              drawtest::png(800, 600, static_cast<uint8_t>(10 * i), 90, 40, 255)});
        images.push_back({"grid.png", drawtest::png(800, 600, 255, 255, 255, 60)});
        preload(images);
    }
};

} // namespace

TEST_F(Background, NumberChoosesThePictureAndTheGridStartsHidden)
{
    logInit(true);
    logCategoryOn(LOG_CONSTRUCT);
    logCategoryOn(LOG_DESTRUCT);
    CaptureStdout();
    std::unique_ptr<CBackground> cleared(new CBackground(4));
    std::string out = GetCapturedStdout();
    EXPECT_NE(out.find("CBackground:  Using background 4  (background4.jpg)"), std::string::npos);

    CSprite* picture = cleared->GetPicture();
    EXPECT_EQ(picture->GetFrameImage(0), CDraw::FindImageId("background4.jpg"));
    EXPECT_STREQ(picture->GetName(), "Background");
    EXPECT_EQ(picture->GetType(), 1100);
    EXPECT_FALSE(picture->IsHidden());
    EXPECT_EQ(picture->GetX(true), 0); // covers the screen from its corner
    EXPECT_EQ(picture->GetY(true), 0);

    CSprite* grid = cleared->GetGrid();
    EXPECT_EQ(grid->GetFrameImage(0), CDraw::FindImageId("grid.png"));
    EXPECT_STREQ(grid->GetName(), "Background Debug Grid");
    EXPECT_EQ(grid->GetType(), 1101);
    EXPECT_TRUE(grid->IsHidden());
    EXPECT_EQ(grid->GetX(true), 14);
    EXPECT_EQ(grid->GetY(true), 13);
    cleared->toggleGrid();
    EXPECT_FALSE(grid->IsHidden());
    cleared->toggleGrid();
    EXPECT_TRUE(grid->IsHidden());

    // Each number its own picture; the pictures go with the background.
    std::unique_ptr<CBackground> first(new CBackground(0));
    EXPECT_EQ(first->GetPicture()->GetFrameImage(0), CDraw::FindImageId("background0.jpg"));
    EXPECT_NE(first->GetPicture()->GetFrameImage(0), picture->GetFrameImage(0));
    size_t sprites = CSprite::GetAllSprites().size();
    CaptureStdout();
    cleared.reset();
    out = GetCapturedStdout();
    EXPECT_NE(out.find("Destroying background..."), std::string::npos);
    EXPECT_EQ(CSprite::GetAllSprites().size(), sprites - 2);
    EXPECT_EQ(CDraw::FindImageRecord("background4.jpg")->refs, 0);
    first.reset();
    logInit(false);
}

TEST_F(Background, NumberWithoutAPictureEndsTheProgram)
{
    std::unique_ptr<CBackground> last(new CBackground(7));
    EXPECT_EQ(last->GetPicture()->GetFrameImage(0), CDraw::FindImageId("background7.jpg"));
    last.reset();
    EXPECT_FATAL(CBackground(8), "Unable to find preloaded image: background8.jpg");
    EXPECT_FATAL(CBackground(-1), "Unable to find preloaded image: background-1.jpg");
}
