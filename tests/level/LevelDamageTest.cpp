// Damaged and hostile level files: reading stops at the damage, keeps what
// was read before it, and never writes outside the level's tables.
#include <gtest/gtest.h>

#include <cstring>

#include "level/Level.h"
#include "level/LevelBytes.h"

using namespace leveltest;

namespace {

// A full level with something in every section, to cut and spoil.
std::string richLevel()
{
    CLevel level;
    level.SetHeadingText("Rich");
    level.SetLadder(LADDER, 0, 0);
    level.SetLadder(LADDER, 31, 23);
    level.SetTile(OBJECT_WCRATE, 0, 0);
    level.SetTile(TERRAIN_GRASS, 31, 23);
    level.SetTeleport(DEVICE_LTELEPORT_B, 2, 2);
    level.SetTeleport(DEVICE_LTELEPORT_B, 9, 2);
    level.SetTile(TUTORIAL, 4, 4);
    char* text = new char[4];
    strcpy(text, "Tip");
    level.SetTutorialText(4, 4, text);
    level.SetBackground(2);
    level.AddReplayKey(5, 276, false);
    level.AddReplayKey(8, 276, true);
    return encode(level);
}

// Offsets inside richLevel().
const size_t kTutorialCount = OFFSET_TELEPORTS + 4 + 16 + 4 + 4;
const size_t kBackground = kTutorialCount + 4 + 12 + 3;
const size_t kSolutionCount = kBackground + 4;

std::string withInt(std::string bytes, size_t offset, int32_t value)
{
    LevelBytes b;
    b.i32(value);
    bytes.replace(offset, 4, b.str());
    return bytes;
}

} // namespace

TEST(LevelDamage, EveryTruncationStopsAndKeepsTheStart)
{
    const std::string full = richLevel();
    CLevel complete;
    ASSERT_TRUE(loadBytes(complete, full));
    ASSERT_EQ(i32At(full, kSolutionCount), 2);

    for (size_t length = 0; length < full.size(); ++length) {
        CLevel level;
        EXPECT_FALSE(loadBytes(level, full.substr(0, length))) << length;
        EXPECT_FALSE(level.IsModified());
        // What lies wholly before the cut was kept.
        if (length >= OFFSET_LADDERS + 4) {
            EXPECT_EQ(level.GetLadder(0, 0), LADDER) << length;
        }
        if (length >= OFFSET_TILES + 4) {
            EXPECT_EQ(level.GetTile(0, 0), OBJECT_WCRATE) << length;
        }
        if (length < OFFSET_TELEPORTS) {
            EXPECT_EQ(level.GetTile(31, 23), NONE) << length;
        }
        EXPECT_EQ(level.GetBackground(), length >= kBackground + 4 ? 2 : 4) << length;
    }

    // Cut in the middle of the solution: the first key is kept.
    CLevel level;
    EXPECT_FALSE(loadBytes(level, full.substr(0, full.size() - 6)));
    ASSERT_EQ(level.GetSolution().size(), 1u);
    EXPECT_TRUE(level.IsSolutionRecorded());
}

TEST(LevelDamage, BadTeleportCountsAndCellsStopReading)
{
    const std::string full = richLevel();
    for (int32_t count : {-1, -2147483647 - 1, 793, 1000000000}) {
        CLevel level;
        EXPECT_FALSE(loadBytes(level, withInt(full, OFFSET_TELEPORTS, count))) << count;
        EXPECT_TRUE(level.GetTeleportTypeRecord(0).empty());
        EXPECT_EQ(level.GetTile(31, 23), TERRAIN_GRASS); // the layers were read
        EXPECT_EQ(level.GetTutorialText(4, 4), nullptr);
        EXPECT_EQ(level.GetBackground(), 4);
    }

    // The second end off the board: the first end is kept.
    for (auto cell : {std::pair<int, int>{32, 2}, {-2, 2}, {3, 24}, {3, -1}}) {
        std::string bytes = withInt(full, OFFSET_TELEPORTS + 12, cell.first);
        bytes = withInt(bytes, OFFSET_TELEPORTS + 16, cell.second);
        CLevel level;
        EXPECT_FALSE(loadBytes(level, bytes));
        ASSERT_EQ(level.GetTeleportTypeRecord(0).size(), 1u);
        EXPECT_EQ(level.GetTeleportTypeRecord(0)[0].x, 2);
    }

    // x = -1 and x = 31 are both on the board for an end.
    std::string edge = withInt(full, OFFSET_TELEPORTS + 4, -1);
    edge = withInt(edge, OFFSET_TELEPORTS + 12, 31);
    CLevel level;
    EXPECT_TRUE(loadBytes(level, edge));
    EXPECT_EQ(level.FindTeleportType(-1, 2), 0);
    EXPECT_EQ(level.FindTeleportType(31, 2), 0);
}

TEST(LevelDamage, BadTutorialRecordsStopReading)
{
    const std::string full = richLevel();
    const size_t record = kTutorialCount + 4;
    struct Case {
        size_t offset;
        int32_t value;
    };
    const Case cases[] = {
        {kTutorialCount, -1},     {kTutorialCount, 769},      {kTutorialCount, 5}, // more records than there are
        {record, 32},             {record, -1},               {record + 4, 24},
        {record + 4, -5},         {record + 8, -1},           {record + 8, 4097},
        {record + 8, 2000000000}, {record + 8, 100},
    };
    for (const Case& c : cases) {
        CLevel level;
        EXPECT_FALSE(loadBytes(level, withInt(full, c.offset, c.value))) << c.offset << " " << c.value;
        EXPECT_EQ(level.GetTeleportTypeRecord(0).size(), 2u);
        EXPECT_EQ(level.GetBackground(), 4);
        EXPECT_FALSE(level.IsSolutionRecorded());
    }
    // A second record for the same cell replaces the first text.
    LevelBytes twice;
    twice.emptyUpToSolution(CLevel::GAME_LEVEL_ID);
    std::string bytes = twice.str().substr(0, twice.size() - 8);
    LevelBytes tail;
    tail.i32(2).i32(1).i32(1).i32(1).raw("a").i32(1).i32(1).i32(2).raw("bc").i32(4).i32(0);
    CLevel level;
    EXPECT_TRUE(loadBytes(level, bytes + tail.str()));
    EXPECT_STREQ(level.GetTutorialText(1, 1), "bc");
}

TEST(LevelDamage, BadSolutionCountsAndBackgrounds)
{
    const std::string full = richLevel();
    CLevel level;
    EXPECT_FALSE(loadBytes(level, withInt(full, kSolutionCount, -1)));
    EXPECT_FALSE(level.IsSolutionRecorded());
    EXPECT_EQ(level.GetBackground(), 2);

    // A count larger than the keys present keeps the keys that are there;
    // a count beyond any real recording reads none.
    EXPECT_FALSE(loadBytes(level, withInt(full, kSolutionCount, 1000000)));
    EXPECT_EQ(level.GetSolution().size(), 2u);
    EXPECT_FALSE(loadBytes(level, withInt(full, kSolutionCount, 2147483647)));
    EXPECT_TRUE(level.GetSolution().empty());

    // A background picture that does not exist becomes the default one; the
    // rest of the file is still read.
    for (int32_t background : {-1, 8, 99}) {
        EXPECT_TRUE(loadBytes(level, withInt(full, kBackground, background)));
        EXPECT_EQ(level.GetBackground(), 4);
        EXPECT_EQ(level.GetSolution().size(), 2u);
    }
    EXPECT_TRUE(loadBytes(level, withInt(full, kBackground, 7)));
    EXPECT_EQ(level.GetBackground(), 7);
}

TEST(LevelDamage, OddTileEntriesStayInsideTheLevel)
{
    LevelBytes odd;
    odd.i32(CLevel::GAME_LEVEL_ID).heading("Odd").layer(-1);
    for (int i = 0; i < 768; ++i)
        odd.i32(i % 3 == 0 ? -1 : (i % 3 == 1 ? 3072 + 25 : 2147483647));
    odd.i32(0).i32(0).i32(0).i32(0).i32(4).i32(0);
    CLevel level;
    ASSERT_TRUE(loadBytes(level, odd.str()));
    EXPECT_TRUE(level.HasLadder(0, 0));
    EXPECT_EQ(level.GetCellFlags(0, 0), CELL_FROZEN);
    EXPECT_EQ(level.GetTile(0, 0), -1 - 1024);
    EXPECT_EQ(level.GetTile(0, 1), 2048 + 25);
    EXPECT_STREQ(CLevel::GetTypeName(level.GetTile(0, 1)), "***Unknown***");
    // Written back, every entry is what was read.
    EXPECT_EQ(encode(level).substr(OFFSET_LADDERS), odd.str().substr(OFFSET_LADDERS));
}

TEST(LevelDamage, EmptyAndMissingStreams)
{
    CLevel level;
    EXPECT_FALSE(level.Load(static_cast<FILE*>(nullptr), "none"));
    EXPECT_FALSE(loadBytes(level, std::string("\x04\x20", 2)));
    EXPECT_EQ(level.GetVersion(), 0);
}
