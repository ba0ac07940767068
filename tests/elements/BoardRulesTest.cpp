// The board rules of docs/board-rules.md that are about motion, each as a
// small board stepped through the real world step.
//
// Legend (the harness's): # grass  : sand  ~ ice  _ bridge  - frozen bridge
// c wooden crate (frozen or not)  C metal crate  f frozen wooden crate  m/M magnets
// g blue gate  b blue button  T trampoline  X exit tube  1 blue teleport end
// * heated metal crate  H ladder  = ladder with a platform  p power-up
#include <gtest/gtest.h>

#include "elements/CElementDeviceButton.h"
#include "elements/CElementDevicePowerup.h"
#include "elements/CElementDeviceGate.h"
#include "elements/CElementDeviceTeleport.h"
#include "elements/CElementDeviceTube.h"
#include "elements/CElementObjectMagnet.h"
#include "level/TileCodes.h"
#include "world/BoardHarness.h"

using boardtest::Board;
using boardtest::Legend;
using boardtest::LegendEntry;
using boardtest::trimPicture;

namespace {

// The default legend and a frozen bridge.
const Legend& rulesLegend()
{
    static const Legend legend = [] {
        Legend l = boardtest::defaultLegend();
        LegendEntry frozenBridge;
        frozenBridge.tile = TERRAIN_BRIDGE;
        frozenBridge.flags = CELL_FROZEN;
        l['-'] = frozenBridge;
        return l;
    }();
    return legend;
}

// Starts a slide of the element in the cell: it goes on as if it had just
// moved that way.
void setSliding(Board& board, int x, int y, bool left)
{
    CElement* e = board.at(x, y);
    ASSERT_FALSE(e->IsNull());
    e->SetWasMovingLeft(left);
    e->SetWasMovingRight(!left);
}

} // namespace

TEST(BoardRules, IceAndAMagnetDrawAMetalCrateAlongUntilItIsHeld)
{
    Board board(R"(
        C.....m
        ~~~~~~#
    )", rulesLegend());
    board.step(80);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        .....Cm
        ~~~~~~#
    )"));
    EXPECT_TRUE(board.at(5, 0)->IsMagnetHeld());
}

TEST(BoardRules, MetalOnSandStaysAndTheMagnetComesToIt)
{
    Board board(R"(
        M....C
        #####:
    )", rulesLegend());
    board.step(60);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        ....MC
        #####:
    )"));
    EXPECT_TRUE(board.at(5, 0)->IsMagnetHeld());
}

TEST(BoardRules, ACrateOnAButtonOpensTheGateAndTheGateClosesWhenItBurns)
{
    Board board(R"(
        ..c..
        ..b.g
        #####
    )", rulesLegend());
    board.step(40);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        .....
        ..c..
        #####
    )"));
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(0), 1);
    // The crate burns away; the button springs up and the gate drops again.
    board.at(2, 1)->Heat(false, false);
    board.step(40);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        .....
        ....g
        #####
    )"));
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(0), 0);
}

TEST(BoardRules, AnOpenGateLetsThingsFallThroughAClosedOneCarries)
{
    // The blue button opens the blue gate only; the red gate stays shut.
    Board board(R"(
        c..cc
        g..br
        #####
    )", rulesLegend());
    board.step(40);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        ....c
        c..cg
        #####
    )")) << "pictures draw every gate as g";
}

TEST(BoardRules, SteppingOffABridgeCollapsesItAFrozenOneHolds)
{
    Board board(R"(
        f...c
        _~~~#
        f...c
        -~~~#
    )", rulesLegend());
    setSliding(board, 0, 0, false);
    setSliding(board, 0, 2, false);
    board.step(60);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        ...cc
        .~~~#
        ...cc
        _~~~#
    )"));
    EXPECT_TRUE(board.at(3, 0)->GetFrozen());
}

TEST(BoardRules, ATrampolineFlingsASlidingCrateBackTheWayItCame)
{
    Board board(R"(
        f..T.
        ~~~#.
    )", rulesLegend());
    setSliding(board, 0, 0, false);
    CElement* crate = board.at(0, 0);
    int furthest = 0;
    bool wasOnTrampoline = false;
    for (int i = 0; i < 150; ++i) {
        board.step();
        furthest = std::max(furthest, crate->GetX());
        wasOnTrampoline |= crate->GetTramp() != 0;
    }
    EXPECT_EQ(furthest, 3);
    EXPECT_TRUE(wasOnTrampoline);
    EXPECT_EQ(crate->GetX(), 0);
    EXPECT_FALSE(crate->moving);
    EXPECT_FALSE(crate->GetTramp());
}

TEST(BoardRules, AnythingFallingIntoTheExitTubeBreaksItAndEndsTheLevel)
{
    Board board(R"(
        c.
        X.
        ##
    )", rulesLegend());
    board.step(10);
    EXPECT_TRUE(CElement::GetExitTubeDestroyed());
    EXPECT_FALSE(CElementDeviceTube::IsExitAt(0, 1));
    board.step(CElementDeviceTube::BREAK_PICTURES * 2);
    EXPECT_TRUE(CElement::GetLevelEnded());
}

TEST(BoardRules, ASlideIntoATeleportEndGoesOnFromTheOtherEnd)
{
    Board board(R"(
        f.1.....1..#
        ~~~~~~~~~~~~
    )", rulesLegend());
    setSliding(board, 0, 0, false);
    CElement* crate = board.at(0, 0);
    bool crossedTheMiddle = false;
    for (int i = 0; i < 120; ++i) {
        board.step();
        crossedTheMiddle |= crate->GetX() >= 4 && crate->GetX() <= 8;
    }
    EXPECT_FALSE(crossedTheMiddle);
    EXPECT_EQ(board.at(10, 0), crate);
    EXPECT_FALSE(crate->moving);
}

TEST(BoardRules, ALoneTeleportEndIsPassedOver)
{
    Board board(R"(
        f.1....#
        ~~~~~~~~
    )", rulesLegend());
    setSliding(board, 0, 0, false);
    board.step(80);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        ......c#
        ~~~~~~~~
    )"));
}

TEST(BoardRules, UndoPutsTheCrateBackAboveTheButtonAndClosesTheGate)
{
    Board board(R"(
        ..c..
        ..b.g
        #####
    )", rulesLegend());
    const std::string built = board.picture();
    board.step(40); // the first step records the board as built
    ASSERT_EQ(CElementDeviceButton::GetPressedCount(0), 1);
    ASSERT_EQ(board.at(4, 1), CElement::nullElement);
    CElement::UndoLoad(true);
    EXPECT_EQ(board.picture(), built);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(0), 0);
    auto* gate = static_cast<CElementDeviceGate*>(board.at(4, 1));
    ASSERT_TRUE(gate->IsGate());
    EXPECT_TRUE(gate->IsClosed());
    // And it all happens again.
    board.step(40);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(0), 1);
    EXPECT_EQ(board.at(4, 1), CElement::nullElement);
}

TEST(BoardRules, AHotCrateMeltsTheIceItRestsOnAndCoolsDown)
{
    Board board(R"(
        *.
        ~.
        #.
    )", rulesLegend());
    board.step(30);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        ..
        C.
        #.
    )"));
    EXPECT_FALSE(board.at(0, 1)->GetHeated());
}

TEST(BoardRules, AMagnetHoldsMetalInTheAirUntilTheEmp)
{
    Board board(R"(
        Cm
        .#
        ##
    )", rulesLegend());
    board.step(20);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        Cm
        .#
        ##
    )"));
    CElementObjectMagnet::ActivateEmp();
    board.step(20);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        .m
        C#
        ##
    )"));
}

TEST(BoardRules, ThingsFallThroughLaddersAndPowerupsButRestOnAPlatform)
{
    Board board(R"(
        c.c.c
        H.p.=
        H...H
        #####
    )", rulesLegend());
    board.step(40);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        ....c
        H...=
        c.c.H
        #####
    )"));
    EXPECT_TRUE(CElementDevicePowerup::isPowerupAt(2, 1));
}

namespace {

// Half a board of every board object the legend knows (walkers left out),
// laid out by a fixed pattern so that each kind stands beside every other.
std::string crowdedBoard()
{
    const std::string kinds = "#:~_cCf*hoOmMH=T1X23gryRbYupewW..........";
    std::string rows;
    for (int y = 0; y < CElement::GRID_HEIGHT / 2; ++y) {
        for (int x = 0; x < CElement::GRID_WIDTH; ++x)
            rows += kinds[static_cast<size_t>((x * 7 + y * 11 + x * y) % static_cast<int>(kinds.size()))];
        rows += '\n';
    }
    return rows;
}

} // namespace

TEST(BoardRules, ACrowdedBoardStepsWithoutStaleCellsAndTheSameWayTwice)
{
    // The board state also holds landing frames, which count from the start
    // of the process; the picture of where everything is does not.
    std::string first;
    for (int run = 0; run < 2; ++run) {
        Board board(crowdedBoard(), rulesLegend());
        for (int i = 0; i < 2; ++i) {
            board.step(40);
            EXPECT_EQ(boardtest::staleCells(), "");
        }
        CElementObjectMagnet::ActivateEmp();
        board.step(60);
        EXPECT_EQ(boardtest::staleCells(), "");
        if (run == 0)
            first = board.picture();
        else
            EXPECT_EQ(board.picture(), first);
    }
}

TEST(BoardRules, UndoAfterAWhileGivesBackTheBoardAsBuiltForEveryKindOfObject)
{
    // Falling, melting, burning, collapsing, pulling, pressing and breaking
    // all happen here; one undo takes the board back to how it was built.
    Board board(R"(
        *.c..c.C..m.c..f.u.p
        ~.b.g_.##.#.X.._~~~~
        #.###.H........#.:::
        ####.#=####.TTT#####
        1.....1.2.......2...
        ####################
    )", rulesLegend());
    const std::string built = board.state();
    board.step(90);
    ASSERT_NE(board.state(), built);
    // The crate in the exit tube ended the level; the post-level undo clears
    // that mark before it undoes.
    ASSERT_TRUE(CElement::GetExitTubeDestroyed());
    ASSERT_TRUE(CElement::GetLevelEnded());
    CElement::clearLevelEnded();
    CElement::UndoLoad(true);
    EXPECT_EQ(board.state(), built);
    EXPECT_FALSE(CElement::GetExitTubeDestroyed());
}
