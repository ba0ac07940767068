// Moves, pushes, bumps and the fall test, as small boards.
#include <gtest/gtest.h>

#include "elements/CElementDeviceGunshot.h"
#include "elements/CElementTerrainBridge.h"
#include "profile/CProfile.h"
#include "world/CElement.h"
#include "world/BoardHarness.h"

using boardtest::Board;
using boardtest::trimPicture;

namespace {

struct PushCase {
    const char* name;
    const char* picture; // the pushed thing at (1, 0)
    bool force;
    bool moves;
};

} // namespace

TEST(Push, FrictionDecidesWhetherAPushNeedsForce)
{
    const PushCase cases[] = {
        {"crate on ice, no force", ".c.\n~~~", false, true},
        {"crate on grass, no force", ".c.\n###", false, false},
        {"crate on grass, force", ".c.\n###", true, true},
        {"crate on sand, force", ".c.\n:::", true, false},
        {"barrel on grass, no force", ".o.\n###", false, true},
        {"barrel on sand, no force", ".o.\n:::", false, false},
        {"barrel on sand, force", ".o.\n:::", true, true},
        {"frozen crate on grass, no force", ".f.\n###", false, true},
    };
    for (const PushCase& c : cases) {
        Board board(c.picture);
        CElement* e = board.at(1, 0);
        EXPECT_EQ(e->PushRight(c.force, false), c.moves) << c.name;
        EXPECT_EQ(e->x, c.moves ? 2 : 1) << c.name;
        EXPECT_EQ(board.at(2, 0) == e, c.moves) << c.name;
    }
}

TEST(Push, TheBoardEdgesRefuseAPushAndTheCellsBeforeThemTakeIt)
{
    Board board(R"(
        C..............................C
        ################################
    )");
    CElement* left = board.at(0, 0);
    CElement* right = board.at(31, 0);
    EXPECT_FALSE(left->PushLeft(true, false));
    EXPECT_FALSE(right->PushRight(true, false));
    EXPECT_EQ(left->x, 0);
    EXPECT_EQ(right->x, 31);
    // One cell in from each edge the push goes through.
    EXPECT_TRUE(left->PushRight(true, false));
    EXPECT_TRUE(right->PushLeft(true, false));
    board.step(12);
    EXPECT_TRUE(left->PushLeft(true, false));
    EXPECT_TRUE(right->PushRight(true, false));
    board.step(12);
    EXPECT_EQ(left->x, 0);
    EXPECT_EQ(right->x, 31);
}

TEST(Push, RefusedIntoAFullCellAndWhileTheOneAboveSlidesSideways)
{
    Board board(R"(
        .c..
        .cc.
        ~~~~
    )");
    CElement* middle = board.at(1, 1);
    EXPECT_FALSE(middle->PushRight(true, false)); // (2, 1) is full
    CElement* top = board.at(1, 0);
    // The crate above starts to slide off sideways (its ground is a crate:
    // plain, so it is pushed with force).
    ASSERT_TRUE(top->PushLeft(true, false));
    EXPECT_TRUE(top->IsMovingLeft());
    EXPECT_FALSE(middle->PushLeft(true, false));
}

TEST(Push, ThePushedCrateFacesTheWayItGoesAndIsMarkedPushed)
{
    Board board(".c.\n~~~");
    CElement* crate = board.at(1, 0);
    ASSERT_TRUE(crate->PushLeft(false, false));
    EXPECT_TRUE(crate->facingLeft);
    EXPECT_TRUE(crate->pushed);
    EXPECT_TRUE(crate->wasMovingLeft);
    board.step(9);
    EXPECT_FALSE(crate->pushed);
    EXPECT_FALSE(crate->moving);
    EXPECT_EQ(crate->pixelX, 0);
    ASSERT_TRUE(crate->PushRight(false, false));
    EXPECT_FALSE(crate->facingLeft);
}

// A refused push cools a heated element only where it touches the resting
// professor, whom it heats; against a wall or on sand it stays hot.
TEST(Push, ARefusedPushCoolsAHotCrateOnlyAgainstTheProfessor)
{
    struct Case {
        const char* name;
        const char* picture; // the hot crate at (1, 0), pushed to the right
        bool staysHot;
        bool professorHeated;
    };
    const Case cases[] = {
        {"against a wall", ".*#\n###", true, false},
        {"on sand", ".*.\n:::", true, false},
        {"against a crate on sand", ".*C\n:::", true, false},
        {"against the professor", ".*P\n###", false, true},
    };
    for (const Case& c : cases) {
        Board board(c.picture);
        CElement* hot = board.at(1, 0);
        ASSERT_TRUE(hot->heated) << c.name;
        EXPECT_FALSE(hot->PushRight(true, false)) << c.name;
        EXPECT_EQ(bool(hot->heated), c.staysHot) << c.name;
        EXPECT_EQ(bool(hot->cooling), !c.staysHot) << c.name;
        if (board.professor()) {
            EXPECT_EQ(bool(board.professor()->heated), c.professorHeated) << c.name;
        }
    }
}

// The professor stepping into the cell beside a hot crate is not resting: a
// push refused against him while he is on his way neither heats him nor cools
// the crate. Once he stands there, the same push does both.
TEST(Push, ARefusedPushSparesTheProfessorWhileHeWalksIn)
{
    Board board(R"(
        .*.P
        ####
    )");
    CElement* hot = board.at(1, 0);
    CElement* professor = board.professor();
    ASSERT_NE(professor, nullptr);
    professor->MoveTo(2, 0); // one step to the left, toward the crate
    ASSERT_TRUE(professor->IsMoving());
    ASSERT_EQ(hot->GetSideElement(false), professor);
    EXPECT_FALSE(hot->PushRight(true, false));
    EXPECT_TRUE(hot->heated);
    EXPECT_FALSE(hot->cooling);
    EXPECT_FALSE(professor->heated);

    professor->moving = 0; // he has arrived
    EXPECT_FALSE(hot->PushRight(true, false));
    EXPECT_FALSE(hot->heated);
    EXPECT_TRUE(hot->cooling);
    EXPECT_TRUE(professor->heated);
}

// A magnet whose pull is refused (the metal stands on sand) moves toward the
// metal instead; the hot crate it tried to pull keeps its heat.
TEST(Push, AMagnetsRefusedPullLeavesAHotCrateHot)
{
    Board board(R"(
        *..m
        :###
    )");
    CElement* hot = board.at(0, 0);
    board.step(40);
    EXPECT_EQ(board.picture(), trimPicture(R"(
        Cm..
        :###
    )"));
    EXPECT_TRUE(hot->heated);
}

TEST(Push, PushingTheNullElementSucceedsAndDoesNothing)
{
    Board board;
    EXPECT_TRUE(CElement::nullElement->PushRight(false, false));
    EXPECT_TRUE(CElement::nullElement->PushLeft(false, false));
    EXPECT_FALSE(CElement::nullElement->moving);
    EXPECT_FALSE(CElement::nullElement->PushUp());
    EXPECT_FALSE(CElement::nullElement->PushDown());
}

TEST(Bump, OnlyAMobileSlidingThingNotMovingTheOtherWayTakesABump)
{
    Board board(".c.\n~~~");
    CElement* crate = board.at(1, 0);
    EXPECT_TRUE(crate->BumpedRight());
    EXPECT_TRUE(crate->wasMovingRight);
    EXPECT_FALSE(CElement::nullElement->BumpedLeft());
    ASSERT_TRUE(crate->PushLeft(false, false));
    EXPECT_FALSE(crate->BumpedRight()); // moving left
    EXPECT_TRUE(crate->BumpedLeft());
    crate->canSlide = 0;
    EXPECT_FALSE(crate->BumpedLeft());
}

TEST(Move, TheGridHoldsAMovingElementInItsNewCellAndThePixelsFollow)
{
    Board board(".c.\n~~~");
    CElement* crate = board.at(1, 0);
    ASSERT_TRUE(crate->PushRight(false, false));
    EXPECT_EQ(board.at(1, 0), CElement::nullElement);
    EXPECT_EQ(board.at(2, 0), crate);
    EXPECT_EQ(crate->prevX, 1);
    EXPECT_EQ(crate->GetGridX(), 1);
    for (int i = 1; i <= 8; ++i) {
        crate->Move();
        EXPECT_EQ(crate->pixelX, 24 + 3 * i);
        EXPECT_EQ(crate->lastPixelX, 24 + 3 * (i - 1));
    }
    EXPECT_FALSE(crate->moving);
    EXPECT_EQ(crate->prevX, 2);
}

TEST(Move, LeavingTheCellAboveABridgeMakesItCollapse)
{
    Board board(R"(
        .c.
        ~_~
    )");
    CElement* bridge = board.at(1, 1);
    ASSERT_TRUE(bridge->IsBridge());
    ASSERT_TRUE(board.at(1, 0)->PushRight(true, false));
    EXPECT_NE(board.at(1, 1), bridge);
}

TEST(Move, AShotLeavingTheCellAboveABridgeLeavesItStanding)
{
    Board board(R"(
        ......
        ##_###
    )");
    CElement* bridge = board.at(2, 1);
    new CElementDeviceGunshot(1, 0, CElementDeviceGunshot::KIND_FROST, 0);
    board.step(30);
    EXPECT_EQ(board.at(2, 1), bridge);
    EXPECT_EQ(bridge->state, CElementTerrainBridge::BRIDGE_WHOLE);
    EXPECT_TRUE(CElement::spawnedElements.size() == 1u && CElement::spawnedElements[0]->x > 2);
}

TEST(Move, AFrozenWalkerOnALadderFallsAndALiveOneHolds)
{
    boardtest::Legend legend = boardtest::defaultLegend();
    boardtest::LegendEntry botOnLadder = legend.at('<');
    botOnLadder.ladder = true;
    boardtest::LegendEntry frozenOnLadder = legend.at('F');
    frozenOnLadder.ladder = true;
    legend['L'] = botOnLadder;
    legend['K'] = frozenOnLadder;
    Board board(R"(
        L.K
        ...
        ###
    )", legend);
    CElement* live = board.at(0, 0);
    CElement* frozen = board.at(2, 0);
    EXPECT_FALSE(live->CanFall(false));
    EXPECT_TRUE(frozen->CanFall(false));
}

TEST(Move, LinkedElementsFallOnlyWhenNoneHasSupport)
{
    Board board(R"(
        cc
        #.
    )");
    CElement* a = board.at(0, 0);
    CElement* b = board.at(1, 0);
    a->SetMagnetLink(b, false);
    b->SetMagnetLink(a, true);
    EXPECT_FALSE(b->CanFall(false)); // a stands on grass
    EXPECT_FALSE(a->CanFall(false));
    clearElementAt(0, 1);
    EXPECT_TRUE(b->CanFall(false));
    EXPECT_TRUE(a->CanFall(false));
    // A loop of links that does not pass through the asking element ends.
    CElement* c = new CElement(5, 5, 1);
    c->type = CElement::TYPE_OBJECT;
    b->SetMagnetLink(c, false);
    c->SetMagnetLink(b, false);
    c->SetMagnetLink(c, true);
    EXPECT_TRUE(a->CanFallWith(b, false));
}

TEST(Move, NeighbourCellsThroughATeleportPair)
{
    // Two blue ends: one under (2..3, 1), one under (10..11, 1).
    Board board(R"(
        ............
        ..1.......1.
        ############
    )");
    // Without teleports, the plain neighbour.
    EXPECT_EQ(CElement::GetSideColumn(3, 0, true, false), 2);
    EXPECT_EQ(CElement::GetLandingRow(3, 0, true, false), 0);
    // Standing on the right half of the first end and going left leads out of
    // the other end.
    int column = CElement::GetSideColumn(3, 0, true, true);
    EXPECT_EQ(column, 10);
    EXPECT_EQ(CElement::GetLandingRow(3, 0, true, true), 0);
    // Going right from the left half of the second end comes out at the first.
    EXPECT_EQ(CElement::GetSideColumn(10, 0, false, true), 3);
    // Away from the ends nothing changes.
    EXPECT_EQ(CElement::GetSideColumn(6, 0, true, true), 5);
}

TEST(Move, EachWalkedOrPushedCellOfTheProfessorCountsAStepFallsAndSlidesNone)
{
    CProfile profile;
    Board board(".P..\n####");
    CElement::setProfile(&profile);
    CElement* p = board.professor();
    ASSERT_NE(p, nullptr);
    profile.SetSteps(0);
    p->MoveTo(p->x + 1, p->y);
    EXPECT_EQ(profile.GetTotal(1), 1);
    p->moving = 0;
    p->falling = 1;
    p->MoveTo(p->x, p->y + 1);
    p->falling = 0;
    p->sliding = 1;
    p->MoveTo(p->x + 1, p->y);
    EXPECT_EQ(profile.GetTotal(1), 1);
    // Other elements never count.
    board.at(0, 1)->MoveTo(0, 2);
    EXPECT_EQ(profile.GetTotal(1), 1);
    CElement::setProfile(nullptr);
}

TEST(Move, ACrateSlidingIntoATeleportComesOutOfTheOtherEndAndSlidesOn)
{
    // The crate stands in the left half of the first end (k) and slides
    // right: the move is carried to the second end, and it goes on over the
    // ice from there.
    boardtest::Legend legend = boardtest::defaultLegend();
    boardtest::LegendEntry crateInTeleport = legend.at('c');
    crateInTeleport.teleport = DEVICE_LTELEPORT_B;
    legend['k'] = crateInTeleport;
    Board board(R"(
        ..k.......1.....#
        ~~~~~~~~~~~~~~~~~
    )", legend);
    CElement* crate = board.at(2, 0);
    board.step(1);
    crate->wasMovingRight = 1;
    bool carried = false;
    for (int i = 0; i < 80; ++i) {
        board.step(1);
        carried = carried || crate->carried;
    }
    EXPECT_TRUE(carried);
    EXPECT_EQ(crate->y, 0);
    EXPECT_EQ(crate->x, 15); // stopped by the wall
    EXPECT_FALSE(crate->secondSprite); // the ghost of the carried move is gone
}
