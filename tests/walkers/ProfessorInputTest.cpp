// The professor's input: mouse walks to a clicked cell, the click-to-cell
// rule at the board's edges, the idle animations, the fall off the board,
// a full inventory, the stun from a crate moving above him, and keys held
// while a power-up plays.
#include "WalkerTestSupport.h"
#include "elements/CElementDevicePowerup.h"
#include "profile/CProfile.h"

using namespace walkertest;

namespace {

// A screen pixel that the click rule (x - 15) / 24, (y - 15) / 24 maps to
// the middle of the cell.
int screenX(int column)
{
    return 15 + column * 24 + 12;
}

int screenY(int row)
{
    return 15 + row * 24 + 12;
}

void click(int column, int row)
{
    professor()->mouseMove(screenX(column), screenY(row));
    professor()->mouseButton(screenX(column), screenY(row), false);
    professor()->mouseButton(screenX(column), screenY(row), true);
}

} // namespace

TEST(ProfessorMouse, AClickPicksTheCellByTheBoardRule)
{
    Board board(R"(
        P...
        ####
    )");
    settle(board);
    CElementAIProfessor* p = professor();
    // (x - 15) / 24 truncated toward zero, clamped to the board.
    struct Case {
        int mx, my, column, row;
    } cases[] = {{14, 100, 0, 3},   {15, 100, 0, 3},   {38, 100, 0, 3},   {39, 100, 1, 3},
                 {-50, 100, 0, 3},  {782, 100, 31, 3}, {783, 100, 31, 3}, {5000, 100, 31, 3},
                 {100, 14, 3, 0},   {100, 566, 3, 22}, {100, 567, 3, 23}, {100, 599, 3, 23},
                 {100, -30, 3, 0}};
    for (const Case& c : cases) {
        p->mouseMove(c.mx, c.my);
        p->mouseButton(c.mx, c.my, false);
        EXPECT_TRUE(p->isWalking());
        EXPECT_EQ(p->getWalkTargetX(), c.column) << c.mx;
        EXPECT_EQ(p->getWalkTargetY(), c.row) << c.my;
        p->mouseButton(c.mx, c.my, true);
        // A key cancels the walk.
        press(LEFT);
        press(LEFT, true);
        EXPECT_FALSE(p->isWalking());
    }
}

TEST(ProfessorMouse, AClickOnAReachableCellWalksHimThereAlongTheLadder)
{
    Board board(R"(
        ......
        ...H..
        ...H..
        P..H..
        ######
    )");
    settle(board);
    click(3, 1);
    board.step(200);
    EXPECT_EQ(professor()->x, 3);
    EXPECT_EQ(professor()->y, 1);
    EXPECT_FALSE(professor()->isWalking());
    EXPECT_FALSE(professor()->anyDirectionKey());
}

TEST(ProfessorMouse, AClickOnAnUnreachableCellLeavesHimAsCloseAsTheRulesAllow)
{
    Board board(R"(
        .......
        .......
        P....#.
        #######
    )");
    settle(board);
    // Above the wall: no ladder, so he walks to the wall and stays there.
    click(6, 0);
    board.step(200);
    EXPECT_EQ(professor()->x, 4);
    EXPECT_EQ(professor()->y, 2);
    EXPECT_TRUE(professor()->isWalking());
    // Any key ends the walk.
    press(LEFT);
    press(LEFT, true);
    EXPECT_FALSE(professor()->isWalking());
}

TEST(ProfessorMouse, AClickOffTheBoardIsClampedToItsLastCell)
{
    Board board(R"(
        ...P
        ####
    )", boardtest::defaultLegend(), 22, 28);
    settle(board);
    professor()->mouseMove(900, 700);
    professor()->mouseButton(900, 700, false);
    EXPECT_EQ(professor()->getWalkTargetX(), 31);
    EXPECT_EQ(professor()->getWalkTargetY(), 23);
    professor()->mouseButton(900, 700, true);
    board.step(100);
    // Row 23 is below him and solid: he stays in column 31.
    EXPECT_EQ(professor()->x, 31);
    EXPECT_EQ(professor()->y, 22);
}

TEST(ProfessorIdle, AnIdleAnimationPlaysAfter600StandingFramesAndTheNextAfterAnother600)
{
    Board board(R"(
        .P.
        ###
    )");
    auto idle = [] { return professor()->state == CElementAIProfessor::PROF_IDLE; };
    auto standing = [] { return professor()->state <= CElementAIProfessor::PROF_STAND_RIGHT; };
    ASSERT_GE(stepUntil(board, standing, 400), 0);
    EXPECT_EQ(professor()->getIdleIndex(), -1);
    // The standing frames count from the first one; the 600th shows the
    // idle animation.
    EXPECT_EQ(stepUntil(board, idle, 700), 600);
    EXPECT_EQ(professor()->getIdleIndex(), 0);
    ASSERT_GE(stepUntil(board, standing, 2000), 0);
    EXPECT_EQ(stepUntil(board, idle, 700), 600);
    EXPECT_EQ(professor()->getIdleIndex(), 1);
}

TEST(ProfessorOutcome, FallingOffTheBoardEndsTheLevelAsFallen)
{
    Board board(R"(
        P.
        #.
    )", boardtest::defaultLegend(), 20, 0);
    settle(board);
    hold(board, RIGHT, 8);
    int steps = stepUntil(board, [] { return CElement::GetFallen(); }, 200);
    ASSERT_GE(steps, 0);
    EXPECT_TRUE(CElement::GetLevelEnded());
    EXPECT_GE(professor()->y, 26);
}

TEST(ProfessorOutcome, WalkingIntoTheExitTubeEndsTheLevelAsExited)
{
    Board board(R"(
        P.X
        ###
    )");
    settle(board);
    hold(board, RIGHT, 30);
    ASSERT_GE(stepUntil(board, [] { return CElement::GetLevelEnded(); }, 300), 0);
    EXPECT_TRUE(CElement::GetExited());
    EXPECT_EQ(professor()->x, 2);
}

TEST(ProfessorPowerups, WalkingOntoAPowerupWithNineFullSlotsLeavesItOnTheBoard)
{
    Board board(R"(
        P.p.
        ####
    )");
    settle(board);
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(professor()->addPowerup(POWERUP_TYPE_WHISTLE));
    EXPECT_FALSE(professor()->addPowerup(POWERUP_TYPE_CRATE));
    std::string log = logOf([&] {
        hold(board, RIGHT, 20);
        board.step(20);
    });
    EXPECT_TRUE(contains(log, "Powerup Found:  1\n"));
    EXPECT_EQ(professor()->x, 3);
    EXPECT_EQ(professor()->getPowerup(8), POWERUP_TYPE_WHISTLE);
    EXPECT_TRUE(CElementDevicePowerup::isPowerupAt(2, 0));

    // With a free slot the next professor collects it.
    Board free(R"(
        P.p.
        ####
    )");
    settle(free);
    hold(free, RIGHT, 20);
    free.step(20);
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_TYPE_CRATE);
    EXPECT_FALSE(CElementDevicePowerup::isPowerupAt(2, 0));
}

TEST(ProfessorStun, ACrateMovingAboveHimStunsHimAndWalkingAwayClearsIt)
{
    Board board(R"(
        ..c.
        .P#.
        ####
    )");
    settle(board);
    // The crate is pushed off its ledge into the cell above his head.
    ASSERT_TRUE(board.at(2, 0)->PushLeft(true, false));
    // While the crate above him moves he cannot start a step.
    press(LEFT);
    board.step();
    EXPECT_TRUE(professor()->isStunned());
    board.step(3);
    EXPECT_EQ(professor()->x, 1);
    EXPECT_FALSE(professor()->moving);
    press(LEFT, true);
    board.step(40);
    // Still under the crate: still stunned, in the stun picture.
    EXPECT_TRUE(professor()->isStunned());
    EXPECT_TRUE(professor()->state == CElementAIProfessor::PROF_STUN_LEFT ||
                professor()->state == CElementAIProfessor::PROF_STUN_RIGHT);
    oneMove(board, LEFT);
    EXPECT_EQ(professor()->x, 0);
    EXPECT_FALSE(professor()->isStunned());

}

TEST(ProfessorPowerups, KeysHeldDuringAPowerupMoveNothingAndSaveTheUndoStepAfterwards)
{
    Board board(R"(
        .P....
        ######
    )");
    settle(board);
    professor()->addPowerup(POWERUP_TYPE_WHISTLE);
    professor()->usePowerup(0);
    ASSERT_TRUE(professor()->isUsingPowerup());
    // The use was the level's first action: it recorded nothing.
    int before = CElement::undoCount;
    press(RIGHT);
    EXPECT_TRUE(CElement::undoPending);
    board.step(10);
    EXPECT_EQ(professor()->x, 1);
    stepUntil(board, [] { return !professor()->isUsingPowerup(); }, 200);
    board.step(2);
    press(RIGHT, true);
    EXPECT_FALSE(CElement::undoPending);
    EXPECT_EQ(CElement::undoCount, before + 1);
    // Free again, the held key moved him.
    EXPECT_GT(professor()->x, 1);
}

TEST(ProfessorUndo, UndoPutsTheStepCounterBackWithTheBoard)
{
    CProfile profile;
    CElement::setProfile(&profile);
    Board board(R"(
        P.....
        ######
    )");
    settle(board);
    profile.SetSteps(0);
    oneMove(board, RIGHT); // the level's first action records nothing
    oneMove(board, RIGHT); // records the board as it begins: one step walked
    oneMove(board, RIGHT); // two steps walked
    EXPECT_EQ(profile.GetTotal(1), 3);
    CElement::UndoLoad(false);
    EXPECT_EQ(profile.GetTotal(1), 2);
    EXPECT_EQ(professor()->x, 2);
    CElement::UndoLoad(false);
    EXPECT_EQ(profile.GetTotal(1), 1);
    EXPECT_EQ(professor()->x, 1);
    CElement::setProfile(nullptr);
}

TEST(ProfessorFacing, WhileMovingTheFacingFollowsTheKeysAPowerupInUseOrNot)
{
    Board board(R"(
        .P....
        ######
    )");
    settle(board);
    ASSERT_FALSE(professor()->facingLeft);
    professor()->addPowerup(POWERUP_TYPE_WHISTLE);
    professor()->usePowerup(0);
    ASSERT_TRUE(professor()->isUsingPowerup());
    // Pushed along while the whistle plays, he turns to the key he holds.
    ASSERT_TRUE(professor()->PushRight(true, false));
    press(LEFT);
    board.step(1);
    EXPECT_TRUE(professor()->moving);
    EXPECT_TRUE(professor()->facingLeft);
    press(LEFT, true);
}

TEST(ProfessorFacing, BothSideKeysWhileMovingLeaveHimFacingRight)
{
    Board board(R"(
        .P....
        ######
    )");
    settle(board);
    press(LEFT);
    ASSERT_GE(stepUntil(board, [] { return professor()->moving != 0; }, 20), 0);
    ASSERT_TRUE(professor()->facingLeft);
    press(RIGHT);
    board.step(1);
    ASSERT_TRUE(professor()->moving);
    EXPECT_FALSE(professor()->facingLeft);
}

TEST(ProfessorAnimation, LeavingTheCellOfATeleportEndWithoutAPairHeCrawls)
{
    // The lone blue end covers columns 1 and 2; its lower tile is (1, 0).
    Board board(R"(
        .1.P
        ####
    )");
    settle(board);
    press(LEFT);
    bool leftTheEnd = false;
    for (int i = 0; i < 60 && !leftTheEnd; ++i) {
        board.step();
        if (professor()->moving && professor()->prevX == 1) {
            leftTheEnd = true;
            EXPECT_EQ(professor()->state, CElementAIProfessor::PROF_CRAWL_LEFT);
        } else if (professor()->moving) {
            EXPECT_EQ(professor()->state, CElementAIProfessor::PROF_RUN_LEFT) << "from column " << professor()->prevX;
        }
    }
    EXPECT_TRUE(leftTheEnd);
    press(LEFT, true);
}

// On a ladder, a barrel rolls into the cell below him while he holds right:
// the moving ground refuses his step, and the picture is the barrel one
// whether or not he stands on the barrel yet.
TEST(ProfessorAnimation, HoldingRightAboveAMovingBarrelShowsTheBarrelPicture)
{
    Board board(kLadderAboveABarrelsWay, ladderLegend());
    settle(board);
    ASSERT_FALSE(professor()->facingLeft);
    CElement* barrel = board.at(0, 1);
    rollBarrelUnderHim(board);
    press(RIGHT);
    board.step(1);
    ASSERT_TRUE(barrel->moving);
    EXPECT_EQ(board.at(1, 1), barrel);
    EXPECT_FALSE(professor()->moving); // the ground moves: no step
    EXPECT_EQ(professor()->x, 1);
    EXPECT_EQ(professor()->state, CElementAIProfessor::PROF_BARREL_RIGHT);
    press(RIGHT, true);
}
