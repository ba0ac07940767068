// Falling, the barrel squish and sliding, as small boards.
#include <gtest/gtest.h>

#include "world/CElement.h"
#include "world/board/BoardHarness.h"

using boardtest::Board;
using boardtest::trimPicture;

TEST(Falling, ACrateFallsOneCellInEightStepsAndLands)
{
    Board board(R"(
        .c.
        ...
        ...
        ###
    )");
    CElement* crate = board.at(1, 0);
    board.step(1); // the first step starts the fall but moves no pixel
    EXPECT_EQ(crate->pixelY, 0);
    EXPECT_TRUE(crate->falling);
    board.step(30);
    EXPECT_EQ(board.picture(), trimPicture("...\n...\n.c.\n###"));
}
