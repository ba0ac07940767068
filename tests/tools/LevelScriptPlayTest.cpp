// Move scripts played through the real play screen: the keys recorded, the
// moves a failure is blamed on, and the replay check that must fail on a
// broken copy of a solved level.
#include <cstdio>

#include "LevelRun.h"
#include "LevelToolsSupport.h"
#include "ReplayCheck.h"
#include "ui/CController.h"
#include "play/CControllerGame.h"
#include "level/LevelSet.h"

using leveltest::levelSource;
using leveltest::readLevel;
using leveltest::script;

namespace {

// The professor at (1,22), the exit tube four cells to his right.
const std::vector<std::string> kWalk = {".@...$", "######"};

class LevelScriptPlay : public leveltest::HeadlessTest {
protected:
    // A copy of the level as the archive holds it.
    static void copyLevel(CLevel& from, CLevel& to)
    {
        std::vector<uint8_t> bytes = from.Encode(CLevel::GAME_LEVEL_ID);
        FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
        ASSERT_TRUE(stream);
        ASSERT_TRUE(to.Load(stream, from.GetName()));
        fclose(stream);
    }
};

} // namespace

TEST_F(LevelScriptPlay, AScriptToTheExitRecordsOnePressAndReleasePerMove)
{
    CLevel level;
    readLevel(level, levelSource(kWalk));
    levelpack::ScriptResult result = levelpack::playScript(level, script("R4"));
    EXPECT_TRUE(result.exited) << result.why;
    EXPECT_EQ(result.failedMove, -1);
    EXPECT_EQ(result.steps, 4);
    const std::vector<ReplayKey>& keys = level.GetSolution();
    ASSERT_EQ(keys.size(), 8u);
    for (size_t i = 0; i < keys.size(); i += 2) {
        EXPECT_EQ(keys[i].key, CControllerGame::SOLUTION_RIGHT);
        EXPECT_FALSE(keys[i].released);
        EXPECT_TRUE(keys[i + 1].released);
        // Held for exactly one frame.
        EXPECT_EQ(keys[i + 1].frame, keys[i].frame + 1);
        if (i > 0) {
            EXPECT_GT(keys[i].frame, keys[i - 1].frame);
        }
    }
    EXPECT_GT(keys[0].frame, 1); // not before the professor has left the tube
}

TEST_F(LevelScriptPlay, AScriptOneMoveShortEndsWithTheLevelRunning)
{
    CLevel level;
    readLevel(level, levelSource(kWalk));
    levelpack::ScriptResult result = levelpack::playScript(level, script("R3"));
    EXPECT_FALSE(result.exited);
    EXPECT_EQ(result.failedMove, 3);
    EXPECT_NE(result.why.find("still running"), std::string::npos) << result.why;
    EXPECT_NE(result.why.find("(4,22)"), std::string::npos) << result.why;
}

TEST_F(LevelScriptPlay, MovesAfterTheExitAreBlamedOnTheMoveThatExited)
{
    CLevel level;
    readLevel(level, levelSource(kWalk));
    levelpack::ScriptResult result = levelpack::playScript(level, script("R4 L"));
    EXPECT_FALSE(result.exited);
    EXPECT_EQ(result.failedMove, 3);
    EXPECT_NE(result.why.find("1 moves before"), std::string::npos) << result.why;
}

TEST_F(LevelScriptPlay, AFallOffTheBoardNamesTheMoveAndTheOutcome)
{
    CLevel level;
    readLevel(level, levelSource({".@...$", ".#####"}));
    levelpack::ScriptResult result = levelpack::playScript(level, script("L R4"));
    EXPECT_FALSE(result.exited);
    EXPECT_EQ(result.failedMove, 0);
    EXPECT_EQ(result.why.compare(0, 6, "fallen"), 0) << result.why;
}

TEST_F(LevelScriptPlay, TheTurnAndPowerupTokensPressTheirOwnKeys)
{
    // A crate power-up on the way: collected, then placed behind him.
    CLevel level;
    readLevel(level, levelSource({".@.1...$", "########"}));
    levelpack::ScriptResult result = levelpack::playScript(level, script("R2 A P1 A R4"));
    EXPECT_TRUE(result.exited) << result.why;
    int turns = 0;
    int slot = 0;
    for (const ReplayKey& key : level.GetSolution()) {
        turns += key.key == CControllerGame::SOLUTION_ACTION ? 1 : 0;
        slot += key.key == CControllerGame::SOLUTION_SLOT1 ? 1 : 0;
    }
    EXPECT_EQ(turns, 4);
    EXPECT_EQ(slot, 2);
}

TEST_F(LevelScriptPlay, TheReplayCheckPassesTheRecordingAndFailsABrokenCopy)
{
    CLevel level;
    readLevel(level, levelSource(kWalk));
    levelpack::ScriptResult result = levelpack::playScript(level, script("R4"));
    ASSERT_TRUE(result.exited) << result.why;

    CLevel intact;
    copyLevel(level, intact);
    levelpack::CheckVerdict verdict = levelpack::checkReplay(intact, result.steps);
    EXPECT_TRUE(verdict.passed) << verdict.problem;
    EXPECT_EQ(verdict.outcome, "exited");
    EXPECT_EQ(verdict.steps, result.steps);
    EXPECT_EQ(verdict.frames, result.frames);

    // One recorded key removed: the first press of right.
    CLevel lostKey;
    copyLevel(level, lostKey);
    std::vector<ReplayKey> keys = lostKey.GetSolution();
    lostKey.ClearSolution();
    for (size_t i = 1; i < keys.size(); ++i)
        lostKey.AddReplayKey(keys[i].frame, keys[i].key, keys[i].released);
    verdict = levelpack::checkReplay(lostKey, result.steps);
    EXPECT_FALSE(verdict.passed);
    EXPECT_EQ(verdict.outcome, "not ended");

    // A crate moved into the walkway, against the exit tube.
    CLevel movedCrate;
    copyLevel(level, movedCrate);
    movedCrate.SetTile(25, 4, 22);
    verdict = levelpack::checkReplay(movedCrate, result.steps);
    EXPECT_FALSE(verdict.passed);
    EXPECT_NE(verdict.problem.find("instead of exited"), std::string::npos) << verdict.problem;
}

TEST_F(LevelScriptPlay, TheReplayCheckHoldsTheStepCountToTheRecording)
{
    CLevel level;
    readLevel(level, levelSource(kWalk));
    levelpack::ScriptResult result = levelpack::playScript(level, script("R4"));
    ASSERT_TRUE(result.exited) << result.why;
    EXPECT_FALSE(levelpack::checkReplay(level, result.steps + 1).passed);
    EXPECT_FALSE(levelpack::checkReplay(level, result.steps - 1).passed);
    EXPECT_TRUE(levelpack::checkReplay(level, -1).passed);

    CLevel unsolved;
    readLevel(unsolved, levelSource(kWalk));
    levelpack::CheckVerdict verdict = levelpack::checkReplay(unsolved, -1);
    EXPECT_FALSE(verdict.passed);
    EXPECT_EQ(verdict.outcome, "no solution");
}

TEST_F(LevelScriptPlay, TheNextMoveWaitsUntilAPushedCrateHasLanded)
{
    // The crate at 2 is pushed off the ledge and falls three rows; the
    // professor's next move waits for it.
    CLevel level;
    readLevel(level, levelSource({".@c.....", "###.....", "........", ".......$", "...#####", "........"}));
    levelpack::LevelRun run(level);
    std::string why;
    ASSERT_TRUE(run.waitForRest(why)) << why;
    ASSERT_TRUE(run.play(script("R")[0], why)) << why;
    EXPECT_TRUE(run.boardSettled());
    EXPECT_TRUE(run.professorReady());
    const std::vector<ReplayKey>& keys = level.GetSolution();
    ASSERT_EQ(keys.size(), 2u);
    // A walk of one cell alone takes 8 frames; the fall adds at least 8 per row.
    EXPECT_GT(run.elapsedFrames() - keys[1].frame, 30);
    EXPECT_NE(run.restKey().find(":3,21,1:"), std::string::npos) << run.restKey();
}

TEST_F(LevelScriptPlay, ABotChasingDoesNotHoldTheBoardUp)
{
    // A bot paces on its own ledge above; the professor walks on.
    CLevel level;
    readLevel(level, levelSource({"..........p.........", "..........#########.", "....................",
                                  ".@..$...............", "#####..............."}));
    levelpack::ScriptResult result = levelpack::playScript(level, script("R3"));
    EXPECT_TRUE(result.exited) << result.why;
    EXPECT_LT(result.frames, 3 * levelpack::LevelRun::SETTLE_FRAMES);
}

TEST_F(LevelScriptPlay, ASpentShotDoesNotHoldTheBoardUp)
{
    // The frost gun fired away from the exit; the shot leaves the board.
    const std::vector<std::string> rows = {"......", ".@5...$", "#######"};
    CLevel withoutShot;
    readLevel(withoutShot, levelSource(rows));
    levelpack::ScriptResult plain = levelpack::playScript(withoutShot, script("R A A R4"));
    ASSERT_TRUE(plain.exited) << plain.why;
    CLevel withShot;
    readLevel(withShot, levelSource(rows));
    levelpack::ScriptResult shot = levelpack::playScript(withShot, script("R A P1 A R4"));
    ASSERT_TRUE(shot.exited) << shot.why;
    // The shot and the gun cost their own frames, not a settling wait for
    // each of the moves after it.
    EXPECT_LT(shot.frames - plain.frames, levelpack::LevelRun::SETTLE_FRAMES);
}

namespace {

class LevelBuiltIn : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_chdir.reset(new testsupport::ScopedChdir(testsupport::runDir()));
        m_game.reset(new replay::HeadlessGame(true));
    }
    void TearDown() override
    {
        m_game.reset();
        m_chdir.reset();
        CController::ResetStack();
    }
    // The first built-in level with a recorded solution, null when none has one.
    static CLevel* firstSolved()
    {
        for (int set = 0; set < 3; ++set) {
            CLevelSet* levels = CLevelSet::getSet(set);
            for (int i = 0; levels && i < levels->getCount(); ++i)
                if (!levels->getLevel(i)->GetSolution().empty())
                    return levels->getLevel(i);
        }
        return nullptr;
    }

private:
    std::unique_ptr<testsupport::ScopedChdir> m_chdir;
    std::unique_ptr<replay::HeadlessGame> m_game;
};

} // namespace

TEST_F(LevelBuiltIn, ABuiltInSolutionReplaysAndFailsWithOneKeyLess)
{
    CLevel* level = firstSolved();
    if (!level)
        GTEST_SKIP() << "no built-in level carries a solution yet";
    levelpack::CheckVerdict intact = levelpack::checkReplay(*level, -1);
    EXPECT_TRUE(intact.passed) << level->GetName() << ": " << intact.problem;

    // Every press of the recording but the last, then its release.
    std::vector<ReplayKey> keys = level->GetSolution();
    size_t lastPress = keys.size();
    for (size_t i = 0; i < keys.size(); ++i)
        if (!keys[i].released)
            lastPress = i;
    ASSERT_LT(lastPress, keys.size());
    // A copy as the archive holds it, without that press.
    std::vector<uint8_t> bytes = level->Encode(CLevel::GAME_LEVEL_ID);
    FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
    ASSERT_TRUE(stream);
    CLevel broken;
    ASSERT_TRUE(broken.Load(stream, level->GetName()));
    fclose(stream);
    broken.ClearSolution();
    for (size_t i = 0; i < keys.size(); ++i)
        if (i != lastPress)
            broken.AddReplayKey(keys[i].frame, keys[i].key, keys[i].released);
    levelpack::CheckVerdict verdict = levelpack::checkReplay(broken, intact.steps);
    EXPECT_FALSE(verdict.passed) << level->GetName();
}
