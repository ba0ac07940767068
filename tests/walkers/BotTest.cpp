// The bot: sighting along its row (blocked by anything in the row, stopped
// by a teleport end, blind behind its back), the hanging bot, the chase and
// the catch with its jump delay, the whistle, the EMP, frost, heat, the
// magnet that holds a bot, and undo.
#include "WalkerTestSupport.h"

using namespace walkertest;

namespace {

CElementAIBot* onlyBot()
{
    EXPECT_EQ(bots().size(), 1u);
    return bots().at(0);
}

// Steps until the professor is caught; the steps taken or -1.
int stepsToCatch(Board& board, int limit)
{
    return stepUntil(board, [] { return CElement::GetCaught(); }, limit);
}

} // namespace

TEST(BotSight, AStandingBotSeesOnlyTheWayItFaces)
{
    Board facingAway(R"(
        P....>....
        ##########
    )");
    settle(facingAway);
    facingAway.step(100);
    EXPECT_FALSE(onlyBot()->isActive());
    EXPECT_FALSE(CElement::GetCaught());

    Board facing(R"(
        P....<....
        ##########
    )");
    settle(facing);
    EXPECT_TRUE(onlyBot()->isActive());
    EXPECT_GE(stepsToCatch(facing, 300), 0);
    EXPECT_TRUE(onlyBot()->catchLeft);
    EXPECT_TRUE(professor()->catchLeft);
}

TEST(BotSight, TheProfessorOneRowLowerIsSeenOnlyUnderAnEmptyCell)
{
    Board open(R"(
        .....<#
        P...###
        #######
    )");
    settle(open);
    EXPECT_TRUE(onlyBot()->isActive());

    Board covered(R"(
        c....<#
        P...###
        #######
    )");
    settle(covered);
    covered.step(20);
    EXPECT_FALSE(onlyBot()->isActive());
}

TEST(BotSight, ACrateAGateOrATeleportEndStopsTheSight)
{
    for (const char* picture : {R"(
        P..c...<.
        #########
    )", R"(
        P..g...<.
        #########
    )", R"(
        P..1...<..1.
        ############
    )"}) {
        SCOPED_TRACE(picture);
        Board board(picture);
        settle(board);
        board.step(60);
        EXPECT_FALSE(onlyBot()->isActive());
    }
}

TEST(BotSight, ThePlayerStandingInATeleportEndIsSeenTheEndBeyondHimIsNot)
{
    // The professor stands in the right cell of a teleport end: the sight
    // reaches his column before it meets the end.
    Board inEnd(R"(
        ..1P..<...1.
        ############
    )");
    ASSERT_EQ(professor()->x, 3);
    settle(inEnd);
    EXPECT_TRUE(onlyBot()->isActive());

    // One column further left, behind the end's right cell, he is hidden.
    Board behind(R"(
        .P1...<...1.
        ############
    )");
    settle(behind);
    behind.step(20);
    EXPECT_FALSE(onlyBot()->isActive());
}

TEST(BotSight, AHangingBotSeesStraightDownAndDropsWhenItsTerrainGoes)
{
    Board below(R"(
        ...#...
        ...A...
        .......
        P......
        #######
    )");
    settle(below);
    EXPECT_FALSE(onlyBot()->isActive());
    // Under the bot, with nothing between them.
    hold(below, RIGHT, 30);
    below.step(10);
    EXPECT_TRUE(onlyBot()->isActive());
    EXPECT_TRUE(onlyBot()->canFall);

    Board hanging(R"(
        ...#...
        ...A...
        .......
        P......
        #######
    )");
    settle(hanging);
    CElementAIBot* bot = onlyBot();
    ASSERT_FALSE(bot->isActive());
    clearElementAt(3, 0);
    std::string log = logOf([&] { hanging.step(2); });
    EXPECT_TRUE(contains(log, "CElementAIBot::Detect():  Activating due to destroyed terrain\n"));
    EXPECT_TRUE(bot->isActive());
    hanging.step(40);
    EXPECT_EQ(bot->y, 3);
    EXPECT_TRUE(bot->canFall);
}

TEST(BotCatch, TheCatchJumpHoldsTheBotSixteenFramesThenTheCaptureEndsTheLevel)
{
    Board board(R"(
        P<...
        #####
    )");
    int caught = stepsToCatch(board, 300);
    ASSERT_GE(caught, 0);
    CElementAIBot* bot = onlyBot();
    // The bot's update in the frame of the catch already counted one.
    EXPECT_EQ(bot->getCatchJumpDelay(), CElementAIBot::CATCH_JUMP_DELAY - 1);
    board.step(14);
    EXPECT_EQ(bot->getCatchJumpDelay(), 1);
    EXPECT_FALSE(bot->anyDirectionKey());
    board.step(1);
    EXPECT_EQ(bot->getCatchJumpDelay(), 0);
    board.step(1);
    // After the jump the bot presses toward the professor.
    EXPECT_TRUE(bot->keyHeldLeft());
    EXPECT_EQ(bot->state, CElementAIBot::BOT_CAPTURE_LEFT);
    EXPECT_GE(stepUntil(board, [] { return CElement::GetLevelEnded(); }, 400), 0);
    EXPECT_EQ(professor()->state, CElementAIProfessor::PROF_CAUGHT_LEFT);
}

TEST(BotCatch, ABotHeldByAMagnetDoesNotCatch)
{
    Board held(R"(
        P.<m..
        ######
    )");
    settle(held);
    // He walks up to the held bot and stands beside it.
    oneMove(held, RIGHT);
    ASSERT_EQ(professor()->x, 1);
    held.step(200);
    EXPECT_TRUE(onlyBot()->IsMagnetHeld());
    EXPECT_FALSE(CElement::GetCaught());

    // The same bot without the magnet catches him.
    Board free(R"(
        P.<...
        ######
    )");
    EXPECT_GE(stepsToCatch(free, 400), 0);
    EXPECT_TRUE(onlyBot()->catchLeft);
}

TEST(BotPowerups, TheWhistleWakesEveryBotThatIsNotDisabled)
{
    Board board(R"(
        ...#........
        ...A........
        .<.....P..>.
        ############
    )");
    settle(board);
    press(DOWN);
    press(DOWN, true);
    for (CElementAIBot* bot : bots())
        ASSERT_FALSE(bot->isActive());
    professor()->addPowerup(POWERUP_TYPE_WHISTLE);
    professor()->usePowerup(0);
    board.step(18);
    for (CElementAIBot* bot : bots())
        EXPECT_TRUE(bot->isActive());
    board.step(30);
    // The hanging one dropped.
    for (CElementAIBot* bot : bots()) {
        EXPECT_TRUE(bot->canFall);
        EXPECT_EQ(bot->y, 2);
    }
}

TEST(BotPowerups, TheEmpStunsStandingBotsStopsTheChaseAndReleasesMagnets)
{
    Board board(R"(
        ......#.........................
        ......A.........................
        P..............................<
        ################################
    )");
    settle(board);
    press(DOWN);
    press(DOWN, true);
    CElementAIBot* chaser = bots().at(0)->canFall ? bots().at(0) : bots().at(1);
    CElementAIBot* hanging = bots().at(0)->canFall ? bots().at(1) : bots().at(0);
    ASSERT_TRUE(chaser->isActive());
    professor()->addPowerup(POWERUP_TYPE_EMP);
    professor()->usePowerup(0);
    board.step(18);
    EXPECT_FALSE(chaser->isActive());
    EXPECT_TRUE(chaser->isEmpStunned());
    EXPECT_TRUE(chaser->empActive);
    EXPECT_FALSE(hanging->isEmpStunned());
    // Stunned, it does not chase; after the EMP pose it must see him again.
    int x = chaser->x;
    board.step(5);
    EXPECT_EQ(chaser->x, x);
    EXPECT_GE(stepUntil(board, [&] { return !chaser->isEmpStunned(); }, 200), 0);
}

TEST(BotPowerups, TheEmpSwitchesTheMagnetsOffAndReleasesAHeldBot)
{
    Board board(R"(
        P...<m..
        ########
    )");
    settle(board);
    press(DOWN);
    press(DOWN, true);
    CElementAIBot* bot = onlyBot();
    ASSERT_TRUE(bot->IsMagnetHeld());
    professor()->addPowerup(POWERUP_TYPE_EMP);
    professor()->usePowerup(0);
    board.step(17);
    EXPECT_TRUE(bot->IsMagnetHeld());
    board.step(1);
    EXPECT_FALSE(bot->IsMagnetHeld());
    EXPECT_TRUE(bot->isEmpStunned());
}

TEST(BotPowerups, FrostFreezesABotAndAFrozenBotDoesNotCatch)
{
    Board board(R"(
        .P.....>..
        ##########
    )");
    settle(board);
    press(DOWN);
    press(DOWN, true);
    professor()->addPowerup(POWERUP_TYPE_FROSTGUN);
    professor()->usePowerup(0);
    CElementAIBot* bot = onlyBot();
    ASSERT_GE(stepUntil(board, [&] { return bot->frozen != 0; }, 100), 0);
    board.step(1);
    EXPECT_EQ(bot->state, CElementAIBot::BOT_FROZEN);
    board.step(100);
    EXPECT_FALSE(CElement::GetCaught());
}

TEST(BotPowerups, HeatDisablesABotForGood)
{
    Board board(R"(
        .P.....>..
        ##########
    )");
    settle(board);
    press(DOWN);
    press(DOWN, true);
    professor()->addPowerup(POWERUP_TYPE_HEATGUN);
    professor()->usePowerup(0);
    CElementAIBot* bot = onlyBot();
    ASSERT_GE(stepUntil(board, [&] { return bot->exploded != 0; }, 100), 0);
    EXPECT_FALSE(bot->isActive());
    // The whistle no longer wakes it, and it never catches.
    professor()->addPowerup(POWERUP_TYPE_WHISTLE);
    board.step(300);
    CElementAIBot::activateAll();
    EXPECT_FALSE(bot->isActive());
    EXPECT_TRUE(bot->exploded);
    EXPECT_FALSE(bot->IsCatching());
    EXPECT_FALSE(CElement::GetCaught());
}

TEST(BotUndo, UndoRestoresTheChaseAndResetsTheCatchJump)
{
    Board board(R"(
        P..............................<
        ################################
    )");
    settle(board);
    CElementAIBot* bot = onlyBot();
    ASSERT_TRUE(bot->isActive());
    // Two actions: the second records the board with the bot active.
    oneMove(board, RIGHT);
    oneMove(board, LEFT);
    ASSERT_GE(stepsToCatch(board, 300), 0);
    board.step(5);
    EXPECT_LT(bot->getCatchJumpDelay(), CElementAIBot::CATCH_JUMP_DELAY);
    CElement::clearLevelEnded();
    CElement::UndoLoad(false);
    EXPECT_FALSE(CElement::GetCaught());
    EXPECT_TRUE(bot->isActive());
    EXPECT_EQ(bot->getCatchJumpDelay(), CElementAIBot::CATCH_JUMP_DELAY);
    EXPECT_FALSE(bot->anyDirectionKey());
}

TEST(BotStun, ACrateMovingOntoABotsHeadStunsItAndKeepsItThere)
{
    Board board(R"(
        ....c
        P..>#
        #####
    )");
    settle(board);
    CElementAIBot* bot = onlyBot();
    ASSERT_FALSE(bot->isStunned());
    ASSERT_TRUE(board.at(4, 0)->PushLeft(true, false));
    board.step(1);
    EXPECT_TRUE(bot->isStunned());
    board.step(30);
    EXPECT_TRUE(bot->state == CElementAIBot::BOT_STUN_LEFT || bot->state == CElementAIBot::BOT_STUN_RIGHT);
    // A bot never walks out from under an element that could fall.
    EXPECT_FALSE(bot->moveLeft());
    EXPECT_EQ(bot->x, 3);
}

TEST(BotUndo, UndoPutsABotWokenAfterTheStepBackToSleep)
{
    Board board(R"(
        P....>....
        ##########
    )");
    settle(board);
    CElementAIBot* bot = onlyBot();
    ASSERT_FALSE(bot->isActive());
    // The level's first step recorded the board with the bot asleep.
    CElementAIBot::activateAll();
    board.step(3);
    ASSERT_TRUE(bot->isActive());
    CElement::UndoLoad(true);
    EXPECT_FALSE(bot->isActive());
    board.step(20);
    EXPECT_FALSE(bot->isActive()); // it faces away: nothing wakes it
}

// An active bot at rest on a ladder cell stops its sprite on its frame, held
// up by the ladder or, as here, standing on grass at the ladder's foot.
TEST(BotAnimation, AtRestOnALadderItsSpriteStopsEvenWithGroundBelow)
{
    Board board(R"(
        .L#.P
        #####
    )", ladderLegend());
    settle(board);
    CElementAIBot* bot = onlyBot();
    ASSERT_FALSE(bot->isActive()); // the wall hides him
    CElementAIBot::activateAll();
    board.step(10);
    ASSERT_TRUE(bot->keyHeldRight());
    EXPECT_FALSE(bot->moving);
    EXPECT_NE(bot->state, CElementAIBot::BOT_PUSH_RIGHT);
    EXPECT_TRUE(bot->mainSprite->IsStopped());
}

// An idle bot lets a one-off animation play out: frozen during its EMP pose,
// it shows the frost only when the pose has ended.
TEST(BotAnimation, AnIdleBotFinishesItsEmpPoseBeforeItShowsTheFrost)
{
    Board board(R"(
        P....>....
        ##########
    )");
    settle(board);
    CElementAIBot* bot = onlyBot();
    CElementAIBot::stunAll();
    board.step(1);
    ASSERT_EQ(bot->state, CElementAIBot::BOT_EMPED_RIGHT);
    ASSERT_TRUE(bot->Freeze());
    board.step(1);
    EXPECT_EQ(bot->state, CElementAIBot::BOT_EMPED_RIGHT);
    EXPECT_GE(stepUntil(board, [&] { return bot->state == CElementAIBot::BOT_FROZEN; }, 40), 2);
    EXPECT_FALSE(bot->isEmpStunned()); // the pose's end cleared the stun
}
