// Teleport ends placed with the professor's power-up: once both ends of the
// colour stand, the pair carries him and the crates he pushes, just like a
// pair written into the level; with something right above him no end is
// placed at all and he simply walks on.
#include "WalkerTestSupport.h"
#include "elements/CElementDeviceTeleport.h"

using namespace walkertest;
using boardtest::trimPicture;

namespace {

// Takes the professor out of the tube, makes one move so that later uses
// record their undo steps, and gives him the power-ups.
void readyWith(Board& board, std::initializer_list<int> types)
{
    settle(board);
    press(DOWN);
    press(DOWN, true);
    board.step(20);
    for (int type : types)
        ASSERT_TRUE(professor()->addPowerup(type));
}

// Uses the slot and lets the inflation finish.
void use(Board& board, int slot)
{
    professor()->usePowerup(slot);
    board.step(30);
}

void turn(Board& board)
{
    hold(board, TURN, 1);
    board.step(20);
}

} // namespace

TEST(PlacedTeleport, APlacedPairCarriesTheProfessorAndAPushedCrate)
{
    Board board(R"(
        ............
        #P.........#
        ############
    )");
    readyWith(board, {POWERUP_TELEPORT_BLUE, POWERUP_TYPE_CRATE});
    ASSERT_FALSE(professor()->facingLeft);

    // First end on columns 1-2; alone it leads nowhere.
    use(board, 0);
    ASSERT_EQ(CElementDeviceTeleport::GetPair(0).size(), 1u);
    for (int i = 0; i < 5; ++i)
        oneMove(board, RIGHT);
    ASSERT_EQ(professor()->x, 6);

    // Last end on columns 6-7: the pair works.
    use(board, 0);
    const std::vector<CElementDeviceTeleport*>& ends = CElementDeviceTeleport::GetPair(0);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_TRUE(ends[0]->IsInflated() && ends[1]->IsInflated());
    EXPECT_TRUE(ends[0]->IsEnabled() && ends[1]->IsEnabled());
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_TYPE_CRATE);

    // Leftwards out of the left cell of an end is an ordinary step.
    oneMove(board, LEFT);
    EXPECT_EQ(professor()->x, 5);
    turn(board);
    ASSERT_FALSE(professor()->facingLeft);

    // A crate on the left cell of the last end, pushed right, comes out on
    // the right cell of the first end.
    use(board, 0);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        ............
        #....Pc....#
        ############
    )"));
    oneMove(board, RIGHT);
    board.step(20);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        ............
        #.c...P....#
        ############
    )"));

    // He follows through the same end and pushes the crate on from there.
    oneMove(board, RIGHT);
    board.step(20);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        ............
        #.Pc.......#
        ############
    )"));

    // And back: leftwards out of the right cell of the first end he comes
    // out on the left cell of the last end.
    turn(board);
    oneMove(board, LEFT);
    EXPECT_EQ(professor()->x, 6);
    EXPECT_EQ(professor()->y, 1);
}

TEST(PlacedTeleport, UnderALowCeilingNoEndIsPlacedAndHeWalksOn)
{
    Board board(R"(
        ############
        #P.........#
        ############
    )");
    readyWith(board, {POWERUP_TELEPORT_BLUE});
    use(board, 0);
    EXPECT_TRUE(CElementDeviceTeleport::GetPair(0).empty());
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_TELEPORT_BLUE);
    for (int i = 0; i < 3; ++i)
        oneMove(board, RIGHT);
    EXPECT_EQ(professor()->x, 4);
}
