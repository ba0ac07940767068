// Falling, the barrel squish and sliding, as small boards.
#include <gtest/gtest.h>

#include "engine/Sound.h"
#include "world/CElement.h"
#include "world/BoardHarness.h"

using boardtest::Board;
using boardtest::trimPicture;

namespace {

// Whole cell moves take 8 steps; a few more let every fall and slide settle.
const int SETTLE = 60;

} // namespace

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
    board.step(7);
    EXPECT_EQ(crate->pixelY, 21);
    board.step(1);
    EXPECT_EQ(crate->pixelY, 24);
    board.step(SETTLE);
    EXPECT_EQ(board.picture(), trimPicture("...\n...\n.c.\n###"));
    EXPECT_FALSE(crate->falling);
    EXPECT_FALSE(crate->moving);
}

TEST(Falling, AnUpperCrateLandsOnlyAfterTheLowerOneAndTheMarkLastsOneFrame)
{
    Board board(R"(
        c
        c
        .
        .
        #
    )");
    CElement* upper = board.at(0, 0);
    CElement* lower = board.at(0, 1);
    int upperLandings = 0;
    int lowerLandedAt = -1;
    for (int i = 0; i < SETTLE; ++i) {
        board.step(1);
        if (lower->justLanded && lowerLandedAt < 0)
            lowerLandedAt = i;
        if (upper->justLanded) {
            ++upperLandings;
            EXPECT_FALSE(lower->falling) << "step " << i;
        }
        if (lower->falling) {
            EXPECT_FALSE(upper->justLanded) << "step " << i;
        }
    }
    EXPECT_GE(lowerLandedAt, 0);
    // The mark of a landing is seen in exactly one step.
    EXPECT_EQ(upperLandings, 1);
    EXPECT_EQ(board.picture(), trimPicture(".\n.\nc\nc\n#"));
}

TEST(Falling, AnElementLeavingTheBottomStopsOnTheFallLimitRow)
{
    Board board(R"(
        c
    )", boardtest::defaultLegend(), 22);
    CElement* crate = board.at(0, 22);
    board.step(200);
    EXPECT_EQ(crate->y, CElement::FALL_LIMIT_ROW);
    EXPECT_FALSE(crate->moving);
    EXPECT_EQ(board.picture(22, 0, 2, 1), ".\n.");
}

TEST(BarrelSquish, AFrozenBotPushesABarrelOnGrassAsideAndDrops)
{
    // The barrel, which nobody rides, slides on grass to the wall.
    Board board(R"(
        #.F..#
        #.o..#
        ######
    )");
    board.step(SETTLE);
    EXPECT_EQ(board.picture(), trimPicture("#....#\n#.<.o#\n######"));
}

TEST(BarrelSquish, ALiveBotStaysOnItsBarrel)
{
    Board board(R"(
        .<.
        .o.
        ###
    )");
    CElement* bot = board.at(1, 0);
    CElement::CheckAllSquishing();
    EXPECT_FALSE(CElement::BarrelSquish(bot));
    EXPECT_EQ(board.at(1, 1)->typeObject, CElement::OBJECT_BARREL);
}

TEST(BarrelSquish, ACrateSquashesABarrelOnGrassButNotOnSand)
{
    Board grass(R"(
        #.c..#
        #.o..#
        ######
    )");
    grass.step(SETTLE);
    EXPECT_EQ(grass.picture(), trimPicture("#....#\n#.c.o#\n######"));

    Board sand(R"(
        .c.
        .o.
        :::
    )");
    sand.step(SETTLE);
    EXPECT_EQ(sand.picture(), trimPicture(".c.\n.o.\n:::"));
}

TEST(Sliding, ACrateSlidesOnIceUntilAWall)
{
    Board board(R"(
        .c...#
        ~~~~~~
    )");
    CElement* crate = board.at(1, 0);
    crate->wasMovingRight = 1;
    board.step(SETTLE);
    EXPECT_EQ(board.picture(), trimPicture("....c#\n~~~~~~"));
    EXPECT_FALSE(crate->sliding);
}

TEST(Sliding, ASlidingCrateStopsAtARestingOneWhichSlidesOnInTheSameStep)
{
    Board board(R"(
        c.c..#
        ~~~~~~
    )");
    CElement* first = board.at(0, 0);
    CElement* second = board.at(2, 0);
    board.step(1);
    first->wasMovingRight = 1;
    board.step(1); // starts the slide
    ASSERT_TRUE(first->sliding);
    int stoppedAt = -1, startedAt = -1;
    for (int i = 0; i < 40; ++i) {
        board.step(1);
        if (stoppedAt < 0 && !first->sliding && !first->moving)
            stoppedAt = i;
        if (startedAt < 0 && second->sliding)
            startedAt = i;
    }
    EXPECT_EQ(stoppedAt, startedAt);
    EXPECT_EQ(board.picture(), trimPicture(".c..c#\n~~~~~~"));
}

TEST(Sliding, TwoCratesSlidingHeadOnBothStop)
{
    Board board(R"(
        c...c
        ~~~~~
    )");
    CElement* left = board.at(0, 0);
    CElement* right = board.at(4, 0);
    board.step(1);
    left->wasMovingRight = 1;
    right->wasMovingLeft = 1;
    board.step(SETTLE);
    EXPECT_FALSE(left->moving || right->moving || left->sliding || right->sliding);
    EXPECT_EQ(right->x - left->x, 1);
}

TEST(Sliding, OnAStackOnIceTheUpperCratesFallInTheStepTheLowestSlidesAway)
{
    Board board(R"(
        .c...
        .c...
        .c...
        ~~~~~
    )");
    CElement* top = board.at(1, 0);
    CElement* middle = board.at(1, 1);
    CElement* bottom = board.at(1, 2);
    board.step(1);
    bottom->wasMovingRight = 1;
    board.step(1);
    EXPECT_TRUE(bottom->sliding);
    EXPECT_TRUE(middle->falling);
    EXPECT_TRUE(top->falling);
}

TEST(Sliding, AHeatedCrateSlidingHeadOnIntoTheProfessorHeatsHimAfterTheDelay)
{
    Board board(R"(
        .*P.
        ~~##
    )");
    CElement* hot = board.at(1, 0);
    CElement* p = board.professor();
    // The crate slides right as he walks left into it: a head-on meeting.
    hot->wasMovingRight = 1;
    p->wasMovingLeft = 1;
    EXPECT_FALSE(CElement::CheckSliding(hot));
    EXPECT_TRUE(p->delayedHeat);
    EXPECT_TRUE(p->skipSlideCheck);
    EXPECT_FALSE(p->heated);
    // At rest beside him, the crate's heat now passes into him.
    board.step(1);
    EXPECT_TRUE(p->heated);
    EXPECT_FALSE(p->delayedHeat);
    EXPECT_FALSE(hot->heated);
}

TEST(Sliding, AStoppedSlidePlaysTheStopSound)
{
    Board board(R"(
        .c..#
        ~~~~#
    )");
    if (!CSound::isAvailable())
        GTEST_SKIP() << "no sound output";
    CElement* crate = board.at(1, 0);
    board.step(1);
    crate->wasMovingRight = 1;
    bool stopped = false;
    for (int i = 0; i < 40 && !stopped; ++i) {
        board.step(1);
        stopped = crate->soundStop->isPlaying();
        EXPECT_TRUE(!stopped || (crate->x == 3 && !crate->moving)) << "stop sound before the wall, step " << i;
    }
    EXPECT_TRUE(stopped);
    EXPECT_EQ(crate->x, 3);
}

// The slide and the barrel scans go from the bottom row up. Sliding: the
// lower crate of a sliding stack moves first, so the upper one, its ground
// now moving, does not slide along but falls. Barrels: the lower barrel of a
// stack is squashed out from under the upper one first.
TEST(Scans, SlidesAndBarrelSquishesAreScannedFromTheBottomRowUp)
{
    Board slide(R"(
        #c...#
        #f...#
        ~~~~~~
    )");
    CElement* upper = slide.at(1, 0);
    CElement* lower = slide.at(1, 1);
    slide.step(1);
    upper->wasMovingRight = 1;
    lower->wasMovingRight = 1;
    slide.step(1);
    EXPECT_TRUE(lower->sliding);
    EXPECT_FALSE(upper->sliding);
    EXPECT_TRUE(upper->falling);
    slide.step(60);
    EXPECT_EQ(slide.picture(), trimPicture(R"(
        #....#
        #..cc#
        ~~~~~~
    )"));

    Board squish(R"(
        #.c.#
        #.o.#
        #.o.#
        #####
    )");
    CElement* top = squish.at(2, 0);
    CElement* upperBarrel = squish.at(2, 1);
    CElement* lowerBarrel = squish.at(2, 2);
    squish.step(1);
    EXPECT_TRUE(lowerBarrel->IsMovingRight());
    EXPECT_TRUE(upperBarrel->falling);
    EXPECT_TRUE(top->falling);
    squish.step(60);
    EXPECT_EQ(squish.picture(), trimPicture(R"(
        #...#
        #...#
        #oco#
        #####
    )"));
}

TEST(Sliding, PlainGroundStopsASlide)
{
    Board board(R"(
        c....
        ~~###
    )");
    CElement* crate = board.at(0, 0);
    board.step(1);
    crate->wasMovingRight = 1;
    board.step(SETTLE);
    EXPECT_EQ(board.picture(), trimPicture("..c..\n~~###"));
}

TEST(MotionSounds, ASlideOnIcePlaysTheIceSoundAndALandingTheLandSound)
{
    Board board(R"(
        .c.....c.#
        ~~~~~~~...
        .......###
    )");
    if (!CSound::isAvailable())
        GTEST_SKIP() << "no sound output";
    CElement* slider = board.at(1, 0);
    CElement* faller = board.at(7, 0);
    board.step(1);
    slider->wasMovingRight = 1;
    faller->PushRight(true, false);
    bool iceSound = false, plainSound = false, landed = false;
    for (int i = 0; i < 40; ++i) {
        board.step(1);
        iceSound = iceSound || slider->soundSlideIce->isPlaying();
        plainSound = plainSound || slider->soundSlide->isPlaying();
        landed = landed || faller->soundLand->isPlaying();
    }
    EXPECT_TRUE(iceSound);
    EXPECT_FALSE(plainSound);
    EXPECT_TRUE(landed);
}

// Pushes mirror: a frozen bot pushed across sand onto ice slides into the pit
// on either side, and a push without force is refused on sand both ways.
TEST(Sliding, AFrozenBotPushedOffSandSlidesIntoThePitEitherWay)
{
    struct Case {
        const char* picture;
        int botX;
        bool right;
        int pitX;
    };
    const Case cases[] = {
        {"..F...\n:::~.#\n######", 2, true, 4},
        {"...F..\n#.~:::\n######", 3, false, 1},
    };
    for (const Case& c : cases) {
        for (bool force : {false, true}) {
            Board board(c.picture);
            CElement* bot = board.at(c.botX, 0);
            ASSERT_NE(bot, nullptr);
            ASSERT_TRUE(bot->frozen);
            bool moved = c.right ? bot->PushRight(force, false) : bot->PushLeft(force, false);
            board.step(SETTLE);
            EXPECT_EQ(moved, force) << c.picture;
            EXPECT_EQ(bot->x, force ? c.pitX : c.botX) << c.picture;
            EXPECT_EQ(bot->y, force ? 1 : 0) << c.picture;
            EXPECT_TRUE(bot->frozen) << c.picture;
        }
    }
}
