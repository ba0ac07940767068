// Move scripts: tokens, repeat counts and waits at their limits, comments
// and line numbers in messages, and the compact form the solver writes.
#include <gtest/gtest.h>

#include "MoveScript.h"

using levelpack::formatMoveScript;
using levelpack::Move;
using levelpack::MoveKind;
using levelpack::parseMoveScript;

namespace {

std::vector<Move> parse(const std::string& text, std::vector<std::string>& errors)
{
    return parseMoveScript("x.moves", text, errors);
}

std::string tokens(const std::vector<Move>& moves)
{
    std::string out;
    for (const Move& m : moves)
        out += levelpack::moveToken(m) + " ";
    return out;
}

} // namespace

TEST(LevelMoveScript, EveryTokenReadsAsItsMove)
{
    std::vector<std::string> errors;
    std::vector<Move> moves = parse("L R U D A P1 P9 W W20", errors);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(tokens(moves), "L R U D A P1 P9 W W20 ");
    EXPECT_EQ(moves[5].value, 1);
    EXPECT_EQ(moves[6].value, 9);
    EXPECT_EQ(moves[8].kind, MoveKind::WaitFrames);
    EXPECT_EQ(moves[8].value, 20);
    // Waits are not player actions.
    EXPECT_EQ(levelpack::countActions(moves), 7);
}

TEST(LevelMoveScript, RepeatCountsStopAtTheirLimitBothWays)
{
    std::vector<std::string> errors;
    EXPECT_EQ(parse("R1", errors).size(), 1u);
    EXPECT_EQ(parse("U99", errors).size(), 99u);
    EXPECT_TRUE(errors.empty());
    parse("R0", errors);
    EXPECT_EQ(errors.size(), 1u);
    parse("L100", errors);
    EXPECT_EQ(errors.size(), 2u);
    parse("Dx", errors);
    EXPECT_EQ(errors.size(), 3u);
}

TEST(LevelMoveScript, SlotsAndWaitsStopAtTheirLimitBothWays)
{
    std::vector<std::string> errors;
    EXPECT_EQ(parse("P1 P9 W1 W9999", errors).size(), 4u);
    EXPECT_TRUE(errors.empty());
    for (const char* bad : {"P0", "P10", "P", "W0", "W10000", "A2"}) {
        std::vector<std::string> one;
        EXPECT_TRUE(parse(bad, one).empty()) << bad;
        EXPECT_EQ(one.size(), 1u) << bad;
    }
}

TEST(LevelMoveScript, CommentsAreSkippedAndMessagesNameTheLine)
{
    std::vector<std::string> errors;
    std::vector<Move> moves = parse("# a climb first\nU2 # up the ladder\n\nR#right\nX", errors);
    EXPECT_EQ(tokens(moves), "U U R ");
    EXPECT_EQ(moves[0].line, 2);
    EXPECT_EQ(moves[2].line, 4);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "x.moves:5: unknown token 'X'");
}

TEST(LevelMoveScript, LowerCaseIsNotAToken)
{
    std::vector<std::string> errors;
    parse("r", errors);
    EXPECT_EQ(errors.size(), 1u);
}

TEST(LevelMoveScript, FormattedScriptsMergeRunsAndReadBackAlike)
{
    std::vector<std::string> errors;
    std::vector<Move> moves = parse("R R R U L P2 P2 A W W5 D", errors);
    std::string text = formatMoveScript(moves, 4);
    EXPECT_EQ(text, "R3 U L P2\nP2 A W W5\nD\n");
    EXPECT_EQ(tokens(parse(text, errors)), tokens(moves));
    EXPECT_TRUE(errors.empty());
}

TEST(LevelMoveScript, ARunLongerThanTheRepeatLimitIsSplit)
{
    std::vector<Move> moves(100, Move{MoveKind::Left, 0, 0});
    std::string text = formatMoveScript(moves);
    EXPECT_EQ(text, "L99 L\n");
    std::vector<std::string> errors;
    EXPECT_EQ(parse(text, errors).size(), 100u);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(formatMoveScript({}), "");
}
