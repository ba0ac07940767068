#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>

#include "engine/UserDirs.h"
#include "test_support.h"
#include "level/Level.h"
#include "level/LevelBytes.h"

using namespace leveltest;

namespace {

class LevelFile : public ::testing::Test {
protected:
    void SetUp() override { InitUserDirectories(); }

    std::string pathOf(const char* name) { return CLevel::GetPath(name); }
    std::string bytesOf(const char* name) { return testsupport::readFile(pathOf(name)); }

    // Files in the levels folder other than finished levels.
    std::vector<std::string> leftovers()
    {
        std::vector<std::string> names;
        DIR* dir = opendir(GetLevelsDirectory());
        if (!dir)
            return names;
        while (struct dirent* e = readdir(dir))
            if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0 && !strstr(e->d_name, ".lvl"))
                names.push_back(e->d_name);
        closedir(dir);
        return names;
    }

    // Tries to overwrite "precious" while no file may grow past 100 bytes;
    // 0 when the save failed and left the old file and nothing else.
    int saveUnderSizeLimit(const std::string& before)
    {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit;
        limit.rlim_cur = 100;
        limit.rlim_max = 100;
        setrlimit(RLIMIT_FSIZE, &limit);
        CLevel changed;
        changed.SetTile(TERRAIN_GRASS, 5, 5);
        if (changed.SaveAs("precious", "New level"))
            return 2;
        if (!changed.IsModified())
            return 3;
        if (bytesOf("precious") != before)
            return 4;
        return leftovers().empty() ? 0 : 5;
    }
};

} // namespace

TEST_F(LevelFile, EmptyLevelIs6205BytesOfEmptyCells)
{
    CLevel level;
    ASSERT_TRUE(level.SaveAs("empty", ""));
    std::string bytes = bytesOf("empty");
    ASSERT_EQ(bytes.size(), 6205u);

    uint32_t id = static_cast<uint32_t>(i32At(bytes, 0));
    EXPECT_EQ(id & CLevel::KIND_MASK, CLevel::KIND_CUSTOM);
    EXPECT_EQ(id >> 24, 8u);
    EXPECT_EQ(bytes.substr(OFFSET_HEADING, 33), std::string(33, '\0'));
    for (int i = 0; i < 768 * 2; ++i)
        ASSERT_EQ(i32At(bytes, OFFSET_LADDERS + 4 * i), 5) << i;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(i32At(bytes, OFFSET_TELEPORTS + 4 * i), 0);
    EXPECT_EQ(i32At(bytes, 6205 - 8), 4); // background
    EXPECT_EQ(i32At(bytes, 6205 - 4), 0); // no solution
    EXPECT_FALSE(level.IsModified());
}

TEST_F(LevelFile, CellFlagsAreStoredWithTheTileCode)
{
    CLevel level;
    level.SetTile(OBJECT_WCRATE, 3, 7);
    level.SetCellFlags(CELL_FROZEN, 3, 7);
    level.SetTile(OBJECT_MBARREL, 10, 2);
    level.SetCellFlags(CELL_HEATED, 10, 2);
    level.SetCellFlags(CELL_FROZEN, 11, 2); // a flag on an empty cell
    ASSERT_TRUE(level.SaveAs("flags", "Flags"));

    std::string bytes = bytesOf("flags");
    EXPECT_EQ(i32At(bytes, OFFSET_TILES + 4 * (3 * 24 + 7)), 1049);
    EXPECT_EQ(i32At(bytes, OFFSET_TILES + 4 * (10 * 24 + 2)), 32 + 2048);
    EXPECT_EQ(i32At(bytes, OFFSET_TILES + 4 * (11 * 24 + 2)), 5 + 1024);

    CLevel back;
    ASSERT_TRUE(back.Load("flags"));
    EXPECT_EQ(back.GetTile(3, 7), OBJECT_WCRATE);
    EXPECT_EQ(back.GetCellFlags(3, 7), CELL_FROZEN);
    EXPECT_EQ(back.GetTile(10, 2), OBJECT_MBARREL);
    EXPECT_EQ(back.GetCellFlags(10, 2), CELL_HEATED);
    EXPECT_EQ(back.GetTile(11, 2), NONE);
    EXPECT_EQ(back.GetCellFlags(11, 2), CELL_FROZEN);
    EXPECT_STREQ(back.GetName(), "flags");
    EXPECT_STREQ(back.GetHeadingText(), "Flags");
    EXPECT_FALSE(back.IsModified());
}

TEST_F(LevelFile, TutorialTextsAreWrittenForEveryMarker)
{
    CLevel level;
    level.SetTile(TUTORIAL, 4, 5);
    level.SetTile(TUTORIAL, 2, 9);
    char* text = new char[6];
    strcpy(text, "Hello");
    level.SetTutorialText(2, 9, text);
    // A text on a cell that is no longer a marker is not written.
    char* stray = new char[6];
    strcpy(stray, "Stray");
    level.SetTutorialText(8, 8, stray);

    std::string bytes = encode(level);
    // Three empty teleport lists, then the tutorial count 2, in x * 24 + y order.
    size_t at = OFFSET_TELEPORTS + 12;
    EXPECT_EQ(i32At(bytes, at), 2);
    EXPECT_EQ(i32At(bytes, at + 4), 2);
    EXPECT_EQ(i32At(bytes, at + 8), 9);
    EXPECT_EQ(i32At(bytes, at + 12), 5);
    EXPECT_EQ(bytes.substr(at + 16, 5), "Hello");
    EXPECT_EQ(i32At(bytes, at + 21), 4);
    EXPECT_EQ(i32At(bytes, at + 25), 5);
    EXPECT_EQ(i32At(bytes, at + 29), 9);
    EXPECT_EQ(bytes.substr(at + 33, 9), "UNDEFINED");

    CLevel back;
    ASSERT_TRUE(loadBytes(back, bytes));
    EXPECT_STREQ(back.GetTutorialText(4, 5), "UNDEFINED");
    EXPECT_STREQ(back.GetTutorialText(2, 9), "Hello");
    EXPECT_EQ(back.GetTutorialText(8, 8), nullptr);

    back.ClearTutorialText(2, 9);
    EXPECT_EQ(back.GetTutorialText(2, 9), nullptr);
    EXPECT_FALSE(back.IsModified());
}

TEST_F(LevelFile, SolutionReadsAsRecordedAndUnmodified)
{
    CLevel level;
    level.AddReplayKey(1, 275, false);
    level.AddReplayKey(9, 275, true);
    std::string bytes = encode(level);
    EXPECT_EQ(i32At(bytes, bytes.size() - 28), 2);
    EXPECT_EQ(i32At(bytes, bytes.size() - 4), 1);

    CLevel back;
    ASSERT_TRUE(loadBytes(back, bytes));
    EXPECT_TRUE(back.IsSolutionRecorded());
    EXPECT_FALSE(back.IsModified());
    ASSERT_EQ(back.GetSolution().size(), 2u);
    EXPECT_EQ(back.GetSolution()[1].frame, 9);
    EXPECT_TRUE(back.GetSolution()[1].released);

    // Any non-zero released value reads as a release.
    LevelBytes odd;
    odd.emptyUpToSolution(CLevel::GAME_LEVEL_ID).i32(1).i32(3).i32(102).i32(-7);
    ASSERT_TRUE(loadBytes(back, odd.str()));
    EXPECT_TRUE(back.GetSolution()[0].released);

    LevelBytes none;
    none.emptyUpToSolution(CLevel::GAME_LEVEL_ID).i32(0);
    ASSERT_TRUE(loadBytes(back, none.str()));
    EXPECT_FALSE(back.IsSolutionRecorded());
}

TEST_F(LevelFile, LegacyVersionLoadsEmptyWithKindAndVersion)
{
    CLevel source;
    source.SetTile(TERRAIN_GRASS, 1, 1);
    source.SetHeadingText("Old");
    std::string bytes = encode(source);
    bytes[3] = 4; // version 4 in the top byte of the ID

    CLevel level;
    EXPECT_FALSE(loadBytes(level, bytes, "old"));
    EXPECT_EQ(static_cast<uint32_t>(level.GetKind()), CLevel::KIND_GAME);
    EXPECT_EQ(level.GetVersion(), 4);
    EXPECT_STREQ(level.GetName(), "");
    EXPECT_STREQ(level.GetHeadingText(), "");
    EXPECT_EQ(level.GetTile(1, 1), NONE);
    EXPECT_EQ(level.GetBackground(), 4);

    // A negative version is older still.
    bytes[3] = static_cast<char>(0x88);
    EXPECT_FALSE(loadBytes(level, bytes, "old"));
    EXPECT_LT(level.GetVersion(), 0);

    // An unknown kind is only logged: the level reads.
    LevelBytes odd;
    odd.emptyUpToSolution(0x08000000).i32(0);
    EXPECT_TRUE(loadBytes(level, odd.str()));
    EXPECT_EQ(level.GetKind(), 0);
}

TEST_F(LevelFile, NoiseBitsVaryButKindAndVersionStay)
{
    CLevel level;
    level.SetHeadingText("Noise");
    std::set<uint32_t> ids;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        srand(seed);
        ASSERT_TRUE(level.SaveAs("noise", "Noise"));
        uint32_t id = static_cast<uint32_t>(i32At(bytesOf("noise"), 0));
        EXPECT_EQ(id & ~0x000FF1u, 0x08404008u);
        ids.insert(id);

        CLevel back;
        ASSERT_TRUE(back.Load("noise"));
        EXPECT_EQ(static_cast<uint32_t>(back.GetKind()), CLevel::KIND_CUSTOM);
        EXPECT_EQ(back.GetVersion(), 8);
    }
    EXPECT_GT(ids.size(), 1u);
    EXPECT_EQ(CLevel::MakeCustomLevelId() & 0xFF70700Eu, 0x08404008u);
}

TEST_F(LevelFile, HeadingIsCutAndAlwaysTerminated)
{
    CLevel level;
    level.SetHeadingText("A heading that is much longer than thirty-two characters");
    EXPECT_EQ(strlen(level.GetHeadingText()), 32u);

    LevelBytes full;
    full.i32(CLevel::GAME_LEVEL_ID).raw(std::string(33, 'H')).layer(5).layer(5);
    full.i32(0).i32(0).i32(0).i32(0).i32(4).i32(0);
    CLevel back;
    ASSERT_TRUE(loadBytes(back, full.str()));
    EXPECT_EQ(std::string(back.GetHeadingText()), std::string(32, 'H'));

    // Bytes after the terminator carry no meaning and are written as zeros.
    LevelBytes junk;
    junk.i32(CLevel::GAME_LEVEL_ID).raw(std::string("Hi\0xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 33)).layer(5).layer(5);
    junk.i32(0).i32(0).i32(0).i32(0).i32(4).i32(0);
    ASSERT_TRUE(loadBytes(back, junk.str()));
    EXPECT_STREQ(back.GetHeadingText(), "Hi");
    EXPECT_EQ(encode(back).substr(OFFSET_HEADING, 33), std::string("Hi") + std::string(31, '\0'));
}

TEST_F(LevelFile, FilesInTheLevelsFolder)
{
    CLevel level;
    level.SetTile(DEVICE_TUBE_START, 1, 1);
    ASSERT_TRUE(level.SaveAs("myfile", "My heading"));
    EXPECT_EQ(pathOf("myfile"), std::string(GetLevelsDirectory()) + "myfile.lvl");

    char* heading = CLevel::GetHeading("myfile");
    EXPECT_STREQ(heading, "My heading");
    delete[] heading;
    heading = CLevel::GetHeading("missing");
    EXPECT_STREQ(heading, "");
    delete[] heading;

    EXPECT_GT(CLevel::GetFileTime("myfile"), 0);
    EXPECT_EQ(CLevel::GetFileTime("missing"), 0);

    CLevel loaded;
    EXPECT_FALSE(loaded.Load("missing"));
    EXPECT_STREQ(loaded.GetName(), "");

    CLevel::Remove("myfile");
    EXPECT_FALSE(testsupport::fileExists(pathOf("myfile")));
    CLevel::Remove("myfile"); // already gone: only logged
}

TEST_F(LevelFile, NamesCannotLeaveTheLevelsFolder)
{
    CLevel level;
    EXPECT_FALSE(level.SaveAs("../escape", "x"));
    EXPECT_FALSE(testsupport::fileExists(std::string(GetLevelsDirectory()) + "../escape.lvl"));
    EXPECT_FALSE(level.SaveAs("", "x"));
    EXPECT_FALSE(level.Load("../escape"));
    EXPECT_FALSE(CLevel::IsValidFileName(".."));
    EXPECT_FALSE(CLevel::IsValidFileName("a\\b"));
    EXPECT_TRUE(CLevel::IsValidFileName("reg001"));

    // Names are cut to 16 characters when set ...
    level.SetName("abcdefghijklmnopqrstuvwxyz");
    EXPECT_STREQ(level.GetName(), "abcdefghijklmnop");
    // ... and when reading: 16 characters stay whole, 17 lose the last.
    level.SetHeadingText("Named");
    std::string bytes = encode(level);
    CLevel back;
    EXPECT_TRUE(loadBytes(back, bytes, "abcdefghijklmnop"));
    EXPECT_STREQ(back.GetName(), "abcdefghijklmnop");
    EXPECT_TRUE(loadBytes(back, bytes, "abcdefghijklmnopq"));
    EXPECT_STREQ(back.GetName(), "abcdefghijklmnop");
    EXPECT_STREQ(back.GetHeadingText(), "Named");
    EXPECT_TRUE(loadBytes(back, bytes, "abcdefghijklmnop_and_much_more_than_that"));
    EXPECT_STREQ(back.GetName(), "abcdefghijklmnop");
    EXPECT_TRUE(loadBytes(back, bytes, "abcdefghijklmno"));
    EXPECT_STREQ(back.GetName(), "abcdefghijklmno");
}

TEST_F(LevelFile, RefusedSaveAsKeepsTheOldName)
{
    CLevel level;
    ASSERT_TRUE(level.SaveAs("mine", "Mine"));
    EXPECT_FALSE(level.SaveAs("../escape", "Elsewhere"));
    EXPECT_STREQ(level.GetName(), "mine");
    EXPECT_FALSE(level.SaveAs("", "Nowhere"));
    EXPECT_STREQ(level.GetName(), "mine");
    // Saving again goes to the file it came from, not to a refused name.
    level.SetTile(TERRAIN_ICE, 2, 2);
    ASSERT_TRUE(level.Save());
    CLevel back;
    ASSERT_TRUE(back.Load("mine"));
    EXPECT_EQ(back.GetTile(2, 2), TERRAIN_ICE);
    // A name that is accepted is kept.
    ASSERT_TRUE(level.SaveAs("yours", "Yours"));
    EXPECT_STREQ(level.GetName(), "yours");
}

TEST_F(LevelFile, SavingReplacesTheFileWithoutLeftovers)
{
    CLevel level;
    level.SetTile(TERRAIN_GRASS, 0, 23);
    ASSERT_TRUE(level.SaveAs("keep", "First"));
    chmod(pathOf("keep").c_str(), 0640);

    level.SetTile(TERRAIN_SAND, 1, 23);
    ASSERT_TRUE(level.SaveAs("keep", "Second"));
    struct stat st;
    ASSERT_EQ(stat(pathOf("keep").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_TRUE(leftovers().empty());

    CLevel back;
    ASSERT_TRUE(back.Load("keep"));
    EXPECT_STREQ(back.GetHeadingText(), "Second");
    EXPECT_EQ(back.GetTile(1, 23), TERRAIN_SAND);
}

TEST_F(LevelFile, FailedSaveKeepsTheOldLevel)
{
    CLevel level;
    level.SetHeadingText("Old level");
    ASSERT_TRUE(level.SaveAs("precious", "Old level"));
    const std::string before = bytesOf("precious");

    // In a child process the file size limit makes every write past 100
    // bytes fail, as a full disk would. The child checks the folder itself.
    EXPECT_EXIT(exit(saveUnderSizeLimit(before)), ::testing::ExitedWithCode(0), "");
}

TEST_F(LevelFile, RealLevelsSurviveASaveAndLoad)
{
    CLevel level;
    level.SetHeadingText("Everything");
    level.SetBackground(6);
    level.SetTile(DEVICE_TUBE_START, 1, 20);
    level.SetTile(DEVICE_TUBE_END, 30, 20);
    for (int x = 0; x < 32; ++x)
        level.SetTile(TERRAIN_GRASS, x, 21);
    level.SetLadder(LADDER, 5, 18);
    level.SetLadder(LADDER, 5, 19);
    level.SetTile(PLATFORM, 5, 18);
    level.SetTile(POWERUP_TELEPORT, 9, 20);
    level.SetTile(BOT_LEFT, 12, 20);
    level.SetCellFlags(CELL_FROZEN, 12, 20);
    level.SetTeleport(DEVICE_LTELEPORT_Y, -1, 3);
    level.SetTeleport(DEVICE_LTELEPORT_Y, 31, 3);
    level.SetTile(TUTORIAL, 3, 20);
    char* text = new char[12];
    strcpy(text, "Walk%nright");
    level.SetTutorialText(3, 20, text);
    level.AddReplayKey(3, 275, false);
    level.SetSolutionRecorded();
    ASSERT_TRUE(level.SaveAs("roundtrip", "Everything"));

    CLevel back;
    ASSERT_TRUE(back.Load("roundtrip"));
    EXPECT_EQ(encode(back), encode(level));
    EXPECT_EQ(back.GetTeleportPowerupCount(), 1);
    EXPECT_EQ(back.GetTeleportTypeRecord(1).size(), 2u);
    EXPECT_EQ(back.GetTeleportTypeRecord(1)[0].w, 1);
    EXPECT_EQ(back.FindTeleportType(-1, 3), 1);
    EXPECT_EQ(back.GetBackground(), 6);
}
