// Determinism across processes: a board where several bots chase the
// professor, stepped 3,000 times with the same keys, ends in the same state
// hash here and in two fresh processes of this test program.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "WalkerTestSupport.h"

using namespace walkertest;

namespace {

const char* kChildFlag = "BRAMBLECOT_CHASE_CHILD";

// The professor walks back and forth on a ledge above a floor of bots that
// the whistle has woken; they follow him below, push crates and queue up.
uint64_t chaseHash(bool* allAwake = nullptr)
{
    Board board(R"(
        ................................
        ..........P.....................
        ....##################..........
        ..>.c...<......>..c..<....<...>.
        ################################
    )", boardtest::defaultLegend(), 18, 0);
    settle(board);
    press(DOWN);
    press(DOWN, true);
    professor()->addPowerup(POWERUP_TYPE_WHISTLE);
    professor()->usePowerup(0);
    int steps = 0;
    while (steps < 3000) {
        Key key = (steps / 100) % 2 == 0 ? RIGHT : LEFT;
        press(key);
        board.step(40);
        press(key, true);
        board.step(60);
        steps += 100;
    }
    // The bots did chase: every one is awake (asked while the board exists).
    if (allAwake) {
        *allAwake = !bots().empty();
        for (CElementAIBot* bot : bots())
            *allAwake = *allAwake && bot->isActive();
    }
    return board.hash();
}

uint64_t hashInChild()
{
    char exe[4096];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return 0;
    exe[n] = 0;
    std::string command = std::string(kChildFlag) + "=1 '" + exe +
                          "' --gtest_filter=WalkerDeterminism.SeveralBotsChasingEndInTheSameStateInEveryProcess"
                          " < /dev/null 2>/dev/null";
    FILE* out = popen(command.c_str(), "r");
    if (!out)
        return 0;
    char line[512];
    uint64_t hash = 0;
    while (fgets(line, sizeof line, out)) {
        unsigned long long value = 0;
        if (sscanf(line, "CHASE_HASH=%llu", &value) == 1)
            hash = value;
    }
    pclose(out);
    return hash;
}

} // namespace

TEST(WalkerDeterminism, SeveralBotsChasingEndInTheSameStateInEveryProcess)
{
    bool allAwake = false;
    uint64_t here = chaseHash(&allAwake);
    if (getenv(kChildFlag)) {
        printf("CHASE_HASH=%llu\n", static_cast<unsigned long long>(here));
        fflush(stdout);
        return;
    }
    EXPECT_TRUE(allAwake);
    // Once the board is gone no bot is left in the registry.
    EXPECT_TRUE(bots().empty());
    uint64_t first = hashInChild();
    uint64_t second = hashInChild();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(first, here);
    EXPECT_EQ(second, here);
}
