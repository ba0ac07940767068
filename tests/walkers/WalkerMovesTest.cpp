// The walker's one-tile moves on small boards: walls and the board's edges,
// ladders, pushing, riding a barrel, and the cases where a walker may not
// start a move.
#include "WalkerTestSupport.h"

using namespace walkertest;

TEST(WalkerMoves, TheBoardEdgesStopTheProfessorWhateverTheKeys)
{
    // Right edge: the professor stands in column 31.
    Board right(R"(
        ...P
        ####
    )", boardtest::defaultLegend(), 20, 28);
    settle(right);
    ASSERT_EQ(professor()->x, 31);
    hold(right, RIGHT, 40);
    right.step(10);
    EXPECT_EQ(professor()->x, 31);
    EXPECT_EQ(professor()->y, 20);
    EXPECT_FALSE(professor()->facingLeft);
    // One step inside the edge he walks left one cell.
    oneMove(right, LEFT);
    EXPECT_EQ(professor()->x, 30);

    Board left(R"(
        P...
        ####
    )", boardtest::defaultLegend(), 20, 0);
    settle(left);
    hold(left, LEFT, 40);
    left.step(10);
    EXPECT_EQ(professor()->x, 0);
    EXPECT_TRUE(professor()->facingLeft);
    oneMove(left, RIGHT);
    EXPECT_EQ(professor()->x, 1);
}

TEST(WalkerMoves, AWallStopsTheWalkAndEmptyGroundCarriesHimOn)
{
    Board board(R"(
        ..P..#
        ######
    )");
    settle(board);
    hold(board, RIGHT, 60);
    board.step(20);
    // He walks two cells and stands against the wall.
    EXPECT_EQ(board.picture(), boardtest::trimPicture(R"(
        ....P#
        ######
    )"));
}

TEST(WalkerMoves, ClimbingStopsAtTheLadderTopAndAtTheTopRow)
{
    Board board(R"(
        .....
        .H...
        .H...
        PH...
        #####
    )");
    settle(board);
    oneMove(board, RIGHT);
    ASSERT_EQ(professor()->x, 1);
    hold(board, UP, 80);
    board.step(10);
    // The top segment is row 1: the cell above it has no ladder.
    EXPECT_EQ(professor()->y, 1);
    EXPECT_FALSE(professor()->canClimbUp());

    // A ladder reaching row 0: no climbing above the board.
    Board top(R"(
        .H..
        .H..
        PH..
        ####
    )");
    settle(top);
    oneMove(top, RIGHT);
    hold(top, UP, 80);
    top.step(10);
    EXPECT_EQ(professor()->y, 0);
    EXPECT_FALSE(professor()->canClimbUp());
    // And down again, one free cell at a time.
    hold(top, DOWN, 80);
    top.step(10);
    EXPECT_EQ(professor()->y, 2);

    // A ladder only in the cell above is no ladder to climb.
    Board above(R"(
        .H.
        .P.
        ###
    )");
    settle(above);
    EXPECT_FALSE(professor()->canClimbUp());
}

TEST(WalkerMoves, ACratePushedOntoIceSlidesOnToTheWall)
{
    Board board(R"(
        Pc.....#
        ##~~~~~#
    )");
    settle(board);
    oneMove(board, RIGHT);
    board.step(80);
    EXPECT_EQ(board.picture(), boardtest::trimPicture(R"(
        .P....c#
        ##~~~~~#
    )"));
    EXPECT_TRUE(professor()->facingLeft == 0);
}

TEST(WalkerMoves, NoWalkingOnIceWithoutABarrelOrACatch)
{
    Board board(R"(
        ..P..
        ~~~~~
    )");
    settle(board);
    hold(board, RIGHT, 30);
    hold(board, LEFT, 30);
    EXPECT_EQ(professor()->x, 2);
}

TEST(WalkerMoves, WalkingOnABarrelRollsItTheOtherWayBothWays)
{
    Board board(R"(
        ...P...
        ...o...
        #######
    )");
    settle(board);
    oneMove(board, RIGHT);
    // Walking right rolls the barrel, and him with it, to the left.
    EXPECT_EQ(board.picture(), boardtest::trimPicture(R"(
        ..P....
        ..o....
        #######
    )"));
    EXPECT_TRUE(professor()->isRiding());
    oneMove(board, LEFT);
    oneMove(board, LEFT);
    EXPECT_EQ(board.picture(), boardtest::trimPicture(R"(
        ....P..
        ....o..
        #######
    )"));
}

TEST(WalkerMoves, ABarrelRollingIntoABlockedSideLeavesTheRiderBehind)
{
    Board board(R"(
        .cP...
        .=o...
        ######
    )");
    settle(board);
    // The cell he would ride into holds a crate (standing on a ladder
    // platform): the barrel rolls on under it (a barrel nobody rides rolls
    // on plain ground), he stays and drops.
    hold(board, RIGHT, 1);
    EXPECT_FALSE(professor()->isRiding());
    EXPECT_EQ(professor()->x, 2);
    board.step(30);
    EXPECT_EQ(board.picture(), boardtest::trimPicture(R"(
        .c....
        o=P...
        ######
    )"));
}

TEST(WalkerMoves, ProfessorFacingAHeatedCrateRefusesWithAHotPush)
{
    Board board(R"(
        .P*.
        ####
    )");
    settle(board);
    hold(board, RIGHT, 6);
    EXPECT_EQ(professor()->x, 1);
    EXPECT_TRUE(professor()->hasHotPush() || professor()->state == CElementAIProfessor::PROF_HOT_PUSH_RIGHT);

    // With the cell above him taken he does not move and no hot push starts.
    Board low(R"(
        .#..
        .P*.
        ####
    )");
    settle(low);
    hold(low, RIGHT, 6);
    EXPECT_EQ(professor()->x, 1);
    EXPECT_FALSE(professor()->hasHotPush());
}

TEST(WalkerMoves, ProfessorRefusesToStepOntoAHeatedElementWithAHotStep)
{
    Board board(R"(
        .P..
        ##*#
        ####
    )");
    settle(board);
    hold(board, RIGHT, 6);
    EXPECT_EQ(professor()->x, 1);
    EXPECT_TRUE(professor()->hasHotStep() || professor()->state == CElementAIProfessor::PROF_HOT_STEP_RIGHT);
    // Turning round forgets it.
    hold(board, TURN, 1);
    EXPECT_FALSE(professor()->hasHotStep());
}

TEST(WalkerMoves, TheProfessorWalksOutFromUnderACrateABotDoesNot)
{
    // A crate resting on the walker could fall once he leaves.
    Board board(R"(
        ..c.....c....
        ..P.....<....
        #############
    )");
    settle(board);
    oneMove(board, RIGHT);
    EXPECT_EQ(professor()->x, 3);
    CElementAIBot* bot = bots().at(0);
    EXPECT_FALSE(bot->moveLeft());
    EXPECT_FALSE(bot->moveRight());
    EXPECT_EQ(bot->x, 8);
}

TEST(WalkerMoves, TurningFlipsTheFacingAndUndoClearsKeysAndHotFlags)
{
    Board board(R"(
        ..P..
        #####
    )");
    settle(board);
    bool before = professor()->facingLeft;
    press(TURN);
    press(TURN, true);
    EXPECT_NE(professor()->facingLeft, before);
    oneMove(board, RIGHT);
    oneMove(board, RIGHT);
    press(LEFT);
    CElement::UndoLoad(true);
    EXPECT_FALSE(professor()->anyDirectionKey());
    EXPECT_FALSE(professor()->hasHotPush());
    EXPECT_FALSE(professor()->isStunned());
}

TEST(WalkerMoves, SlidingOntoATrampolineFlingsTheProfessorBack)
{
    Board board(R"(
        P..T.
        #~~##
    )");
    settle(board);
    oneMove(board, RIGHT);
    bool flung = false, recovered = false, sawTramp = false;
    for (int i = 0; i < 300; ++i) {
        board.step();
        sawTramp = sawTramp || professor()->tramp;
        flung = flung || professor()->state == CElementAIProfessor::PROF_FLING_RIGHT;
        recovered = recovered || professor()->state == CElementAIProfessor::PROF_TRAMP_RECOVER;
    }
    EXPECT_TRUE(sawTramp);
    EXPECT_TRUE(flung);
    EXPECT_TRUE(recovered);
    EXPECT_FALSE(professor()->leftTrampoline);
    EXPECT_NE(professor()->x, 3);
}

TEST(WalkerMoves, UndoClearsHotStepHotPushAndStun)
{
    // Each flag is set by a refused step (or a crate moving above him) after
    // the level's first step, and undone with it.
    Board hotPush(R"(
        .P*.
        ####
    )");
    settle(hotPush);
    press(RIGHT);
    hotPush.step(2);
    press(RIGHT, true);
    ASSERT_TRUE(professor()->hasHotPush());
    CElement::UndoLoad(true);
    EXPECT_FALSE(professor()->hasHotPush());

    Board hotStep(R"(
        .P..
        ##*#
        ####
    )");
    settle(hotStep);
    press(RIGHT);
    hotStep.step(2);
    press(RIGHT, true);
    ASSERT_TRUE(professor()->hasHotStep());
    CElement::UndoLoad(true);
    EXPECT_FALSE(professor()->hasHotStep());

    Board stun(R"(
        ..c.
        .P#.
        ####
    )");
    settle(stun);
    ASSERT_TRUE(stun.at(2, 0)->PushLeft(true, false));
    stun.step(2);
    ASSERT_TRUE(professor()->isStunned());
    CElement::UndoLoad(true);
    EXPECT_FALSE(professor()->isStunned());
    EXPECT_EQ(professor()->getStunCount(), 0);
}

// On a ladder, with a barrel rolling into the cell below him, he cannot
// start a step: his ground moves.
TEST(WalkerMoves, NoSidewaysStartWhileTheGroundMoves)
{
    Board board(kLadderAboveABarrelsWay, ladderLegend());
    settle(board);
    rollBarrelUnderHim(board);
    press(RIGHT);
    for (int i = 0; i < 7; ++i) {
        board.step(1);
        EXPECT_FALSE(professor()->moving) << i;
    }
    // Once the barrel is at rest he walks on.
    board.step(3);
    EXPECT_TRUE(professor()->moving);
    press(RIGHT, true);
}
