// Helpers shared by the walker tests: the professor of the board, stepping
// until he has come out of the entrance tube, holding keys for a number of
// steps, the bots of the board, and the log lines of an action.
#pragma once

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "engine/Log.h"
#include "walkers/CElementAIBot.h"
#include "walkers/CElementAIProfessor.h"
#include "level/TileCodes.h"
#include "world/BoardHarness.h"

namespace walkertest {

using boardtest::Board;

inline CElementAIProfessor* professor()
{
    return static_cast<CElementAIProfessor*>(CElement::theProfessor);
}

// Steps until the predicate holds; the number of steps taken, or -1 when it
// did not hold within limit steps.
inline int stepUntil(Board& board, const std::function<bool()>& done, int limit)
{
    for (int i = 0; i <= limit; ++i) {
        if (done())
            return i;
        board.step();
    }
    return -1;
}

// Steps until the professor has come out of the entrance tube and stands
// ready for keys.
inline void settle(Board& board)
{
    ASSERT_NE(professor(), nullptr);
    ASSERT_GE(stepUntil(board, [] { return !professor()->isEnteringTube(); }, 400), 0);
    board.step(2);
}

enum Key { LEFT, RIGHT, UP, DOWN, TURN };

inline void press(Key key, bool released = false)
{
    CElementAIProfessor* p = professor();
    switch (key) {
    case LEFT: p->setKeyLeft(released); break;
    case RIGHT: p->setKeyRight(released); break;
    case UP: p->setKeyUp(released); break;
    case DOWN: p->setKeyDown(released); break;
    case TURN: p->setKeyTurn(released); break;
    }
}

// Holds the key for the given steps and lets it go.
inline void hold(Board& board, Key key, int steps)
{
    press(key);
    board.step(steps);
    press(key, true);
}

// Holds the key until the professor has made one move and come to rest.
inline void oneMove(Board& board, Key key)
{
    int x = professor()->x, y = professor()->y;
    press(key);
    stepUntil(board, [&] { return professor()->x != x || professor()->y != y; }, 60);
    press(key, true);
    stepUntil(board, [] { return !professor()->moving; }, 60);
    board.step(1);
}

inline std::vector<CElementAIBot*> bots()
{
    return CElementAIBot::allBots;
}

// The default legend and two walkers standing on ladder cells:
//   Q  the entrance tube (the professor) on a ladder
//   L  a bot facing right on a ladder
inline const boardtest::Legend& ladderLegend()
{
    static const boardtest::Legend legend = [] {
        boardtest::Legend l = boardtest::defaultLegend();
        boardtest::LegendEntry professorOnLadder;
        professorOnLadder.tile = DEVICE_TUBE_START;
        professorOnLadder.ladder = true;
        l['Q'] = professorOnLadder;
        boardtest::LegendEntry botOnLadder;
        botOnLadder.tile = BOT_RIGHT;
        botOnLadder.ladder = true;
        l['L'] = botOnLadder;
        return l;
    }();
    return legend;
}

// The professor on a ladder cell above an empty cell; at his lower left a
// barrel that rollBarrelUnderHim sets rolling into the cell below him, where
// the wall stops it. Build it with ladderLegend().
const char* const kLadderAboveABarrelsWay = R"(
    .Q..
    o.#.
    ####
)";

inline void rollBarrelUnderHim(Board& board)
{
    ASSERT_TRUE(board.at(0, 1)->PushRight(false, false));
}

// Runs f with the debug and sound log lines captured.
template <typename F>
std::string logOf(F f)
{
    logCategoryOn(LOG_DEBUG);
    logCategoryOn(LOG_SOUND);
    testing::internal::CaptureStdout();
    f();
    std::string out = testing::internal::GetCapturedStdout();
    logCategoryOff(LOG_DEBUG);
    logCategoryOff(LOG_SOUND);
    return out;
}

inline bool contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

} // namespace walkertest
