#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "engine/ResourceArchive.h"
#include "engine/UserDirs.h"
#include "test_support.h"
#include "level/Level.h"
#include "level/LevelBytes.h"
#include "level/LevelSet.h"

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

// A level archive of the built-in sizes (111 regular, 50 advanced, 81 kids
// levels), each level's heading its name, with entries to change or damage.
class LevelArchive {
public:
    LevelArchive()
    {
        const struct {
            const char* prefix;
            int count;
        } sets[] = {{"reg", 111}, {"adv", 50}, {"kid", 81}};
        for (const auto& set : sets)
            for (int i = 1; i <= set.count; ++i) {
                char name[16];
                snprintf(name, sizeof name, "%s%03d", set.prefix, i);
                m_entries.push_back({name, level(name)});
            }
    }

    static std::vector<uint8_t> level(const std::string& heading)
    {
        CLevel level;
        level.SetHeadingText(heading.c_str());
        return level.Encode(CLevel::GAME_LEVEL_ID);
    }
    static std::vector<uint8_t> legacy()
    {
        std::vector<uint8_t> bytes = level("legacy");
        bytes[3] = 4;
        return bytes;
    }
    static std::vector<uint8_t> cut(const std::string& heading, size_t length)
    {
        std::vector<uint8_t> bytes = level(heading);
        bytes.resize(length);
        return bytes;
    }

    size_t size() const { return m_entries.size(); }
    void setData(const std::string& name, const std::vector<uint8_t>& data) { find(name).data = data; }
    void rename(const std::string& name, const std::string& newName) { find(name).name = newName; }
    void insert(size_t at, const std::string& name, const std::vector<uint8_t>& data)
    {
        m_entries.insert(m_entries.begin() + static_cast<long>(at), {name, data});
    }
    void remove(const std::string& name)
    {
        Entry& e = find(name);
        m_entries.erase(m_entries.begin() + (&e - m_entries.data()));
    }

    bool write(const std::string& path) const
    {
        ResourceArchiveWriter writer;
        for (const Entry& e : m_entries)
            writer.Add(e.name + ".lvl", e.data);
        return writer.Write(path);
    }

private:
    struct Entry {
        std::string name;
        std::vector<uint8_t> data;
    };
    Entry& find(const std::string& name)
    {
        for (Entry& e : m_entries)
            if (e.name == name)
                return e;
        ADD_FAILURE() << "no entry " << name;
        return m_entries.front();
    }
    std::vector<Entry> m_entries;
};

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

TEST_F(LevelSetTest, RefusedLevelsAreFiledSoNoIndexMoves)
{
    testsupport::TempDir dir;
    LevelArchive archive;
    archive.setData("reg002", archive.legacy());                 // filed as an empty level
    archive.setData("adv001", archive.cut("adv001", 100));      // damaged: filed as an empty level
    archive.setData("kid001", std::vector<uint8_t>());          // no data at all
    archive.rename("kid081", "kid081_and_a_longer_name");        // cut to 16 characters
    archive.insert(5, "zzz001", archive.level("zzz001"));        // unknown prefix: dropped
    ASSERT_TRUE(archive.write(dir.file("resource4.dat")));

    {
        testsupport::ScopedChdir here(dir.path());
        CLevelSet::loadAll();
    }
    ASSERT_EQ(CLevelSet::getSet(0)->getCount(), 111);
    ASSERT_EQ(CLevelSet::getSet(1)->getCount(), 50);
    ASSERT_EQ(CLevelSet::getSet(2)->getCount(), 81);
    EXPECT_STREQ(CLevelSet::getSet(0)->getLevel(0)->GetHeadingText(), "reg001");
    EXPECT_EQ(CLevelSet::getSet(0)->getLevel(1)->GetVersion(), 4);
    EXPECT_STREQ(CLevelSet::getSet(0)->getLevel(1)->GetHeadingText(), "");
    EXPECT_STREQ(CLevelSet::getSet(0)->getLevel(2)->GetHeadingText(), "reg003");
    EXPECT_STREQ(CLevelSet::getSet(0)->getLevel(110)->GetHeadingText(), "reg111");
    EXPECT_STREQ(CLevelSet::getSet(1)->getLevel(0)->GetHeadingText(), "");
    EXPECT_STREQ(CLevelSet::getSet(1)->getLevel(0)->GetName(), "");
    EXPECT_STREQ(CLevelSet::getSet(1)->getLevel(1)->GetHeadingText(), "adv002");
    EXPECT_STREQ(CLevelSet::getSet(2)->getLevel(0)->GetHeadingText(), "");
    EXPECT_STREQ(CLevelSet::getSet(2)->getLevel(1)->GetHeadingText(), "kid002");
    EXPECT_STREQ(CLevelSet::getSet(2)->getLevel(80)->GetName(), "kid081_and_a_lon");
    EXPECT_STREQ(CLevelSet::getSet(2)->getLevel(80)->GetHeadingText(), "kid081");
    EXPECT_STREQ(CLevelSet::getLabel(0, 1), "T1");
    EXPECT_STREQ(CLevelSet::getLabel(0, 110), "85");
}

TEST_F(LevelSetTest, DamageToTheArchiveItselfEndsTheProgramNamingFileAndReason)
{
    testsupport::TempDir dir;
    testsupport::ScopedChdir here(dir.path());
    LevelArchive archive;
    ASSERT_TRUE(archive.write(dir.file("resource4.dat")));
    std::string whole = testsupport::readFile(dir.file("resource4.dat"));

    // Half the file: the offset table is whole, the later entries are not.
    testsupport::writeFile(dir.file("resource4.dat"), whole.substr(0, whole.size() / 2));
    EXPECT_EXIT(
        {
            dup2(2, 1); // the messages go to standard output
            CLevelSet::loadAll();
        },
        ::testing::ExitedWithCode(1),
        "'resource4.dat' cannot be used:  entry [0-9]+ runs past the end of the file\n"
        "(.|\n)*Cannot load level resource file!");

    // The last entry one byte short.
    testsupport::writeFile(dir.file("resource4.dat"), whole.substr(0, whole.size() - 1));
    EXPECT_EXIT(
        {
            dup2(2, 1);
            CLevelSet::loadAll();
        },
        ::testing::ExitedWithCode(1), "entry 241 runs past the end of the file(.|\n)*Cannot load level resource");

    // An offset beyond the end of the file.
    std::string moved = whole;
    moved[4 + 4 * 7 + 3] = '\x7f';
    testsupport::writeFile(dir.file("resource4.dat"), moved);
    EXPECT_EXIT(
        {
            dup2(2, 1);
            CLevelSet::loadAll();
        },
        ::testing::ExitedWithCode(1), "entry 7 starts past the end of the file(.|\n)*Cannot load level resource");

    // Both lines are kept in "LOG.TXT" too.
    InitUserDirectories();
    std::string logFile = std::string(GetProfileDirectory()) + "LOG.TXT";
    remove(logFile.c_str());
    EXPECT_EXIT(CLevelSet::loadAll(), ::testing::ExitedWithCode(1), "");
    std::string log = testsupport::readFile(logFile);
    EXPECT_NE(log.find("'resource4.dat' cannot be used:  entry 7 starts past the end of the file"), std::string::npos);
    EXPECT_NE(log.find("Cannot load level resource file!"), std::string::npos);
}

TEST_F(LevelSetTest, ASetOfAnyOtherSizeEndsTheProgram)
{
    testsupport::TempDir dir;
    testsupport::ScopedChdir here(dir.path());
    struct Case {
        const char* change;
        const char* reason;
    };
    const Case cases[] = {
        {"drop reg111", "level set 0 holds 110 levels instead of 111"},
        {"add reg112", "level set 0 holds 112 levels instead of 111"},
        {"drop adv050", "level set 1 holds 49 levels instead of 50"},
        {"add adv051", "level set 1 holds 51 levels instead of 50"},
        {"drop kid081", "level set 2 holds 80 levels instead of 81"},
        {"add kid082", "level set 2 holds 82 levels instead of 81"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        LevelArchive archive;
        std::string change(c.change);
        std::string name = change.substr(change.find(' ') + 1);
        if (change.compare(0, 4, "drop") == 0)
            archive.remove(name);
        else
            archive.insert(archive.size(), name, archive.level(name));
        ASSERT_TRUE(archive.write(dir.file("resource4.dat")));
        EXPECT_EXIT(
            {
                dup2(2, 1);
                CLevelSet::loadAll();
            },
            ::testing::ExitedWithCode(1), std::string(c.reason) + "(.|\n)*Cannot load level resource file!");
    }
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
