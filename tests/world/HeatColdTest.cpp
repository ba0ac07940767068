// Freezing, heating, the heat transfer between neighbours and the effects.
#include <gtest/gtest.h>

#include "world/CElement.h"
#include "world/BoardHarness.h"

using boardtest::Board;
using boardtest::trimPicture;

TEST(Cold, FreezingAHeatedCrateLeavesItNeitherHeatedNorFrozen)
{
    Board board("*\n#");
    CElement* crate = board.at(0, 0);
    ASSERT_TRUE(crate->heated);
    EXPECT_TRUE(crate->Freeze());
    EXPECT_FALSE(crate->heated);
    EXPECT_FALSE(crate->frozen);
    EXPECT_TRUE(crate->cooling);
    // A second cold snap freezes it.
    EXPECT_TRUE(crate->Freeze());
    EXPECT_TRUE(crate->frozen);
}

TEST(Cold, TerrainThatCannotFreezeRefuses)
{
    Board board("#");
    EXPECT_FALSE(board.at(0, 0)->Freeze());
    EXPECT_FALSE(board.at(0, 0)->frozen);
}

TEST(Heat, HeatingAFrozenBotThawsItWithSteamAndItStays)
{
    Board board("F\n#");
    CElement* bot = board.at(0, 0);
    ASSERT_TRUE(bot->frozen);
    EXPECT_TRUE(bot->Heat(true, true));
    EXPECT_FALSE(bot->frozen);
    EXPECT_TRUE(bot->steamActive);
    EXPECT_TRUE(bot->thawing);
    EXPECT_TRUE(bot->effectSilenced);
    EXPECT_TRUE(CElement::isHeatedPosition(0, 0));
    EXPECT_EQ(board.at(0, 0), bot);
    board.step(60);
    EXPECT_FALSE(bot->steamActive); // the cloud has played
    EXPECT_FALSE(bot->effectSilenced);
    EXPECT_EQ(board.at(0, 0), bot);
}

TEST(Heat, AHeatedCrateBurnsTheWoodenCrateBesideItAndCools)
{
    Board board(R"(
        *c
        ##
    )");
    CElement* hot = board.at(0, 0);
    CElement* wood = board.at(1, 0);
    board.step(1);
    EXPECT_EQ(board.at(1, 0), CElement::nullElement); // gone from the grid in the same step
    EXPECT_TRUE(wood->heatEffectActive);
    EXPECT_FALSE(wood->canFall);
    EXPECT_FALSE(hot->heated);
    EXPECT_TRUE(hot->cooling);
    board.step(80);
    EXPECT_TRUE(wood->exploded);
    EXPECT_FALSE(wood->heatEffectActive);
}

TEST(Heat, AFallingHeatedCratePassesNoHeat)
{
    Board board(R"(
        *c
        .#
        .#
    )");
    CElement* hot = board.at(0, 0);
    CElement* wood = board.at(1, 0);
    board.step(1);
    EXPECT_TRUE(hot->falling);
    EXPECT_TRUE(hot->heated);
    EXPECT_EQ(board.at(1, 0), wood);
    EXPECT_FALSE(wood->heatEffectActive);
}

TEST(Heat, ABridgeAboveAHeatedCrateTakesNoHeatButOneBesideItDoes)
{
    Board above(R"(
        _.
        *.
        ##
    )");
    CElement* high = above.at(0, 0);
    above.step(1);
    EXPECT_EQ(above.at(0, 0), high);
    EXPECT_FALSE(high->heatEffectActive);
    EXPECT_TRUE(above.at(0, 1)->heated);

    Board beside(R"(
        *_
        #.
    )");
    CElement* bridge = beside.at(1, 0);
    beside.step(1);
    EXPECT_NE(beside.at(1, 0), bridge);
    EXPECT_FALSE(beside.at(0, 0)->heated);
}

TEST(Heat, AHeatedCrateBurnsTheBridgeBelowIt)
{
    Board board(R"(
        *
        _
        .
        #
    )");
    CElement* bridge = board.at(0, 1);
    board.step(1);
    EXPECT_TRUE(bridge->heatEffectActive);
    EXPECT_NE(board.at(0, 1), bridge);
    EXPECT_FALSE(board.at(0, 0)->heated);
}

TEST(Heat, AHeatedHangingBotBurnsTheBridgeItHangsFrom)
{
    Board board(R"(
        _
        A
        .
        #
    )");
    CElement* bridge = board.at(0, 0);
    CElement* bot = board.at(0, 1);
    ASSERT_FALSE(bot->canFall); // hanging
    ASSERT_TRUE(bot->Heat(false, false));
    board.step(1);
    EXPECT_TRUE(bridge->heatEffectActive);
    EXPECT_NE(board.at(0, 0), bridge);
    // A standing bot passes no heat up into a bridge above it.
    Board standing(R"(
        _
        <
        #
    )");
    CElement* above = standing.at(0, 0);
    ASSERT_TRUE(standing.at(0, 1)->Heat(false, false));
    standing.step(1);
    EXPECT_EQ(standing.at(0, 0), above);
    EXPECT_FALSE(above->heatEffectActive);
}

TEST(Heat, APlainMetalCrateIsNotHeatedByContact)
{
    Board board(R"(
        *C
        ##
    )");
    board.step(3);
    EXPECT_TRUE(board.at(0, 0)->heated); // no taker: it keeps its heat
    EXPECT_FALSE(board.at(1, 0)->heated);
}

TEST(Heat, HeatedPositionsAreListedOnce)
{
    Board board;
    CElement::clearHeatedPositions();
    CElement::addHeatedPosition(3, 4);
    CElement::addHeatedPosition(3, 4);
    EXPECT_TRUE(CElement::isHeatedPosition(3, 4));
    EXPECT_FALSE(CElement::isHeatedPosition(4, 3));
    // A cell that took heat this frame counts as taking it again.
    EXPECT_TRUE(CElement::transferHeat(3, 4, CElement::nullElement, false));
    CElement::clearHeatedPositions();
    EXPECT_FALSE(CElement::transferHeat(3, 4, CElement::nullElement, false));
}

TEST(Heat, DelayedHeatIsUsedOnce)
{
    Board board("c\n#");
    CElement* crate = board.at(0, 0);
    EXPECT_FALSE(crate->UseDelayedHeat());
    crate->SetDelayedHeat(true);
    EXPECT_TRUE(crate->UseDelayedHeat());
    EXPECT_FALSE(crate->UseDelayedHeat());
}

TEST(Heat, BesideTheProfessorHeatWaitsForADelayedHeatAboveHimItSingesAtOnce)
{
    Board beside(".P*.\n####");
    CElement* p = beside.professor();
    ASSERT_NE(p, nullptr);
    CElement* hot = beside.at(2, 0);
    CElement::clearHeatedPositions();
    EXPECT_FALSE(CElement::transferHeat(p->x, p->y, hot, false));
    EXPECT_FALSE(p->heated);
    p->SetDelayedHeat(true);
    EXPECT_TRUE(CElement::transferHeat(p->x, p->y, hot, false));
    EXPECT_TRUE(p->heated);
    EXPECT_FALSE(p->delayedHeat);

    Board above(".*..\n.P..\n####");
    CElement* q = above.professor();
    ASSERT_NE(q, nullptr);
    CElement::clearHeatedPositions();
    EXPECT_TRUE(CElement::transferHeat(q->x, q->y, above.at(1, 0), false));
}

TEST(Heat, NoHeatForTheProfessorOnceCaughtOrExited)
{
    Board board(".P..\n####");
    CElement* p = board.professor();
    ASSERT_NE(p, nullptr);
    CElement::caught = 1;
    EXPECT_FALSE(p->Heat(false, false));
    EXPECT_FALSE(p->Freeze());
    CElement::caught = 0;
    CElement::exited = 1;
    EXPECT_FALSE(p->Heat(false, false));
    CElement::exited = 0;
    CElement::singed = 1;
    EXPECT_FALSE(p->Freeze());
}
