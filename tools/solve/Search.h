// Breadth-first search for a shortest solution of a level in player moves.
//
// The states are the boards at rest (see LevelRun): the search starts at
// the first rest after the professor has left the entrance tube and, from
// each state, plays every move of the move-script alphabet through the real
// play screen and world step. A state is known by its rest key, so a
// position reached twice is searched once.
//
// The whole world lives in global state, so a board cannot be copied in
// memory. A layer of boards is shared out to worker processes; a worker
// reaches a board by building the level and replaying the board's moves,
// and tries the moves there one after the other, going back to the board
// through the game's undo. A solution found is played once more from the
// start, as the packer plays it, before it is reported.
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

} // namespace solve
