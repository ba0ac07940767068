// The level analysis: the board graph and the figures read off it, the
// bypass searches, the fingerprints and the figures file.
#include <set>

#include "Analysis.h"
#include "Explorer.h"
#include "Fingerprint.h"
#include "LevelFigures.h"
#include "LevelRun.h"
#include "LevelToolsSupport.h"

using leveltest::levelSource;
using leveltest::readLevel;
using levelpack::LevelFigures;

namespace {

// A crate must fill the hole: pushed right it drops in, and the professor
// walks over it. Without it he drops into the hole for good.
const std::vector<std::string> kCrateHole = {".@c...$.", "####.###", "########"};
// A ladder over a pit: R R U U R R; walking on at the foot of the ladder
// drops him into the pit.
const std::vector<std::string> kLadderPit = {".....$..", "....####", ".@......", "####.###", "########"};
const char kLadder[] = "ladder 3 19 3\n";

class LevelAnalysis : public leveltest::HeadlessTest {
protected:
    solve::Analysis analyse(const std::vector<std::string>& rows, const std::string& extra = "", bool objects = true)
    {
        const std::string source = levelSource(rows, extra);
        solve::AnalysisLimits limits;
        limits.graph.maxBoards = 5000;
        limits.bypass.maxBoards = 5000;
        limits.objects = objects;
        return solve::analyseLevel([&](CLevel& level) { readLevel(level, source); }, limits);
    }

    solve::BoardGraph explore(const std::vector<std::string>& rows, const std::string& extra, int jobs,
                              long maxBoards = 5000)
    {
        CLevel level;
        readLevel(level, levelSource(rows, extra));
        solve::ExploreLimits limits;
        limits.jobs = jobs;
        limits.maxBoards = maxBoards;
        return solve::explore(level, limits);
    }
};

} // namespace

TEST_F(LevelAnalysis, ALadderOverAPitHasADeadEndAndALosingMoveBesideItsSolution)
{
    solve::Analysis a = analyse(kLadderPit, kLadder);
    const LevelFigures& f = a.figures;
    EXPECT_EQ(f.stop, "complete");
    EXPECT_EQ(f.solution, 6);
    EXPECT_EQ(levelpack::formatMoveScript(a.graph.solution()), "R2 U2 R2\n");
    EXPECT_GE(f.dead, 1);
    EXPECT_LT(f.dead, f.boards);
    // At the foot of the ladder, walking on drops him into the pit.
    ASSERT_EQ(a.losing.size(), 1u);
    EXPECT_EQ(a.losing[0].step, 2);
    EXPECT_EQ(levelpack::moveToken(a.losing[0].move), "R");
    EXPECT_EQ(a.losing[0].outcome, solve::Outcome::Board);
    EXPECT_EQ(f.losing, 1);
    EXPECT_EQ(f.oneWay, "right");
    EXPECT_EQ(f.oneKey, '-');
}

TEST_F(LevelAnalysis, AWalkIsWonByOneKeyAndHasNoDeadEnd)
{
    solve::Analysis right = analyse({".@....$.", "########"});
    EXPECT_EQ(right.figures.oneKey, 'R');
    EXPECT_EQ(right.figures.oneWay, "right");
    EXPECT_EQ(right.figures.dead, 0);
    EXPECT_EQ(right.figures.losing, 0);
    solve::Analysis left = analyse({".$....@.", "########"});
    EXPECT_EQ(left.figures.oneKey, 'L');
    EXPECT_EQ(left.figures.oneWay, "left");
}

TEST_F(LevelAnalysis, AHoleEndsTheLevelLostAndTheCrateThatFillsItIsNeeded)
{
    solve::Analysis a = analyse(kCrateHole);
    EXPECT_EQ(a.figures.solution, 5);
    EXPECT_EQ(a.figures.oneKey, 'R');
    ASSERT_EQ(a.figures.objects.size(), 1u);
    EXPECT_EQ(a.figures.objects[0].tile, 'c');
    EXPECT_EQ(a.figures.objects[0].x, 2);
    EXPECT_EQ(a.figures.objects[0].y, 21);
    EXPECT_EQ(a.figures.objects[0].verdict, "needed");
    // A second crate beyond the exit is bypassed.
    std::vector<std::string> extra = kCrateHole;
    extra[0] = ".@c...$.C";
    extra[1] = "####.####";
    solve::Analysis b = analyse(extra);
    ASSERT_EQ(b.figures.objects.size(), 2u);
    EXPECT_EQ(b.figures.objects[0].verdict, "needed");
    EXPECT_EQ(b.figures.objects[1].tile, 'C');
    EXPECT_EQ(b.figures.objects[1].verdict, "bypassed");
}

TEST_F(LevelAnalysis, APickupOnTheOnlyWayIsNeededAndOneBehindIsADecoy)
{
    solve::Analysis a = analyse({"1.@..5..$.", "##########"}, "", false);
    ASSERT_EQ(a.figures.pickups.size(), 2u);
    EXPECT_EQ(a.figures.pickups[0].tile, '1');
    EXPECT_EQ(a.figures.pickups[0].verdict, "decoy");
    EXPECT_EQ(a.figures.pickups[1].tile, '5');
    EXPECT_EQ(a.figures.pickups[1].x, 5);
    EXPECT_EQ(a.figures.pickups[1].verdict, "needed");
    EXPECT_TRUE(a.figures.objects.empty());
}

TEST_F(LevelAnalysis, ALevelWithoutAnEntranceFailsWithoutFigures)
{
    solve::Analysis a = analyse({"......$.", "########"});
    EXPECT_EQ(a.figures.stop, "failed");
    EXPECT_EQ(a.figures.boards, 0);
    EXPECT_EQ(a.figures.solution, -1);
    EXPECT_TRUE(a.graph.failed);
}

TEST_F(LevelAnalysis, TheGraphIsTheSameWithAnyNumberOfJobs)
{
    solve::BoardGraph one = explore(kLadderPit, kLadder, 1);
    solve::BoardGraph three = explore(kLadderPit, kLadder, 3);
    ASSERT_TRUE(one.complete);
    ASSERT_EQ(one.boards.size(), three.boards.size());
    for (size_t b = 0; b < one.boards.size(); ++b) {
        EXPECT_EQ(one.boards[b].hash, three.boards[b].hash) << b;
        EXPECT_EQ(one.boards[b].parent, three.boards[b].parent) << b;
    }
    ASSERT_EQ(one.edges.size(), three.edges.size());
    for (size_t e = 0; e < one.edges.size(); ++e) {
        EXPECT_EQ(one.edges[e].to, three.edges[e].to) << e;
        EXPECT_EQ(one.edges[e].outcome, three.edges[e].outcome) << e;
    }
}

TEST_F(LevelAnalysis, EveryBoardIsWhatItsMovesGiveWhenPlayedFromTheStart)
{
    // Crates, a barrel and ice: boards reached through restored ancestors
    // must be the boards a fresh play of their moves reaches.
    const std::vector<std::string> rows = {".@.c....o.....$.", "######.~~~~~####", "################"};
    CLevel level;
    readLevel(level, levelSource(rows));
    solve::BoardGraph g = explore(rows, "", 1);
    ASSERT_TRUE(g.complete);
    ASSERT_GT(g.boards.size(), 20u);
    EXPECT_EQ(g.mismatched, 0);
    for (size_t b = 0; b < g.boards.size(); b += 3) {
        levelpack::LevelRun run(level, false, false);
        std::string why;
        ASSERT_TRUE(run.waitForRest(why));
        for (const levelpack::Move& m : g.pathTo(static_cast<int>(b)))
            ASSERT_TRUE(run.play(m, why)) << why;
        EXPECT_EQ(run.restHash(), g.boards[b].hash) << levelpack::formatMoveScript(g.pathTo(static_cast<int>(b)));
    }
}

TEST_F(LevelAnalysis, TheBoardBoundStopsTheGraphOneBoardShort)
{
    solve::BoardGraph whole = explore(kLadderPit, kLadder, 1);
    ASSERT_TRUE(whole.complete);
    const long n = static_cast<long>(whole.boards.size());
    solve::BoardGraph exact = explore(kLadderPit, kLadder, 1, n);
    EXPECT_TRUE(exact.complete);
    solve::BoardGraph cut = explore(kLadderPit, kLadder, 1, n - 1);
    EXPECT_FALSE(cut.complete);
    EXPECT_EQ(cut.stopReason, "boards");
    EXPECT_EQ(static_cast<long>(cut.boards.size()), n - 1);
    // Boards not expanded are not counted dead.
    LevelFigures f;
    std::vector<solve::LosingMove> losing;
    solve::analyseGraph(cut, f, losing);
    EXPECT_EQ(f.stop, "boards");
    LevelFigures all;
    solve::analyseGraph(whole, all, losing);
    EXPECT_LE(f.dead, all.dead);
}

TEST_F(LevelAnalysis, FingerprintsFollowTheBoardTheMovesAndNothingElse)
{
    CLevel level, same, moved;
    readLevel(level, levelSource(kLadderPit, kLadder));
    readLevel(same, levelSource(kLadderPit, kLadder + std::string("# idea: another idea\n")));
    std::vector<std::string> rows = kLadderPit;
    rows[3][4] = '#'; // the pit filled
    readLevel(moved, levelSource(rows, kLadder));
    const std::vector<levelpack::Move> script = leveltest::script("R2 U2 R2");
    const std::string source = solve::sourceFingerprint(level, script);
    EXPECT_EQ(source.size(), 16u);
    EXPECT_EQ(solve::sourceFingerprint(same, script), source);
    EXPECT_NE(solve::sourceFingerprint(moved, script), source);
    EXPECT_NE(solve::sourceFingerprint(level, leveltest::script("R2 U2 R2 W")), source);

    const std::string rules = solve::rulesFingerprint(level, script);
    EXPECT_EQ(rules.size(), 16u);
    EXPECT_EQ(solve::rulesFingerprint(level, script), rules);
    EXPECT_EQ(solve::rulesFingerprint(level, leveltest::script("R2 U2 R")), "failed");
    EXPECT_EQ(solve::rulesFingerprint(level, leveltest::script("R3")), "failed");
}

TEST(LevelFiguresFile, ALineReadsBackAsWrittenAndABrokenOneIsRefused)
{
    LevelFigures f;
    f.name = "reg001";
    f.source = "0123456789abcdef";
    f.rules = "fedcba9876543210";
    f.boards = 1234;
    f.stop = "boards";
    f.solution = 42;
    f.dead = 600;
    f.losing = 7;
    f.oneWay = "?";
    f.oneKey = 'L';
    f.pickups = {{'6', 12, 5, "decoy"}, {'1', 0, 23, "needed"}};
    f.objects = {{'T', -1, 4, "?"}};
    const std::string line = levelpack::formatFigures(f);
    LevelFigures back;
    std::string error;
    ASSERT_TRUE(levelpack::parseFigures(line, back, error)) << error;
    EXPECT_EQ(levelpack::formatFigures(back), line);
    EXPECT_EQ(back.pickups[0].x, 12);
    EXPECT_EQ(back.objects[0].x, -1);
    EXPECT_NEAR(back.deadShare(), 600.0 / 1234, 1e-12);

    for (const std::string& broken :
         {std::string("reg001"), line.substr(0, line.find(" dead=")), line + " stray", line + " boards=many"}) {
        LevelFigures ignored;
        EXPECT_FALSE(levelpack::parseFigures(broken, ignored, error)) << broken;
    }
    size_t pickups = line.find("pickups=");
    std::string badItem = line.substr(0, pickups) + "pickups=6@12:decoy" + line.substr(line.find(" objects="));
    EXPECT_FALSE(levelpack::parseFigures(badItem, back, error));
}
