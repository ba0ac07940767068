// Buttons and gates: the pressed counts per colour, a gate opening while a
// button of its colour is pressed and closing behind an empty gateway, and
// both through a level reset and undo.
#include <gtest/gtest.h>

#include "elements/CElementDeviceButton.h"
#include "elements/CElementDeviceGate.h"
#include "elements/CElementObjectCrate.h"
#include "elements/CElementTerrainGrass.h"
#include "world/BoardHarness.h"

using boardtest::Board;

namespace {
enum { BLUE = 0, RED = 1, YELLOW = 2 };

// Pumps the elements as the world step's per-element pass does.
void pumpAll(int steps = 1)
{
    for (int i = 0; i < steps; ++i)
        for (size_t k = 0; k < CElement::allElements.size(); ++k)
            CElement::allElements[k]->Pump();
}
} // namespace

TEST(Button, IsPressedWhileSomethingIsInItsCellAndCountsInItsColour)
{
    Board board;
    auto* button = new CElementDeviceButton(3, 5, RED);
    EXPECT_EQ(getElementAt(3, 5, false), CElement::nullElement); // it takes no room
    pumpAll();
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(RED), 0);
    auto* crate = new CElementObjectCrate(3, 5, 0, 0, 1);
    pumpAll();
    EXPECT_TRUE(button->IsPressed());
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(RED), 1);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(BLUE), 0);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(YELLOW), 0);
    // Staying pressed counts once.
    pumpAll(3);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(RED), 1);
    clearElementAt(3, 5);
    pumpAll();
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(RED), 0);
    (void)crate;
}

TEST(Button, TwoPressedButtonsOfOneColourCountTwo)
{
    Board board;
    new CElementDeviceButton(3, 5, YELLOW);
    new CElementDeviceButton(4, 5, YELLOW);
    new CElementObjectCrate(3, 5, 0, 0, 1);
    new CElementObjectCrate(4, 5, 0, 0, 1);
    pumpAll();
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(YELLOW), 2);
    clearElementAt(3, 5);
    pumpAll();
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(YELLOW), 1);
}

TEST(Button, ColoursOutsideTheThreeReadAsBlueAndCountNothing)
{
    Board board;
    auto* button = new CElementDeviceButton(3, 5, 7);
    EXPECT_EQ(button->GetColour(), BLUE);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(3), 0);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(-1), 0);
}

TEST(Button, CountsAreResetSavedAndRestored)
{
    Board board;
    new CElementDeviceButton(3, 5, BLUE);
    new CElementObjectCrate(3, 5, 0, 0, 1);
    pumpAll();
    CElementDeviceButton::savePressedCounts(0);
    clearElementAt(3, 5);
    pumpAll();
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(BLUE), 0);
    CElementDeviceButton::restorePressedCounts(0);
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(BLUE), 1);
    CElementDeviceButton::resetPressedCounts();
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(BLUE), 0);
    CElementDeviceButton::restorePressedCounts(0); // the copies went with the reset
    EXPECT_EQ(CElementDeviceButton::GetPressedCount(BLUE), 0);
}

TEST(Gate, AClosedGateFillsItsCellAndIsMetal)
{
    Board board;
    auto* gate = new CElementDeviceGate(8, 8, BLUE);
    EXPECT_EQ(getElementAt(8, 8, false), gate);
    EXPECT_TRUE(gate->IsGate());
    EXPECT_TRUE(gate->GetMetallic());
    EXPECT_FALSE(gate->GetMobile());
    EXPECT_FALSE(gate->GetCanFall());
    EXPECT_EQ(gate->GetFriction(), 0);
    EXPECT_FALSE(gate->PushLeft(true, false));
    EXPECT_FALSE(gate->Freeze());
    EXPECT_FALSE(gate->Heat(false, false));
    EXPECT_STREQ(gate->GetName(), "Gate Device");
}

TEST(Gate, OpensWhileAButtonOfItsColourIsPressedAndClosesBehindAnEmptyGateway)
{
    Board board;
    auto* blue = new CElementDeviceGate(8, 8, BLUE);
    auto* red = new CElementDeviceGate(9, 8, RED);
    new CElementDeviceButton(2, 5, BLUE);
    new CElementObjectCrate(2, 5, 0, 0, 1);
    pumpAll(2);
    EXPECT_FALSE(blue->IsClosed());
    EXPECT_EQ(getElementAt(8, 8, false), CElement::nullElement);
    EXPECT_TRUE(red->IsClosed());
    EXPECT_EQ(getElementAt(9, 8, false), red);
    pumpAll(20);
    EXPECT_EQ(blue->state, CElementDeviceGate::GATE_OPEN);

    // Something stands in the gateway when the button is let go: the gate
    // waits for it to leave.
    auto* inGateway = new CElementObjectCrate(8, 8, 0, 0, 1);
    clearElementAt(2, 5);
    pumpAll(3);
    EXPECT_EQ(blue->state, CElementDeviceGate::GATE_OPEN);
    EXPECT_EQ(getElementAt(8, 8, false), inGateway);
    clearElementAt(8, 8);
    inGateway->x = inGateway->prevX = 21;
    pumpAll();
    EXPECT_TRUE(blue->IsClosed());
    EXPECT_EQ(getElementAt(8, 8, false), blue);
    pumpAll(20);
    EXPECT_EQ(blue->state, CElementDeviceGate::GATE_CLOSED);
}

TEST(Gate, UndoPutsAnOpenGateBackClosedInItsCell)
{
    Board board;
    auto* gate = new CElementDeviceGate(8, 8, YELLOW);
    new CElementDeviceButton(2, 5, YELLOW);
    pumpAll();
    gate->SaveState(1);
    CElementDeviceButton::savePressedCounts(1);
    CElement* cellBefore = getElementAt(8, 8, false);
    new CElementObjectCrate(2, 5, 0, 0, 1);
    pumpAll(5);
    ASSERT_FALSE(gate->IsClosed());
    gate->RestoreState(1);
    CElementDeviceButton::restorePressedCounts(1);
    setElementAt(8, 8, cellBefore); // the undo ring restores the grid
    EXPECT_TRUE(gate->IsClosed());
    EXPECT_TRUE(gate->inGrid);
    EXPECT_EQ(getElementAt(8, 8, false), gate);
}

TEST(Gate, AnOpeningGateLetsGoOfItsMagnetLinks)
{
    Board board;
    auto* gate = new CElementDeviceGate(8, 8, BLUE);
    auto* other = new CElementObjectCrate(9, 8, 1, 0, 1);
    gate->SetMagnetLink(other, false);
    other->SetMagnetLink(gate, true);
    new CElementDeviceButton(2, 5, BLUE);
    new CElementObjectCrate(2, 5, 0, 0, 1);
    pumpAll(2);
    EXPECT_FALSE(gate->IsMagnetHeld());
    EXPECT_FALSE(other->IsMagnetHeld());
}

// A crate pushed out of the gateway holds the gate open until its move has
// ended: the gate does not drop onto its back.
TEST(Gate, ACratePushedOutOfTheGatewayKeepsItOpenUntilItsMoveEnds)
{
    Board board(R"(
        c..c..
        b..g..
        ######
    )");
    auto* gate = static_cast<CElementDeviceGate*>(board.at(3, 1));
    board.step(40);
    ASSERT_EQ(board.picture(), boardtest::trimPicture(R"(
        ......
        c..c..
        ######
    )"));
    // Off the button: the crate in the gateway keeps the gate open.
    ASSERT_TRUE(board.at(0, 1)->PushRight(true, false));
    board.step(20);
    ASSERT_EQ(gate->state, CElementDeviceGate::GATE_OPEN);
    CElement* leaving = board.at(3, 1);
    ASSERT_TRUE(leaving->PushRight(true, false));
    for (int i = 0; i < 7; ++i) {
        board.step(1);
        ASSERT_TRUE(leaving->moving);
        EXPECT_EQ(gate->state, CElementDeviceGate::GATE_OPEN) << "step " << i;
    }
    board.step(2);
    EXPECT_FALSE(leaving->moving);
    EXPECT_NE(gate->state, CElementDeviceGate::GATE_OPEN);
    EXPECT_EQ(board.at(3, 1), gate);
}
