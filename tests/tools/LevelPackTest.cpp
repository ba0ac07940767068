// The packer's reading of the level folder: set sizes, move scripts and the
// strict switch, idea lines, the manifest and the map labels.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "LevelSource.h"
#include "LevelToolsSupport.h"
#include "PackJobs.h"
#include "test_support.h"
#include "level/LevelSet.h"

namespace {

class LevelPack : public ::testing::Test {
protected:
    void SetUp() override
    {
        char folder[] = "/tmp/levelpack-test-XXXXXX";
        ASSERT_TRUE(mkdtemp(folder));
        m_folder = folder;
    }
    void TearDown() override { system(("rm -rf '" + m_folder + "'").c_str()); }

    void write(const std::string& file, const std::string& text)
    {
        testsupport::writeFile(m_folder + "/" + file, text);
    }

    std::string m_folder;
};

bool mentions(const std::vector<std::string>& errors, const std::string& text)
{
    for (const std::string& e : errors)
        if (e.find(text) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST_F(LevelPack, SetSizesScriptsAndIdeasAreRead)
{
    write("adv001.txt", "# idea: a crate bridges the gap\n" + leveltest::levelSource({".@..$", "#####"}));
    write("adv001.moves", "R3 # to the exit\n");
    write("adv002.txt", leveltest::levelSource({".@.$", "####"}));
    std::vector<std::string> errors;
    auto levels = levelpack::readLevelSources(m_folder, false, errors);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0]->idea, "a crate bridges the gap");
    EXPECT_EQ(levels[0]->moves.size(), 3u);
    EXPECT_EQ(levels[0]->script, m_folder + "/adv001.moves");
    EXPECT_EQ(levels[1]->script, "");
    EXPECT_EQ(levels[1]->index, 1);
    EXPECT_EQ(levels[1]->set, CLevelSet::ADVANCED);
    // Every set must be full; only the size rule is broken here.
    EXPECT_TRUE(mentions(errors, "the reg set needs 111 levels, found 0"));
    EXPECT_TRUE(mentions(errors, "the adv set needs 50 levels, found 2"));
    EXPECT_TRUE(mentions(errors, "the kid set needs 81 levels, found 0"));
    EXPECT_EQ(errors.size(), 3u);
}

TEST_F(LevelPack, AStrictBuildWantsAScriptBesideEveryLevel)
{
    write("adv002.txt", leveltest::levelSource({".@.$", "####"}));
    std::vector<std::string> errors;
    levelpack::readLevelSources(m_folder, true, errors);
    EXPECT_TRUE(mentions(errors, "adv002.txt: no move script (adv002.moves)"));
}

TEST_F(LevelPack, ABadOrEmptyScriptIsAnError)
{
    write("kid001.txt", leveltest::levelSource({".@.$", "####"}));
    write("kid001.moves", "# nothing yet\n");
    write("kid002.txt", leveltest::levelSource({".@.$", "####"}));
    write("kid002.moves", "R2 Q\n");
    std::vector<std::string> errors;
    levelpack::readLevelSources(m_folder, false, errors);
    EXPECT_TRUE(mentions(errors, "kid001.moves: the script has no moves"));
    EXPECT_TRUE(mentions(errors, "kid002.moves:1: unknown token 'Q'"));
}

TEST_F(LevelPack, TheManifestReadsBackWithItsStrictMark)
{
    write("kid001.txt", "# idea: walk\n" + leveltest::levelSource({".@.$", "####"}));
    write("kid001.moves", "R2\n");
    write("kid002.txt", leveltest::levelSource({".@.$", "####"}));
    std::vector<std::string> errors;
    auto levels = levelpack::readLevelSources(m_folder, false, errors);
    levels[0]->solved = true;
    levels[0]->steps = 2;
    levels[0]->frames = 70;
    std::string path = m_folder + "/manifest.txt";
    for (bool strict : {false, true}) {
        ASSERT_TRUE(levelpack::writeManifest(path, levels, strict));
        std::vector<levelpack::ManifestEntry> entries;
        bool readStrict = !strict;
        ASSERT_TRUE(levelpack::readManifest(path, entries, readStrict));
        EXPECT_EQ(readStrict, strict);
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0].name, "kid001");
        EXPECT_EQ(entries[0].set, CLevelSet::KIDS);
        EXPECT_EQ(entries[0].moves, 2);
        EXPECT_EQ(entries[0].steps, 2);
        EXPECT_EQ(entries[0].frames, 70);
        EXPECT_EQ(entries[0].idea, "walk");
        EXPECT_EQ(entries[1].moves, -1);
        EXPECT_EQ(entries[1].index, 1);
    }
    std::vector<levelpack::ManifestEntry> none;
    bool strict = false;
    EXPECT_FALSE(levelpack::readManifest(m_folder + "/missing.txt", none, strict));
    write("broken.txt", "kid001 2 zero\n");
    EXPECT_FALSE(levelpack::readManifest(m_folder + "/broken.txt", none, strict));
}

TEST(LevelCheck, ATeleportColourHasNoEndOrTwo)
{
    const char* const ends[] = {"", "teleport blue 5 20\n", "teleport blue 5 20\nteleport blue 10 20\n",
                                "teleport red 5 20\nteleport red 10 20\nteleport red 14 20\n"};
    for (int n = 0; n < 4; ++n) {
        SCOPED_TRACE(n);
        CLevel level;
        leveltest::readLevel(level, leveltest::levelSource({".@.............$", "################"}, ends[n]));
        std::vector<std::string> errors;
        levelpack::checkPlayable("test.txt", level, false, errors);
        bool refused = mentions(errors, "a teleport colour needs 0 or 2 ends");
        EXPECT_EQ(refused, n == 1 || n == 3);
        if (n == 0 || n == 2)
            EXPECT_TRUE(errors.empty()) << errors.front();
    }
}

TEST(LevelLabel, TutorialAndOrdinaryLevelsCountApart)
{
    EXPECT_EQ(levelpack::levelLabel(0, 0), "1");
    EXPECT_EQ(levelpack::levelLabel(0, 1), "T1");
    EXPECT_EQ(levelpack::levelLabel(0, 2), "2");
    EXPECT_EQ(levelpack::levelLabel(0, 3), "T2");
    EXPECT_EQ(levelpack::levelLabel(0, 90), "T26");
    EXPECT_EQ(levelpack::levelLabel(0, 91), "66");
    EXPECT_EQ(levelpack::levelLabel(0, 110), "85");
    EXPECT_EQ(levelpack::levelLabel(1, 1), "2");
    EXPECT_EQ(levelpack::levelLabel(2, 80), "81");
}

TEST_F(LevelPack, ScriptsAreRecordedInWorkersAndAFailureNamesItsMove)
{
    write("kid001.txt", leveltest::levelSource({".@..$", "#####"}));
    write("kid001.moves", "R3\n");
    write("kid002.txt", leveltest::levelSource({".@..$", ".####"}));
    write("kid002.moves", "R\nL2 R2\n");
    write("kid003.txt", leveltest::levelSource({".@.$", "####"}));
    std::vector<std::string> errors;
    auto levels = levelpack::readLevelSources(m_folder, false, errors);
    errors.clear(); // only the set sizes
    levelpack::recordSolutions(levels, testsupport::runDir(), 2, errors);

    EXPECT_TRUE(levels[0]->solved);
    EXPECT_EQ(levels[0]->level.GetSolution().size(), 6u);
    EXPECT_EQ(levels[0]->steps, 3);
    EXPECT_GT(levels[0]->frames, 0);
    EXPECT_FALSE(levels[1]->solved);
    EXPECT_TRUE(levels[1]->level.GetSolution().empty());
    // No script: packed as it is.
    EXPECT_FALSE(levels[2]->solved);
    ASSERT_EQ(errors.size(), 1u);
    // The second L walks off the grass at column 0.
    EXPECT_EQ(errors[0].find(m_folder + "/kid002.moves:2: move 3 (L): fallen"), 0u) << errors[0];
}
