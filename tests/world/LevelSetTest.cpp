#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "engine/ResourceArchive.h"
#include "test_support.h"
#include "world/Level.h"
#include "world/LevelBytes.h"
#include "world/LevelSet.h"

using namespace leveltest;

namespace {

class LevelSetTest : public ::testing::Test {
protected:
    void TearDown() override { CLevelSet::freeAll(); }
};

int countTiles(const CLevel& level, int code)
{
    int count = 0;
    for (int x = 0; x < CLevel::WIDTH; ++x)
        for (int y = 0; y < CLevel::HEIGHT; ++y)
            if (level.GetTile(x, y) == code)
                ++count;
    return count;
}

} // namespace

TEST_F(LevelSetTest, BuiltArchiveHoldsThePlayableSets)
{
    {
        testsupport::ScopedChdir inRun(testsupport::runDir());
        CLevelSet::loadAll();
    }
    const int counts[] = {111, 50, 81};
    const char* prefixes[] = {"reg", "adv", "kid"};
    for (int s = 0; s < CLevelSet::SET_COUNT; ++s) {
        CLevelSet* set = CLevelSet::getSet(s);
        ASSERT_NE(set, nullptr);
        ASSERT_EQ(set->getCount(), counts[s]);
        for (int i = 0; i < set->getCount(); ++i) {
            const CLevel& level = *set->getLevel(i);
            SCOPED_TRACE(level.GetName());
            EXPECT_EQ(strncmp(level.GetName(), prefixes[s], 3), 0);
            EXPECT_EQ(static_cast<uint32_t>(level.GetKind()), CLevel::KIND_GAME);
            EXPECT_EQ(level.GetVersion(), 8);
            EXPECT_EQ(countTiles(level, DEVICE_TUBE_START), 1);
            EXPECT_EQ(countTiles(level, DEVICE_TUBE_END), 1);
            EXPECT_NE(level.GetHeadingText()[0], '\0');
            EXPECT_TRUE(level.AreTeleportsPaired());
            int markers = countTiles(level, TUTORIAL);
            if (CLevelSet::isTutorialLevel(s, i)) {
                EXPECT_GT(markers, 0);
            }
            for (int x = 0; x < CLevel::WIDTH; ++x) {
                for (int y = 0; y < CLevel::HEIGHT; ++y) {
                    if (level.GetTile(x, y) == TUTORIAL) {
                        EXPECT_NE(level.GetTutorialText(x, y), nullptr);
                    }
                }
            }
        }
    }
    EXPECT_STREQ(CLevelSet::getSet(0)->getLevel(0)->GetName(), "reg001");
    EXPECT_STREQ(CLevelSet::getSet(2)->getLevel(80)->GetName(), "kid081");

    EXPECT_STREQ(CLevelSet::getLabel(0, 0), "1");
    EXPECT_STREQ(CLevelSet::getLabel(0, 1), "T1");
    EXPECT_STREQ(CLevelSet::getLabel(0, 2), "2");
    EXPECT_STREQ(CLevelSet::getLabel(0, 3), "T2");
    EXPECT_STREQ(CLevelSet::getLabel(0, 90), "T26");
    EXPECT_STREQ(CLevelSet::getLabel(0, 110), "85");
    EXPECT_STREQ(CLevelSet::getLabel(1, 1), "2");
    EXPECT_STREQ(CLevelSet::getLabel(1, 49), "50");
    EXPECT_STREQ(CLevelSet::getLabel(2, 80), "81");
    EXPECT_STREQ(CLevelSet::getLabel(2, 81), "");
    EXPECT_STREQ(CLevelSet::getLabel(3, 0), "");

    // The archive's bytes are exactly what a level writes again.
    ResourceArchiveReader archive;
    ASSERT_TRUE(archive.Open((testsupport::runDir() + "/resource4.dat").c_str()));
    std::string name;
    std::vector<uint8_t> data;
    for (uint32_t i = 0; i < archive.Count(); i += 17) {
        ASSERT_TRUE(archive.ReadEntry(i, name, data));
        CLevel level;
        ASSERT_TRUE(loadBytes(level, std::string(data.begin(), data.end()), name.substr(0, name.size() - 4).c_str()));
        EXPECT_EQ(encode(level), std::string(data.begin(), data.end())) << name;
    }

    CLevelSet::freeAll();
    EXPECT_EQ(CLevelSet::getSet(0), nullptr);
    EXPECT_STREQ(CLevelSet::getLabel(0, 0), "");
}

TEST_F(LevelSetTest, ChapterTutorialAndLastLevelTables)
{
    EXPECT_EQ(CLevelSet::getChapterIndex(1, 49), 11);
    EXPECT_EQ(CLevelSet::getChapterIndex(2, 40), -1);
    EXPECT_EQ(CLevelSet::getChapterIndex(3, 0), -1);
    EXPECT_EQ(CLevelSet::getChapterIndex(-1, 0), -1);
    EXPECT_EQ(CLevelSet::getChapterIndex(0, 0), 0);
    EXPECT_EQ(CLevelSet::getChapterIndex(0, 8), 1);
    EXPECT_EQ(CLevelSet::getChapterIndex(0, 102), 10);
    EXPECT_EQ(CLevelSet::getChapterIndex(0, 110), 11);
    EXPECT_EQ(CLevelSet::getChapterIndex(0, 9), -1);
    EXPECT_EQ(CLevelSet::getChapterIndex(1, 4), 1);
    EXPECT_EQ(CLevelSet::getChapterIndex(1, 45), 10);
    EXPECT_EQ(CLevelSet::getChapterIndex(2, 0), 0);
    EXPECT_EQ(CLevelSet::getChapterIndex(2, 80), 11);
    EXPECT_EQ(CLevelSet::getChapterIndex(2, -1), -1);

    EXPECT_TRUE(CLevelSet::isTutorialLevel(0, 90));
    EXPECT_TRUE(CLevelSet::isTutorialLevel(0, 1));
    EXPECT_FALSE(CLevelSet::isTutorialLevel(0, 91));
    EXPECT_FALSE(CLevelSet::isTutorialLevel(0, 0));
    EXPECT_FALSE(CLevelSet::isTutorialLevel(1, 1));
    EXPECT_FALSE(CLevelSet::isTutorialLevel(2, 3));
    int tutorials = 0;
    for (int i = 0; i < 111; ++i)
        tutorials += CLevelSet::isTutorialLevel(0, i) ? 1 : 0;
    EXPECT_EQ(tutorials, 26);

    EXPECT_TRUE(CLevelSet::isLastLevel(0, 110));
    EXPECT_TRUE(CLevelSet::isLastLevel(1, 49));
    EXPECT_TRUE(CLevelSet::isLastLevel(2, 80));
    EXPECT_FALSE(CLevelSet::isLastLevel(0, 109));
    EXPECT_FALSE(CLevelSet::isLastLevel(3, 110));
}

TEST_F(LevelSetTest, NavigationStopsAtBothEnds)
{
    for (int i = 0; i < 3; ++i) {
        CLevel* level = new CLevel();
        level->SetHeadingText(("Heading " + std::to_string(i)).c_str());
        CLevelSet::loadLevel(("adv00" + std::to_string(i + 1)).c_str(), level);
    }
    CLevelSet* set = CLevelSet::getSet(CLevelSet::ADVANCED);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->getCount(), 3);
    EXPECT_EQ(set->getCurrentIndex(), 0);
    EXPECT_EQ(set->previousLevel(), set->getLevel(0));
    EXPECT_EQ(set->getCurrentIndex(), 0);
    EXPECT_EQ(set->nextLevel(), set->getLevel(1));
    EXPECT_STREQ(set->getCurrentHeading(), "Heading 1");
    EXPECT_EQ(set->selectLevel(2), set->getLevel(2));
    EXPECT_EQ(set->nextLevel(), set->getLevel(2));
    EXPECT_EQ(set->getCurrentIndex(), 2);
    EXPECT_EQ(set->selectLevel(50), set->getLevel(2));
    EXPECT_EQ(set->selectLevel(-4), set->getLevel(0));

    // A name with another prefix is dropped.
    CLevelSet::loadLevel("xyz001", new CLevel());
    CLevelSet::loadLevel("re", new CLevel());
    EXPECT_EQ(set->getCount(), 3);
    EXPECT_EQ(CLevelSet::getSet(CLevelSet::REGULAR), nullptr);
}

TEST_F(LevelSetTest, DamagedEntriesAndOddNamesInTheArchive)
{
    testsupport::TempDir dir;
    CLevel good;
    good.SetHeadingText("Good");
    std::vector<uint8_t> bytes = good.Encode(CLevel::GAME_LEVEL_ID);
    std::vector<uint8_t> legacy = bytes;
    legacy[3] = 4;
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + 100);

    ResourceArchiveWriter writer;
    writer.Add("reg001.lvl", bytes);
    writer.Add("reg002.lvl", legacy);          // filed as an empty level
    writer.Add("adv001.lvl", cut);             // damaged: what was read is filed
    writer.Add("zzz001.lvl", bytes);           // unknown prefix: dropped
    writer.Add("kid001.lvl", std::vector<uint8_t>()); // no data at all
    writer.Add("kid002_with_a_long_name.lvl", bytes); // name too long: refused
    ASSERT_TRUE(writer.Write(dir.file("resource4.dat")));

    {
        testsupport::ScopedChdir here(dir.path());
        CLevelSet::loadAll();
    }
    EXPECT_EQ(CLevelSet::getSet(0)->getCount(), 2);
    EXPECT_EQ(CLevelSet::getSet(1)->getCount(), 1);
    EXPECT_EQ(CLevelSet::getSet(2)->getCount(), 2);
    EXPECT_STREQ(CLevelSet::getSet(0)->getLevel(0)->GetHeadingText(), "Good");
    EXPECT_EQ(CLevelSet::getSet(0)->getLevel(1)->GetVersion(), 4);
    EXPECT_STREQ(CLevelSet::getSet(0)->getLevel(1)->GetHeadingText(), "");
    EXPECT_STREQ(CLevelSet::getSet(1)->getLevel(0)->GetHeadingText(), "Good");
    EXPECT_STREQ(CLevelSet::getLabel(0, 1), "T1");
}

TEST_F(LevelSetTest, MissingArchiveEndsTheProgram)
{
    testsupport::TempDir dir;
    testsupport::ScopedChdir here(dir.path());
    EXPECT_EXIT(
        {
            dup2(2, 1); // the message goes to standard output
            CLevelSet::loadAll();
        },
        ::testing::ExitedWithCode(1), "Cannot load level resource file!");

    testsupport::writeFile(dir.file("resource4.dat"), std::string("\xff\xff\xff\x0f", 4));
    EXPECT_EXIT(
        {
            dup2(2, 1); // the message goes to standard output
            CLevelSet::loadAll();
        },
        ::testing::ExitedWithCode(1), "Cannot load level resource file!");
}
