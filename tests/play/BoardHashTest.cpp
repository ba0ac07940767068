// The board hash: computed from the board's fields without the state text,
// it must tell boards apart exactly when their state texts differ.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "play/BoardHash.h"
#include "world/CElement.h"
#include "world/BoardHarness.h"

using boardtest::Board;

TEST(BoardHash, TwoStatesHashAlikeExactlyWhenTheirTextsAreAlike)
{
    // Crates sliding over ice, a barrel rolling, a magnet's pull: a board
    // that changes for a while and then rests.
    Board board(R"(
        ..c.o..C........
        .~~~~~.###..~~~.
        ..>.....c.......
        ################
    )");
    std::map<uint64_t, std::string> seen;
    std::map<std::string, uint64_t> hashes;
    for (int i = 0; i < 120; ++i) {
        if (i == 10)
            board.at(3, 0)->PushRight(true, false);
        if (i == 40)
            board.at(8, 2)->PushLeft(true, false);
        const std::string state = board.state();
        auto found = seen.emplace(board.hash(), state);
        EXPECT_EQ(found.first->second, state) << "two states share a hash at step " << i;
        auto again = hashes.emplace(state, board.hash());
        EXPECT_EQ(again.first->second, board.hash()) << "one state hashes two ways at step " << i;
        board.step(1);
    }
    // The board changed (several states) and came to rest (a state seen
    // again hashes alike).
    EXPECT_GT(seen.size(), 10u);
    const uint64_t rest = board.hash();
    board.step(1);
    EXPECT_EQ(board.hash(), rest);
}
