#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/Utils.h"

TEST(FormatThousands, GroupsOfThree)
{
    char out[32];
    const std::pair<int, const char*> cases[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"}, {-42, "0"},
        {1000001, "1,000,001"}, {2147483647, "2,147,483,647"}, {50, "50"}};
    for (const auto& c : cases) {
        FormatThousands(c.first, out);
        EXPECT_STREQ(out, c.second) << c.first;
    }
}

TEST(SplitString, RunsOfSeparatorsAndAppending)
{
    std::vector<std::string> tokens{"kept"};
    SplitString("  ab cd", tokens, " ");
    EXPECT_EQ(tokens, (std::vector<std::string>{"kept", "ab", "cd"}));
    tokens.clear();
    SplitString(",a;;b,", tokens, ",;");
    EXPECT_EQ(tokens, (std::vector<std::string>{"a", "b"}));
    tokens.clear();
    SplitString("   ", tokens, " ");
    EXPECT_TRUE(tokens.empty());
}

TEST(Oscillation, StartPhaseAndOneCycle)
{
    Oscillation o;
    OscillationInit(o, 100, 10, 1.0f, 8.0f, 15);
    EXPECT_EQ(o.position, 5);
    EXPECT_EQ(o.direction, -1);
    OscillationInit(o, 100, 10, 1.0f, 8.0f, 0);
    EXPECT_EQ(o.position, 0);
    EXPECT_EQ(o.direction, 1);
    EXPECT_EQ(OscillationValue(o), 100);
    OscillationInit(o, 100, 10, 1.0f, 8.0f, 25);
    EXPECT_EQ(o.position, -5);
    EXPECT_EQ(o.direction, -1);
    OscillationInit(o, 100, 10, 1.0f, 8.0f, 35);
    EXPECT_EQ(o.position, -5);
    EXPECT_EQ(o.direction, 1);

    // From rest, one cycle of 40 steps: up to +range, down through 0 (where
    // the offset is -amplitude), to -range, back up through 0 (+amplitude).
    OscillationInit(o, 100, 10, 1.0f, 8.0f, 0);
    float lowest = 0, highest = 0;
    for (int i = 0; i < 40; ++i) {
        OscillationStep(o);
        lowest = std::min(lowest, o.offset);
        highest = std::max(highest, o.offset);
        if (o.position == 0 && o.direction == -1) {
            EXPECT_FLOAT_EQ(o.offset, -8.0f);
        }
        if (o.position == 0 && o.direction == 1) {
            EXPECT_FLOAT_EQ(o.offset, 8.0f);
        }
        if (o.position == 10 || o.position == -10) {
            EXPECT_FLOAT_EQ(o.offset, 0.0f);
        }
    }
    EXPECT_FLOAT_EQ(lowest, -8.0f);
    EXPECT_FLOAT_EQ(highest, 8.0f);
    EXPECT_EQ(o.position, 0);
    EXPECT_EQ(o.direction, 1);
}

TEST(Oscillation, ZeroRangeStaysAtRest)
{
    Oscillation o;
    OscillationInit(o, 7, 0, 2.0f, 5.0f, 3);
    OscillationStep(o);
    EXPECT_EQ(OscillationValue(o), 7);
}

TEST(Drift, MovesOnFirstOfEveryPeriod)
{
    Drift d;
    DriftInit(d, 0.0f, 10.0f, 1.0f, -0.5f, 3);
    std::vector<int> movedOn;
    float lastX = DriftGetX(d);
    for (int step = 1; step <= 9; ++step) {
        DriftStep(d);
        if (DriftGetX(d) != lastX)
            movedOn.push_back(step);
        lastX = DriftGetX(d);
    }
    EXPECT_EQ(movedOn, (std::vector<int>{1, 4, 7}));
    EXPECT_FLOAT_EQ(DriftGetY(d), 8.5f);
}

TEST(Random, RangeOfFifteenBitGenerator)
{
    srand(1);
    int counts[4] = {0, 0, 0, 0};
    for (int i = 0; i < 5000; ++i) {
        int v = RandomInt(1.0f, 3.0f);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 3);
        ++counts[v];
        float f = RandomFloat(-2.0f, 2.0f);
        ASSERT_GE(f, -2.0f);
        ASSERT_LE(f, 2.0f);
    }
    EXPECT_GT(counts[1], 1000);
    EXPECT_GT(counts[2], 1000);
    EXPECT_LT(counts[3], 10);
}

TEST(CaseCopies, ConvertAndNeverOverrun)
{
    char* up = ToUpperCopy("Mixed 1a");
    char* low = ToLowerCopy("Mixed 1A");
    EXPECT_STREQ(up, "MIXED 1A");
    EXPECT_STREQ(low, "mixed 1a");
    delete[] up;
    delete[] low;
    std::string longText(400, 'q');
    char* cut = ToUpperCopy(longText.c_str());
    EXPECT_EQ(strlen(cut), static_cast<size_t>(CASE_COPY_SIZE - 1));
    EXPECT_EQ(cut[0], 'Q');
    delete[] cut;
}
