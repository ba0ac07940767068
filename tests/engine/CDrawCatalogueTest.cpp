#include "DrawTestSupport.h"

#include <fstream>
#include <sys/stat.h>

#include "elements/CElementDeviceButton.h"
#include "elements/CElementDeviceGate.h"
#include "elements/CElementDeviceGunshot.h"
#include "elements/CElementDevicePowerup.h"
#include "elements/CElementDeviceTeleport.h"
#include "elements/CElementDeviceTrampoline.h"
#include "elements/CElementDeviceTube.h"
#include "elements/CElementLadder.h"
#include "elements/CElementObjectBarrel.h"
#include "elements/CElementObjectCrate.h"
#include "elements/CElementObjectMagnet.h"
#include "elements/CElementTerrainBridge.h"
#include "elements/CElementTerrainGrass.h"
#include "elements/CElementTerrainIce.h"
#include "elements/CElementTerrainSand.h"
#include "elements/CElementTutorial.h"
#include "engine/Log.h"
#include "engine/TextRender.h"
#include "walkers/CElementAIBot.h"
#include "walkers/CElementAIProfessor.h"

using namespace drawtest;

namespace {

// The image files the catalogues load and the images they make, one name
// a line, written independently of the catalogue code from the asset list.
std::vector<std::string> readNames(const char* file)
{
    std::ifstream in(testsupport::sourceDir() + "/tests/engine/data/" + file);
    std::vector<std::string> names;
    std::string line;
    while (std::getline(in, line))
        if (!line.empty())
            names.push_back(line);
    return names;
}

int flagsSum()
{
    return CElementAIBot::sharedImages + CElementAIProfessor::sharedImages + CElementDeviceButton::sharedImages +
           CElementDeviceGate::sharedImages + CElementDeviceGunshot::sharedImages +
           CElementDevicePowerup::sharedImages + CElementDeviceTeleport::sharedImages +
           CElementDeviceTrampoline::sharedImages + CElementDeviceTube::sharedImages +
           CElementLadder::sharedImages + CElementObjectBarrel::sharedImages + CElementObjectCrate::sharedImages +
           CElementObjectMagnet::sharedImages + CElementTerrainBridge::sharedImages +
           CElementTerrainGrass::sharedImages + CElementTerrainIce::sharedImages +
           CElementTerrainSand::sharedImages + CElementTutorial::sharedImages;
}

// Every pixel of derived has the alpha of source's pixel plus dA, clamped,
// and the same colour.
void expectFadedCopy(const char* derived, const char* source, int dA)
{
    SCOPED_TRACE(derived);
    int d = CDraw::FindImageId(derived);
    int s = CDraw::FindImageId(source);
    ASSERT_NE(d, -1);
    ASSERT_NE(s, -1);
    SDL_Surface* ds = CDraw::GetImageSurface(d);
    SDL_Surface* ss = CDraw::GetImageSurface(s);
    ASSERT_EQ(ds->w, ss->w);
    ASSERT_EQ(ds->h, ss->h);
    int stepX = ds->w > 64 ? ds->w / 64 : 1;
    int stepY = ds->h > 64 ? ds->h / 64 : 1;
    for (int y = 0; y < ds->h; y += stepY)
        for (int x = 0; x < ds->w; x += stepX) {
            Rgba a = pixelAt(ds, x, y);
            Rgba b = pixelAt(ss, x, y);
            int expected = b.a + dA < 0 ? 0 : (b.a + dA > 255 ? 255 : b.a + dA);
            ASSERT_EQ(a.a, expected) << x << "," << y;
            ASSERT_EQ(a.r, b.r);
            ASSERT_EQ(a.g, b.g);
            ASSERT_EQ(a.b, b.b);
        }
}

// What every start-up must leave behind, whatever the pictures look like.
void expectCataloguesDone(int archiveCount)
{
    std::vector<std::string> files = readNames("catalogue_files.txt");
    std::vector<std::string> derived = readNames("catalogue_derived.txt");
    ASSERT_EQ(files.size(), 2693u);
    ASSERT_EQ(derived.size(), 820u);
    for (const std::string& name : files) {
        const CImageRecord* r = CDraw::FindImageRecord(name.c_str());
        ASSERT_NE(r, nullptr) << name;
        EXPECT_NE(r->id, -1) << name;
        EXPECT_GE(r->refs, 1) << name;
        EXPECT_GT(r->size, 0) << name << " must come from the archive";
    }
    for (const std::string& name : derived) {
        const CImageRecord* r = CDraw::FindImageRecord(name.c_str());
        ASSERT_NE(r, nullptr) << name;
        EXPECT_NE(r->id, -1) << name;
        EXPECT_EQ(r->size, 0) << name << " must be made, not shipped";
    }
    EXPECT_EQ(flagsSum(), 18);
    // One unit per file and 141 steps of 100.
    EXPECT_EQ(CDraw::GetLoadCount(), archiveCount + 14100);

    expectFadedCopy("counterdigitsA_faded.png", "counterdigitsA.png", -50);
    expectFadedCopy("buttonblue_break10.png", "buttonblue_break4.png", -230);
    expectFadedCopy("buttonred_break5.png", "buttonred_break4.png", -35);
    expectFadedCopy("transporttubeB_break11.png", "transporttubeB_break5.png", -230);
    expectFadedCopy("tubearrowfade3.png", "tubearrow0.png", -110);
    expectFadedCopy("cursortutorial.tga", "qmarkrotate23.tga", -100);
    expectFadedCopy("cursorbothang.png", "bothang.png", -100);
    expectFadedCopy("qmarkrotate_fading3" "17.tga", "qmarkrotate17.tga", -130);
    expectFadedCopy("trampolinerubberbreak9.png", "trampolinerubberbreak3.png", -230);
    expectFadedCopy("inflatableteleport_redfrontbreak7.png", "inflatableteleport_redfrontbreak6.png", -35);
    expectFadedCopy("teleport_spiralyellow_enable0.png", "teleport_spiralyellow0.png", -235);
    expectFadedCopy("teleport_spiralred_enable7.png", "teleport_spiralred0.png", -95);
    expectFadedCopy("teleport_spiralblue_5039.png", "teleport_spiralblue39.png", -40);
    expectFadedCopy("teleport_spiralblue_100.png", "teleport_spiralblue0.png", -10);
    expectFadedCopy("teleport_spiralredturnon6_faded.png", "teleport_spiralredturnon6.png", -65);
    expectFadedCopy("teleport_glowyellow12.png", "teleport_glowyellow.png", -99);
    expectFadedCopy("teleport_glowblue2.png", "teleport_glowblue.png", -1);
    expectFadedCopy("password_invalid0.png", "password_invalid.png", -270);
    expectFadedCopy("password_invalid5.png", "password_invalid.png", -45);
    // Six copies numbered 0 to 5, made from 5 down to 0.
    EXPECT_EQ(CDraw::FindImageRecord("password_invalid6.png"), nullptr);
    EXPECT_LT(CDraw::FindImageId("password_invalid5.png"), CDraw::FindImageId("password_invalid0.png"));
    EXPECT_EQ(CDraw::GetImageWidth(CDraw::FindImageId("kv3_button_class17text.png")), 186);
    EXPECT_EQ(CDraw::GetImageHeight(CDraw::FindImageId("options_password_invalid3.png")), 30);
    EXPECT_EQ(CDraw::GetImageWidth(CDraw::FindImageId("options_password_invalid3.png")), 136);
}

} // namespace

typedef DrawTest DrawCatalogueTest;

TEST_F(DrawCatalogueTest, EveryCataloguedNameIsDecodedAndEveryDerivedImageMade)
{
    // Every file the catalogues name, as a small picture with partial alpha
    // (so the faded copies differ from their sources), plus one file the
    // catalogues do not touch.
    std::vector<std::pair<std::string, Bytes>> entries;
    Bytes tgaPicture = tgaAlphas(3, 2, {240, 255, 0, 100, 30, 200});
    Bytes pngPicture = png(3, 2, 255, 255, 255, 240);
    for (const std::string& name : readNames("catalogue_files.txt"))
        entries.push_back({name, name.substr(name.size() - 3) == "tga" ? tgaPicture : pngPicture});
    entries.push_back({"grid.png", pngPicture});

    // The label pictures are rendered from the game's own string table.
    testsupport::startTextSystem();
    testing::internal::CaptureStdout();
    logCategoryOn(LOG_TIMING);
    writeArchive(m_dir.file("resource2.dat"), entries);
    CDraw::PreloadImages();
    logCategoryOff(LOG_TIMING);
    std::string log = testing::internal::GetCapturedStdout();

    expectCataloguesDone(static_cast<int>(entries.size()));
    EXPECT_EQ(CDraw::FindImageId("grid.png"), -1);

    EXPECT_NE(log.find("cacheMain()            Caching images for main menu\n"), std::string::npos);
    EXPECT_NE(log.find("cacheGameProf()        Caching images for game\n"), std::string::npos);
    EXPECT_NE(log.find("cacheFadedImages()     Caching Faded images\n"), std::string::npos);
    EXPECT_NE(log.find("cacheGameMagnets()        Loaded:  Right Magnet, Normal\n"), std::string::npos);
    EXPECT_NE(log.find("cacheFadedImages()        Loaded:  Faded Teleport Glows\n"), std::string::npos);
}

TEST_F(DrawCatalogueTest, AMissingCatalogueFileEndsStartUp)
{
    std::vector<std::pair<std::string, Bytes>> entries;
    Bytes picture = png(1, 1, 0, 0, 0, 255);
    for (const std::string& name : readNames("catalogue_files.txt"))
        if (name != "star_pulse7.png")
            entries.push_back({name, name.substr(name.size() - 3) == "tga" ? tga(1, 1, 0, 0, 0, 255) : picture});
    writeArchive(m_dir.file("resource2.dat"), entries);
    EXPECT_FATAL(CDraw::PreloadImages(), "Unable to find preloaded image: star_pulse7.png");
}

TEST(DrawRealResources, StartUpCataloguesEveryImage)
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
    CDraw draw;
    CDraw::PreloadImages();
    expectCataloguesDone(CDraw::GetLoadTotal() - CDraw::GetLoadReserve());
}
