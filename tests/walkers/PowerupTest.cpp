// The power-up inventory and its use: the type table, the slots and their
// icons, each power-up's effect and refusal (with the fail sound), the
// delays, and undo taking the spawned element away and giving the slot back.
#include <string>

#include "WalkerTestSupport.h"
#include "elements/CElementDevicePowerup.h"
#include "elements/CElementDeviceTeleport.h"

using namespace walkertest;

namespace {

// Gives the professor one power-up after a first move (the level's first
// action from rest records no undo step), facing the given way.
void readyWith(Board& board, int type, bool faceLeft)
{
    settle(board);
    // A key from rest opens the level's first step (which records nothing).
    press(DOWN);
    press(DOWN, true);
    hold(board, TURN, 1);
    board.step(20);
    if ((professor()->facingLeft != 0) != faceLeft) {
        hold(board, TURN, 1);
        board.step(20);
    }
    ASSERT_EQ(professor()->facingLeft != 0, faceLeft);
    ASSERT_TRUE(professor()->addPowerup(type));
}

std::string useAndLog(int slot)
{
    return logOf([slot] { professor()->usePowerup(slot); });
}

} // namespace

TEST(PowerupTypes, TeleportColoursAndNamesAtTheEdgesOfTheTable)
{
    struct Case {
        int type, colour;
        const char* name;
    } cases[] = {{-1, 0, "Unknown"},          {0, 0, "None"},
                 {1, 0, "Inflatable Crate"},  {8, 0, "WHISTLE"},
                 {9, 0, "Teleport (Blue)"},   {10, 0, "Teleport (Blue)"},
                 {11, 1, "Teleport (Yellow)"}, {12, 1, "Teleport (Yellow)"},
                 {13, 2, "Teleport (Red)"},   {14, 2, "Teleport (Red)"},
                 {15, 0, "Unknown"},          {100, 0, "Unknown"}};
    for (const Case& c : cases) {
        EXPECT_EQ(getTeleportColour(c.type), c.colour) << c.type;
        EXPECT_STREQ(powerupDumpName(c.type), c.name) << c.type;
    }
    EXPECT_STREQ(powerupIconStem(6), "iconheatgun");
    EXPECT_STREQ(powerupIconExtension(6), ".png");
    EXPECT_EQ(powerupIconStem(0), nullptr);
    EXPECT_EQ(powerupIconStem(15), nullptr);
}

TEST(PowerupInventory, NineSlotsFillInOrderAndATenthIsRefused)
{
    Board board(R"(
        P.
        ##
    )");
    CElementAIProfessor* p = professor();
    for (int i = 0; i < 9; ++i) {
        ASSERT_TRUE(p->addPowerup(1 + i % 8));
        EXPECT_FALSE(p->getIcon(i, 0)->IsHidden());
        EXPECT_FALSE(p->getIcon(i, 1 + i % 8)->IsHidden());
    }
    EXPECT_FALSE(p->addPowerup(POWERUP_TYPE_CRATE));
    EXPECT_EQ(p->getPowerup(8), 1);
    // Out-of-range slots read as empty and removing them changes nothing.
    EXPECT_EQ(p->getPowerup(-1), 0);
    EXPECT_EQ(p->getPowerup(9), 0);
    p->removePowerup(9);
    p->removePowerup(-1);
    EXPECT_EQ(p->getPowerup(8), 1);
}

TEST(PowerupInventory, OnlyTypesOfTheTableEnterASlot)
{
    Board board(R"(
        P.
        ##
    )");
    CElementAIProfessor* p = professor();
    EXPECT_FALSE(p->addPowerup(POWERUP_NONE));
    EXPECT_FALSE(p->addPowerup(-1));
    EXPECT_FALSE(p->addPowerup(POWERUP_TYPE_COUNT));
    EXPECT_EQ(p->getPowerup(0), POWERUP_NONE);
    EXPECT_TRUE(p->addPowerup(POWERUP_TELEPORT_RED_LAST));
    EXPECT_EQ(p->getPowerup(0), POWERUP_TELEPORT_RED_LAST);
}

TEST(PowerupInventory, RemovingShiftsTheLaterSlotsLeftAndHidesTheLastNumber)
{
    Board board(R"(
        P.
        ##
    )");
    CElementAIProfessor* p = professor();
    p->addPowerup(POWERUP_TYPE_CRATE);
    p->addPowerup(POWERUP_TYPE_FROSTGUN);
    p->addPowerup(POWERUP_TYPE_WHISTLE);
    p->removePowerup(0);
    EXPECT_EQ(p->getPowerup(0), POWERUP_TYPE_FROSTGUN);
    EXPECT_EQ(p->getPowerup(1), POWERUP_TYPE_WHISTLE);
    EXPECT_EQ(p->getPowerup(2), POWERUP_NONE);
    EXPECT_FALSE(p->getIcon(0, POWERUP_TYPE_FROSTGUN)->IsHidden());
    EXPECT_TRUE(p->getIcon(0, POWERUP_TYPE_CRATE)->IsHidden());
    EXPECT_FALSE(p->getIcon(1, 0)->IsHidden());
    EXPECT_TRUE(p->getIcon(2, 0)->IsHidden());
    EXPECT_TRUE(p->getIcon(2, POWERUP_TYPE_WHISTLE)->IsHidden());
}

TEST(PowerupInventory, ATeleportLeavesItsLastEndInTheSameSlot)
{
    Board board(R"(
        P.
        ##
    )");
    CElementAIProfessor* p = professor();
    p->addPowerup(POWERUP_TELEPORT_RED);
    p->addPowerup(POWERUP_TYPE_BARREL);
    p->removePowerup(0);
    EXPECT_EQ(p->getPowerup(0), POWERUP_TELEPORT_RED_LAST);
    EXPECT_EQ(p->getPowerup(1), POWERUP_TYPE_BARREL);
    EXPECT_TRUE(p->getIcon(0, POWERUP_TELEPORT_RED)->IsHidden());
    EXPECT_FALSE(p->getIcon(0, POWERUP_TELEPORT_RED_LAST)->IsHidden());
    p->removePowerup(0);
    EXPECT_EQ(p->getPowerup(0), POWERUP_TYPE_BARREL);
    EXPECT_EQ(p->getPowerup(1), POWERUP_NONE);
}

TEST(PowerupUse, ACrateAppearsOnTheEighthUpdateInTheCellHeFaces)
{
    Board board(R"(
        .P...
        #####
    )");
    readyWith(board, POWERUP_TYPE_CRATE, false);
    std::string log = useAndLog(0);
    EXPECT_TRUE(contains(log, "Using powerup 0"));
    EXPECT_FALSE(contains(log, "Cannot create powerup"));
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_NONE);
    // The target cell is reserved by the professor until the crate appears.
    EXPECT_EQ(board.at(2, 0), professor());
    board.step(7);
    EXPECT_EQ(board.at(2, 0), professor());
    board.step(1);
    ASSERT_EQ(boardtest::Board::glyph(board.at(2, 0)), 'c');
    EXPECT_EQ(board.at(2, 0)->spawned, 1);
    ASSERT_EQ(CElement::spawnedElements.size(), 1u);
    // The use animation ends and the professor is free again.
    EXPECT_GE(stepUntil(board, [] { return !professor()->isUsingPowerup(); }, 200), 0);
}

TEST(PowerupUse, FacingLeftTheMagnetIsALeftMagnetAndTheBarrelGoesLeft)
{
    Board board(R"(
        ...P..
        ######
    )");
    readyWith(board, POWERUP_TYPE_MAGNET, true);
    useAndLog(0);
    board.step(8);
    ASSERT_EQ(boardtest::Board::glyph(board.at(2, 0)), 'm');
    stepUntil(board, [] { return !professor()->isUsingPowerup(); }, 200);
    hold(board, TURN, 1);
    board.step(20);
    professor()->addPowerup(POWERUP_TYPE_BARREL);
    useAndLog(0);
    board.step(8);
    EXPECT_EQ(boardtest::Board::glyph(board.at(4, 0)), 'o');
}

TEST(PowerupUse, EachPlacingPowerupIsRefusedWithTheFailSoundWhenItsCellIsTaken)
{
    // Facing a wall: crate, barrel and magnet have no cell; the bridge's
    // cell (below the wall) is taken too.
    for (int type : {POWERUP_TYPE_CRATE, POWERUP_TYPE_BARREL, POWERUP_TYPE_MAGNET, POWERUP_TYPE_BRIDGE}) {
        SCOPED_TRACE(type);
        Board board(R"(
            .P#..
            #####
        )");
        readyWith(board, type, false);
        int before = CElement::undoCount;
        std::string log = useAndLog(0);
        EXPECT_TRUE(contains(log, "Cannot create powerup 0"));
        EXPECT_TRUE(contains(log, "powerup_fail.ogg"));
        EXPECT_EQ(professor()->getPowerup(0), type);
        EXPECT_FALSE(professor()->isUsingPowerup());
        // The test of the target came after the undo step was recorded.
        EXPECT_EQ(CElement::undoCount, before + 1);
    }
}

TEST(PowerupUse, ATeleportEndNeedsSolidGroundUnderBothItsCells)
{
    Board board(R"(
        .P...
        ##.##
    )");
    readyWith(board, POWERUP_TELEPORT_BLUE, false);
    std::string log = useAndLog(0);
    EXPECT_TRUE(contains(log, "Cannot create powerup 0"));
    EXPECT_TRUE(contains(log, "powerup_fail.ogg"));
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_TELEPORT_BLUE);
    // Facing left both cells stand on grass.
    hold(board, TURN, 1);
    board.step(20);
    EXPECT_FALSE(contains(useAndLog(0), "Cannot create powerup"));
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_TELEPORT_BLUE_LAST);
}

TEST(PowerupUse, NoUseWithoutSupportUnderTheProfessor)
{
    Board board(R"(
        .H...
        .H...
        PH...
        #####
    )");
    settle(board);
    oneMove(board, RIGHT);
    oneMove(board, UP);
    ASSERT_EQ(professor()->y, 1);
    ASSERT_FALSE(professor()->IsSupportedBelow(false));
    professor()->addPowerup(POWERUP_TYPE_WHISTLE);
    int before = CElement::undoCount;
    std::string log = useAndLog(0);
    EXPECT_TRUE(contains(log, "powerup_fail.ogg"));
    EXPECT_FALSE(contains(log, "Using powerup"));
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_TYPE_WHISTLE);
    EXPECT_EQ(CElement::undoCount, before);
}

TEST(PowerupUse, ACrateFacingATrampolineOrTheBoardEdgeIsRefused)
{
    Board board(R"(
        .PT.
        ####
    )");
    readyWith(board, POWERUP_TYPE_CRATE, false);
    EXPECT_TRUE(contains(useAndLog(0), "Cannot create powerup"));
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_TYPE_CRATE);

    Board edge(R"(
        ..P
        ###
    )", boardtest::defaultLegend(), 10, 29);
    readyWith(edge, POWERUP_TYPE_CRATE, false);
    EXPECT_TRUE(contains(useAndLog(0), "Cannot create powerup"));
    edge.step(20);
    for (CElement* e : CElement::allElements)
        EXPECT_TRUE(e->IsNull() || isOnBoard(e->x, e->y) || e->IsDevice());
    // Turned round he may place it.
    hold(edge, TURN, 1);
    edge.step(20);
    EXPECT_FALSE(contains(useAndLog(0), "Cannot create powerup"));
}

TEST(PowerupUse, AnEmptySlotOrABusyProfessorOnlyPlaysTheFailSoundAndSavesNothing)
{
    Board board(R"(
        .c..
        .P..
        ####
    )");
    readyWith(board, POWERUP_TYPE_CRATE, false);
    int before = CElement::undoCount;
    // Slots outside the bar are refused like empty ones.
    for (int slot : {-1, 9}) {
        std::string outside = useAndLog(slot);
        EXPECT_TRUE(contains(outside, "powerup_fail.ogg"));
        EXPECT_FALSE(contains(outside, "Using powerup"));
    }
    std::string empty = useAndLog(3);
    EXPECT_TRUE(contains(empty, "powerup_fail.ogg"));
    EXPECT_FALSE(contains(empty, "Using powerup"));
    // Something right above him: refused before any undo step.
    std::string above = useAndLog(0);
    EXPECT_TRUE(contains(above, "powerup_fail.ogg"));
    EXPECT_FALSE(contains(above, "Using powerup"));
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_TYPE_CRATE);
    EXPECT_EQ(CElement::undoCount, before);
}

TEST(PowerupUse, AUseDroppedByFreezingGivesTheReservedCellBack)
{
    Board board(R"(
        .P...
        #####
    )");
    readyWith(board, POWERUP_TYPE_CRATE, false);
    useAndLog(0);
    ASSERT_EQ(board.at(2, 0), professor());
    board.step(3);
    ASSERT_TRUE(professor()->Freeze());
    board.step(1);
    EXPECT_EQ(professor()->getActivePowerup(), POWERUP_NONE);
    EXPECT_FALSE(professor()->isUsingPowerup());
    EXPECT_EQ(board.at(2, 0), CElement::nullElement);
    EXPECT_EQ(board.at(1, 0), professor());
    board.step(20);
    EXPECT_TRUE(CElement::spawnedElements.empty());
}

TEST(PowerupUse, ABridgeGrowsOnePieceAFrameAcrossTheGapAndStopsAtTheWall)
{
    Board board(R"(
        .P...#
        ##...#
    )");
    readyWith(board, POWERUP_TYPE_BRIDGE, false);
    useAndLog(0);
    board.step(7);
    EXPECT_FALSE(board.at(2, 1)->IsBridge());
    board.step(1);
    EXPECT_TRUE(board.at(2, 1)->IsBridge());
    EXPECT_FALSE(board.at(3, 1)->IsBridge());
    board.step(1);
    EXPECT_TRUE(board.at(3, 1)->IsBridge());
    board.step(1);
    EXPECT_TRUE(board.at(4, 1)->IsBridge());
    EXPECT_EQ(professor()->getActivePowerup(), POWERUP_NONE);
    EXPECT_FALSE(professor()->heatImmune);
    board.step(5);
    EXPECT_EQ(CElement::spawnedElements.size(), 3u);
}

TEST(PowerupUse, ABridgeStopsAtTheBoardsEdge)
{
    Board board(R"(
        .P...
        ##...
    )", boardtest::defaultLegend(), 0, 27);
    readyWith(board, POWERUP_TYPE_BRIDGE, false);
    ASSERT_EQ(professor()->x, 28);
    useAndLog(0);
    board.step(12);
    for (int x = 29; x < 32; ++x)
        EXPECT_TRUE(board.at(x, 1)->IsBridge()) << x;
    EXPECT_EQ(professor()->getActivePowerup(), POWERUP_NONE);
    EXPECT_FALSE(professor()->heatImmune);
    board.step(5);
    EXPECT_EQ(CElement::spawnedElements.size(), 3u);
    for (CElement* e : CElement::allElements)
        EXPECT_LT(e->x, CElement::GRID_WIDTH);
}

// On a ladder, with a barrel rolling into the cell below him: no use while
// the element below moves; the power-up stays and no step is recorded.
TEST(PowerupUse, NoUseWhileTheElementBelowMoves)
{
    Board board(kLadderAboveABarrelsWay, ladderLegend());
    settle(board);
    press(DOWN);
    press(DOWN, true);
    ASSERT_TRUE(professor()->addPowerup(POWERUP_TYPE_WHISTLE));
    rollBarrelUnderHim(board);
    board.step(1);
    ASSERT_TRUE(board.at(1, 1)->moving);
    int steps = CElement::undoCount;
    std::string log = useAndLog(0);
    EXPECT_FALSE(professor()->isUsingPowerup());
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_TYPE_WHISTLE);
    EXPECT_EQ(CElement::undoCount, steps);
    // At rest again, the same use goes through.
    board.step(10);
    useAndLog(0);
    EXPECT_TRUE(professor()->isUsingPowerup());
}

TEST(PowerupUse, ShotsFlyAwayFromTheProfessor)
{
    for (int type : {POWERUP_TYPE_FROSTGUN, POWERUP_TYPE_HEATGUN}) {
        Board board(R"(
            .P......
            ########
        )");
        readyWith(board, type, false);
        useAndLog(0);
        board.step(8);
        ASSERT_EQ(CElement::spawnedElements.size(), 1u);
        CElement* shot = CElement::spawnedElements[0];
        EXPECT_TRUE(shot->IsGunshot());
        int startX = shot->x;
        board.step(8);
        EXPECT_GT(shot->x, startX);
    }
}

TEST(PowerupUse, ATeleportWithBothEndsLeavesTheLastEndInItsSlot)
{
    Board board(R"(
        ..P.....
        ########
    )");
    readyWith(board, POWERUP_TELEPORT_BLUE, false);
    EXPECT_FALSE(contains(useAndLog(0), "Cannot create powerup"));
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_TELEPORT_BLUE_LAST);
    board.step(8);
    ASSERT_EQ(CElement::spawnedElements.size(), 1u);
    EXPECT_TRUE(CElement::spawnedElements[0]->IsTeleport());
    EXPECT_EQ(CElement::spawnedElements[0]->x, 2);
}

TEST(PowerupUse, TheWhistleAndTheEmpActOnTheEighteenthUpdate)
{
    Board board(R"(
        .....#.....
        .....A.....
        .P.........
        ###########
    )");
    readyWith(board, POWERUP_TYPE_WHISTLE, false);
    CElementAIBot* bot = bots().at(0);
    useAndLog(0);
    board.step(17);
    EXPECT_FALSE(bot->isActive());
    board.step(1);
    EXPECT_TRUE(bot->isActive());
}

TEST(PowerupUndo, UndoTakesEachSpawnedElementAwayAndGivesTheSlotBack)
{
    for (int type : {POWERUP_TYPE_CRATE, POWERUP_TYPE_BARREL, POWERUP_TYPE_MAGNET, POWERUP_TYPE_FROSTGUN,
                     POWERUP_TYPE_HEATGUN, POWERUP_TYPE_BRIDGE, POWERUP_TELEPORT_YELLOW, POWERUP_TYPE_EMP,
                     POWERUP_TYPE_WHISTLE}) {
        SCOPED_TRACE(type);
        // The bridge needs a gap, the teleport solid ground under both cells.
        const char* gap = R"(
            ..P.....
            ###...##
        )";
        const char* floor = R"(
            ..P.....
            ########
        )";
        Board board(isTeleportPowerup(type) ? floor : gap);
        readyWith(board, type, false);
        const std::string before = board.state();
        useAndLog(0);
        bool spawns = type != POWERUP_TYPE_EMP && type != POWERUP_TYPE_WHISTLE;
        board.step(spawns ? 12 : 20);
        ASSERT_EQ(CElement::spawnedElements.empty(), !spawns);
        size_t elements = CElement::allElements.size();
        CElement::UndoLoad(false);
        EXPECT_TRUE(CElement::spawnedElements.empty());
        if (spawns) {
            EXPECT_LT(CElement::allElements.size(), elements);
        }
        EXPECT_EQ(professor()->getPowerup(0), type);
        EXPECT_FALSE(professor()->getIcon(0, type)->IsHidden());
        EXPECT_FALSE(professor()->getIcon(0, 0)->IsHidden());
        EXPECT_FALSE(professor()->isUsingPowerup());
        EXPECT_EQ(professor()->x, 2);
        for (int x = 3; x < 6; ++x)
            EXPECT_FALSE(board.at(x, 0) == professor());
        // The whole board as it stood when the power-up was used.
        EXPECT_EQ(board.state(), before);
    }
}

TEST(PowerupUndo, UndoPutsACollectedPowerupBackOnTheBoard)
{
    Board board(R"(
        P.p.
        ####
    )");
    settle(board);
    press(DOWN); // the level's first action records nothing
    press(DOWN, true);
    oneMove(board, RIGHT);
    const std::string before = board.state();
    oneMove(board, RIGHT);
    board.step(20);
    ASSERT_EQ(professor()->getPowerup(0), POWERUP_TYPE_CRATE);
    ASSERT_FALSE(CElementDevicePowerup::isPowerupAt(2, 0));
    CElement::UndoLoad(false);
    EXPECT_TRUE(CElementDevicePowerup::isPowerupAt(2, 0));
    EXPECT_EQ(professor()->getPowerup(0), POWERUP_NONE);
    EXPECT_EQ(board.state(), before);
}
