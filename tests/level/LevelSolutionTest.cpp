#include <gtest/gtest.h>

#include "level/Level.h"

namespace {

void addKeys(CLevel& level, std::initializer_list<int> frames)
{
    for (int frame : frames)
        level.AddReplayKey(frame, 275 + frame % 2, frame % 2 == 1);
}

} // namespace

TEST(LevelSolution, EmptySolutionEndsReplayAtOnce)
{
    CLevel level;
    ReplayKey key = level.GetReplayKey();
    EXPECT_EQ(key.frame, -1);
    EXPECT_EQ(key.key, 0);
    EXPECT_FALSE(key.released);
    EXPECT_FALSE(level.AdvanceReplay());
    EXPECT_EQ(level.GetReplayPosition(), -1);
    EXPECT_EQ(level.GetReplayKey().frame, -1);
}

TEST(LevelSolution, ReplayStopsOnTheLastKey)
{
    CLevel level;
    addKeys(level, {1, 4, 9});
    EXPECT_FALSE(level.IsModified()); // adding keys does not modify the level
    EXPECT_EQ(level.GetReplayKey().frame, 1);
    EXPECT_TRUE(level.AdvanceReplay());
    EXPECT_TRUE(level.AdvanceReplay());
    EXPECT_EQ(level.GetReplayKey().frame, 9);
    EXPECT_FALSE(level.AdvanceReplay());
    EXPECT_FALSE(level.AdvanceReplay());
    EXPECT_EQ(level.GetReplayKey().frame, 9);
    EXPECT_TRUE(level.GetReplayKey().released);
    level.ResetReplay();
    EXPECT_EQ(level.GetReplayKey().frame, 1);
}

TEST(LevelSolution, RecordedFlagAndModified)
{
    CLevel level;
    addKeys(level, {1, 2});
    EXPECT_FALSE(level.IsSolutionRecorded());
    level.ClearSolution(); // not recorded: modified stays as it was
    EXPECT_FALSE(level.IsModified());
    EXPECT_TRUE(level.GetSolution().empty());

    addKeys(level, {1, 2});
    level.SetSolutionRecorded();
    EXPECT_TRUE(level.IsSolutionRecorded());
    EXPECT_TRUE(level.IsModified());
    level.SetModified(false);
    level.ClearSolution(); // a recorded solution dropped: modified
    EXPECT_TRUE(level.IsModified());
    EXPECT_FALSE(level.IsSolutionRecorded());

    level.Clear();
    EXPECT_FALSE(level.IsModified());
}

TEST(LevelSolution, EraseReplayAfterCutsFromTheFirstLaterKey)
{
    CLevel level;
    addKeys(level, {10, 50, 60});
    level.EraseReplayAfter(50);
    ASSERT_EQ(level.GetSolution().size(), 1u);
    EXPECT_EQ(level.GetSolution()[0].frame, 10);

    level.EraseReplayAfter(11); // nothing at or after 11 any more
    EXPECT_EQ(level.GetSolution().size(), 1u);
    level.EraseReplayAfter(-5);
    EXPECT_TRUE(level.GetSolution().empty());

    // Out of order: everything from the first qualifying key goes.
    addKeys(level, {5, 30, 7});
    level.EraseReplayAfter(20);
    EXPECT_EQ(level.GetSolution().size(), 1u);
    level.DumpSolution();
}
