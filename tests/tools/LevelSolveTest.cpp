// The solver: shortest scripts, a level without a way out searched to the
// end, and the bounds on depth and boards on each side.
#include "LevelToolsSupport.h"
#include "Search.h"

using leveltest::levelSource;
using leveltest::readLevel;

namespace {

class LevelSolve : public leveltest::HeadlessTest {
protected:
    solve::Result run(const std::vector<std::string>& rows, const solve::Limits& limits, const std::string& extra = "")
    {
        CLevel level;
        readLevel(level, levelSource(rows, extra));
        return solve::search(level, limits);
    }
    static solve::Limits limits(int depth = 20, long states = 10000)
    {
        solve::Limits l;
        l.maxDepth = depth;
        l.maxStates = states;
        l.maxSeconds = 60;
        l.jobs = 2;
        return l;
    }
};

// Three cells to walk; a ladder offers a longer way round.
const std::vector<std::string> kShort = {"......", ".@..$.", "######"};
const char kLadder[] = "ladder 2 21 2\n";

} // namespace

TEST_F(LevelSolve, TheShortestScriptIsFoundAndReplaysToTheExit)
{
    solve::Result result = run(kShort, limits(), kLadder);
    ASSERT_TRUE(result.found) << result.stopReason;
    EXPECT_EQ(levelpack::formatMoveScript(result.moves), "R3\n");
    EXPECT_EQ(result.depth, 2); // layers 0 and 1 held no solution
    EXPECT_GE(result.states, 3);
}

TEST_F(LevelSolve, TheDepthBoundStopsOneMoveShortAndFindsItAtTheLength)
{
    solve::Result shortBound = run(kShort, limits(2), kLadder);
    EXPECT_FALSE(shortBound.found);
    EXPECT_FALSE(shortBound.exhausted);
    EXPECT_EQ(shortBound.stopReason, "depth");
    solve::Result exact = run(kShort, limits(3), kLadder);
    EXPECT_TRUE(exact.found);
}

TEST_F(LevelSolve, TheBoardBoundStopsTheSearch)
{
    solve::Result tight = run(kShort, limits(20, 1), kLadder);
    EXPECT_FALSE(tight.found);
    EXPECT_EQ(tight.stopReason, "states");
    solve::Result roomy = run(kShort, limits(20, 1000), kLadder);
    EXPECT_TRUE(roomy.found);
}

TEST_F(LevelSolve, AWalledOffExitIsProvedUnreachable)
{
    solve::Result result = run({".@.#$.", ".#####"}, limits());
    EXPECT_FALSE(result.found);
    EXPECT_TRUE(result.exhausted);
    EXPECT_EQ(result.stopReason, "exhausted");
    // Standing at 1 and at 2, facing either way at most (a step left falls
    // off the board).
    EXPECT_LE(result.states, 4);
}
