// The world step: the first step, the catch test, determinism across
// processes, and boards that make no sense.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "world/CElement.h"
#include "world/BoardHarness.h"

using boardtest::Board;
using boardtest::trimPicture;

TEST(WorldStep, TheFirstStepMovesNoPixelAndSavesOneStep)
{
    Board board(R"(
        .c.
        ...
        ###
    )");
    CElement* crate = board.at(1, 0);
    board.step(1);
    EXPECT_TRUE(crate->moving); // the fall has started...
    EXPECT_EQ(crate->pixelY, 0); // ...but no pixel moved
    EXPECT_EQ(CElement::undoCount, 1);
    EXPECT_FALSE(CElement::firstFrame);
    board.step(1);
    EXPECT_EQ(crate->pixelY, 3);
    EXPECT_EQ(CElement::undoCount, 1);
}

struct CatchCase {
    const char* name;
    const char* picture;
    bool caught;
    bool catchLeft;  // on both the bot and the professor
    bool catchRight;
};

TEST(Catching, WhoIsCaughtAndFromWhichSide)
{
    const CatchCase cases[] = {
        {"bot on the left", ".<P.\n####", true, false, true},
        {"bot on the right", ".P>.\n####", true, true, false},
        {"professor in mid-air", ".P>.\n..##", false, false, false},
        {"something above the professor", ".c..\n.P>.\n####", false, false, false},
        {"frozen bot", ".PF.\n####", false, false, false},
        {"bot two cells away", ".P.>\n####", false, false, false},
        {"bot with nothing under it", ".P>.\n##..", false, false, false},
    };
    for (const CatchCase& c : cases) {
        Board board(c.picture);
        CElement* p = board.professor();
        ASSERT_NE(p, nullptr) << c.name;
        CElement* bot = nullptr;
        for (CElement* e : CElement::allElements)
            if (e->IsBot())
                bot = e;
        ASSERT_NE(bot, nullptr) << c.name;
        EXPECT_EQ(CElement::CheckCatching(), c.caught) << c.name;
        EXPECT_EQ(CElement::GetCaught(), c.caught) << c.name;
        EXPECT_EQ(bool(p->catchLeft), c.catchLeft) << c.name;
        EXPECT_EQ(bool(bot->catchLeft), c.catchLeft) << c.name;
        EXPECT_EQ(bool(p->catchRight), c.catchRight) << c.name;
        EXPECT_EQ(bool(bot->catchRight), c.catchRight) << c.name;
        if (c.caught) {
            EXPECT_FALSE(p->canFall) << c.name;
            EXPECT_FALSE(p->canSlide) << c.name;
            EXPECT_FALSE(bot->canSlide) << c.name;
        }
    }
}

// In one step the heat comes before the catch test: standing on a hot crate
// beside a bot, the professor is singed, not caught.
TEST(Catching, HeatComesFirstAProfessorOnAHotCrateBesideABotIsSingedNotCaught)
{
    Board board(R"(
        .P>
        #*#
        ###
    )");
    CElement* p = board.professor();
    ASSERT_NE(p, nullptr);
    board.step(1);
    EXPECT_TRUE(p->heated);
    EXPECT_FALSE(CElement::GetCaught());
    EXPECT_FALSE(p->catchLeft);
}

TEST(Catching, ABotHeldByAMagnetDoesNotCatch)
{
    Board board(".P>C\n####");
    CElement* bot = board.at(2, 0);
    bot->SetMagnetLink(board.at(3, 0), false);
    EXPECT_FALSE(CElement::CheckCatching());
    bot->ResetMagnetLinks(true, true);
    EXPECT_TRUE(CElement::CheckCatching());
}

TEST(Catching, NoCatchOnceHeHasExited)
{
    Board board(".P>.\n####");
    CElement::exited = 1;
    EXPECT_FALSE(CElement::CheckCatching());
}

// ---------------------------------------------------------------- determinism

namespace {

const char* const kDeterminismBoard = R"(
    ..c.o..C.....*....f......c..O...
    .~~~~~.###..~~~~~.::::..###.~~~.
    ................................
    ..P.........c..............X....
    ##########.####_#######.#.######
    ....o...........................
    ..>.........c.m..M.........<....
    ################################
)";

uint64_t determinismHash()
{
    Board board(kDeterminismBoard);
    for (int i = 0; i < 2000; ++i) {
        if (i % 97 == 5) {
            // Disturb the board in a fixed way: push whatever stands in a
            // few cells of the top row.
            for (int x = 0; x < 32; x += 5) {
                CElement* e = board.at(x, 0);
                if (!e->IsNull() && e->mobile && !e->moving)
                    (i / 97) % 2 ? e->PushRight(true, false) : e->PushLeft(true, false);
            }
        }
        board.step(1);
    }
    return board.hash();
}

} // namespace

// Run by the test below in a fresh process of its own.
TEST(Determinism, ChildPrintsHash)
{
    if (!getenv("BOARD_HASH_CHILD"))
        GTEST_SKIP() << "run by Determinism.TwoFreshProcessesAgreeAfter2000Steps";
    printf("BOARD_HASH=%016" PRIx64 "\n", determinismHash());
}

TEST(Determinism, TwoFreshProcessesAgreeAfter2000Steps)
{
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    self[n] = '\0';
    std::string command =
        std::string("BOARD_HASH_CHILD=1 '") + self + "' --gtest_filter=Determinism.ChildPrintsHash 2>/dev/null";
    std::string hashes[2];
    for (std::string& hash : hashes) {
        FILE* child = popen(command.c_str(), "r");
        ASSERT_NE(child, nullptr);
        char line[512];
        while (fgets(line, sizeof line, child))
            if (std::string(line).rfind("BOARD_HASH=", 0) == 0)
                hash = line;
        EXPECT_EQ(pclose(child), 0);
    }
    EXPECT_FALSE(hashes[0].empty());
    EXPECT_EQ(hashes[0], hashes[1]);
}

// ---------------------------------------------------------------- boards that make no sense

namespace {

// Every step leaves a grid that names only elements standing in their cells.
void stepsWithoutHarm(Board& board, int steps)
{
    for (int i = 0; i < steps; ++i) {
        board.step(1);
        ASSERT_EQ(boardtest::staleCells(), "") << "after step " << i + 1;
    }
}

} // namespace

TEST(BadBoards, NoEntranceTwoExitsAGateInTheAirAndALoneTeleport)
{
    Board board(R"(
        ..X.......g.......X.....
        ........................
        ...c....1.....o.........
        ########################
    )");
    EXPECT_EQ(board.professor(), nullptr);
    stepsWithoutHarm(board, 500);
}

TEST(BadBoards, AThingInEveryCell)
{
    const char* kinds = "c#o~C:O_mMTgbHu<>Ff*1hp";
    std::string picture;
    int k = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x)
            picture += kinds[(k++) % 23];
        picture += '\n';
    }
    Board board(picture);
    stepsWithoutHarm(board, 500);
}

TEST(BadBoards, TwoEntrancesAndTeleportsAtTheEdges)
{
    boardtest::Legend legend = boardtest::defaultLegend();
    Board board(R"(
        P..............................P
        1.............................11
        ################################
    )", legend);
    board.level().SetTeleport(DEVICE_LTELEPORT_R, -1, 1);
    board.level().SetTeleport(DEVICE_LTELEPORT_R, 31, 5);
    board.build(board.level());
    EXPECT_NE(board.professor(), nullptr);
    stepsWithoutHarm(board, 500);
}
