// Breadth-first search for a shortest solution of a level in player moves:
// the board graph of Explorer.h, stopped in the layer where a move first
// reaches the exit. A solution found is played once more from the start, as
// the packer plays it, before it is reported.
#pragma once

#include <string>
#include <vector>

#include "MoveScript.h"

class CLevel;

namespace solve {

struct Limits {
    long maxStates = 200000;  // distinct boards
    double maxSeconds = 20;   // wall clock
    int maxDepth = 200;       // moves
    int jobs = 8;             // processes expanding a layer side by side
};

struct Result {
    bool found = false;        // a solution was found (and replayed to the exit)
    bool exhausted = false;    // every reachable board was searched: no solution exists (within the alphabet)
    std::vector<levelpack::Move> moves;
    long states = 0;           // distinct boards seen
    long transitions = 0;      // moves played
    int depth = 0;             // layers completed: no solution shorter than this exists
    double seconds = 0;
    std::string stopReason;    // why it stopped without an answer ("states", "time", "depth", ...)
};

// Searches the level. A HeadlessGame must exist in this process; the
// search forks from it.
Result search(CLevel& level, const Limits& limits);

// Plays the moves from the level's start in a child process, as the packer
// plays a script: true when the last move takes the professor through the
// exit tube.
bool replaysFromStart(CLevel& level, const std::vector<levelpack::Move>& moves);

} // namespace solve
