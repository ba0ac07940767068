// The start-up load bar over the real resources: it fills once, steadily,
// over the pictures, their catalogues, the sounds and the built-in levels.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "engine/CDraw.h"
#include "engine/Log.h"
#include "engine/Sound.h"
#include "engine/TextRender.h"
#include "test_support.h"
#include "level/LevelSet.h"

TEST(StartUpLoadBar, FillsOnceOverPicturesSoundsAndLevels)
{
    std::string run = testsupport::runDir();
    struct stat info;
    if (stat((run + "/resource2.dat").c_str(), &info) != 0)
        GTEST_SKIP() << "the generated resources are not in " << run;

    logInit(false);
    testsupport::ScopedChdir in(run);
    initFontSystem("./", "resource5.dat");
    CDraw::SetConfig(nullptr);
    CDraw::SetLoadFromDirectory(0);
    CSound::setLoadFromDirectory(false);
    // Without sound nothing of the sound archive will be loaded.
    EXPECT_EQ(CSound::preloadUnits(), 0);
    CSound::init(true);
    ASSERT_TRUE(CSound::isAvailable());
    CDraw draw;

    const int sounds = CSound::preloadUnits();
    const int levels = CLevelSet::loadUnits();
    EXPECT_GT(sounds, 0);
    EXPECT_EQ(levels, (111 + 50 + 81) * 100);
    CDraw::SetLoadReserve(CDraw::LOAD_CATALOGUE_UNITS + sounds + levels);

    CDraw::PreloadImages();
    const int total = CDraw::GetLoadTotal();
    EXPECT_EQ(CDraw::GetLoadCount(), total - sounds - levels);
    const int widthAfterImages = CDraw::GetLoadDrawnWidth();

    CSound::loadSound();
    CSound::loadMusic();
    EXPECT_EQ(CDraw::GetLoadCount(), total - levels);
    const int widthAfterSounds = CDraw::GetLoadDrawnWidth();
    EXPECT_GT(widthAfterSounds, widthAfterImages);

    CLevelSet::loadAll();
    EXPECT_EQ(CDraw::GetLoadCount(), total);
    EXPECT_GT(CDraw::GetLoadDrawnWidth(), widthAfterSounds);

    CLevelSet::freeAll();
    CSound::destroyMusic();
    CSound::shutdown();
    shutdownFontSystem();
}
