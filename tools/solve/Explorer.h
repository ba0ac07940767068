// The graph of a level's boards at rest: breadth-first, from the first rest
// after the professor has left the entrance tube, every move of the
// move-script alphabet is played at every board through the real play
// screen and world step (see LevelRun). A board is known by its rest hash,
// so a position reached twice is one board. The graph keeps every move
// tried: to which board it led, or how it ended the level.
//
// The whole world lives in global state, so one process holds one board at
// a time. A worker reaches a board from an ancestor kept in one of the game's
// undo slots, or by building the level (its background kept decoded) and
// replaying the board's moves; checks that it stands on the board it was
// sent to; and tries the moves one after the other, going back to the board
// through the undo slot that keeps it. A restore that does not give back the
// board exactly (every field of every element and its running effects, see
// LevelRun::restoreCheckHash) is dropped and the board is reached again.
// With several jobs the boards of a layer are shared out to worker
// processes; the graph does not depend on how many.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MoveScript.h"

class CLevel;

namespace solve {

// What one move from a board at rest led to.
enum class Outcome : uint8_t {
    Board = 0,    // another board at rest (or the same one)
    Exited,       // the professor went through the exit tube
    Caught,
    Singed,
    Fallen,
    TubeDestroyed,
    Stuck         // the professor never took input again
};
inline bool isLoss(Outcome o)
{
    return o != Outcome::Board && o != Outcome::Exited;
}
const char* outcomeName(Outcome o);

struct ExploreLimits {
    long maxBoards = 200000;  // distinct boards
    double maxSeconds = 60;   // wall clock
    int maxDepth = 400;       // moves from the start
    int jobs = 1;             // processes expanding a layer side by side (1: this process)
    bool stopAtExit = false;  // stop in the layer where a move first reaches the exit
};

struct GraphEdge {
    int32_t from;
    levelpack::Move move;
    Outcome outcome;
    int32_t to; // the board reached (Outcome::Board), -1 when beyond a bound or for an end of the level
};

struct GraphBoard {
    uint64_t hash;
    int32_t parent;        // the board it was first reached from, -1 for the start
    levelpack::Move move;  // the move from the parent
    int32_t depth;         // moves from the start: the fewest, as the search is breadth-first
    uint32_t pickups;      // bit i: the i-th power-up pickup still lies on the board
    int32_t firstEdge;     // its moves in `edges`, from firstEdge on; -1 when not expanded
    int32_t edgeCount;
};

// A power-up pickup on the board at the start: bit i of GraphBoard::pickups.
struct Pickup {
    int x, y;
    int type; // the power-up type (1 crate .. 9 teleport)
};

struct BoardGraph {
    std::vector<GraphBoard> boards; // boards[0] is the start
    std::vector<GraphEdge> edges;
    std::vector<Pickup> pickups;
    // Every reachable board was expanded: the graph is the level's whole
    // state space within the alphabet.
    bool complete = false;
    // "complete", "exit" (stopAtExit), "boards", "time", "depth", or why
    // the level could not be explored.
    std::string stopReason;
    bool failed = false;   // the level could not be explored at all
    // Boards whose replay from the start did not give back their rest hash
    // (expanded from the replayed board), and boards whose replay ended the
    // level (left unexpanded: the graph is not complete, "unreached"). A few of
    // each are listed.
    long mismatched = 0;
    long unreached = 0;
    std::vector<int32_t> unfaithful;
    int exitEdge = -1;     // the first move reaching the exit in breadth-first order: a shortest solution ends with it
    int layers = 0;        // layers expanded
    long transitions = 0;  // moves played (not counting replays)
    double seconds = 0;
    // Where the time went, summed over the workers.
    struct Profile {
        long builds = 0;        // boards built and replayed from the start
        long replayedMoves = 0; // moves played to reach boards
        long undoRestores = 0;  // boards restored by undo
        long undoMisses = 0;    // undos that did not give back the board
        double buildSeconds = 0, moveSeconds = 0, restoreSeconds = 0;
    } profile;

    // The moves from the start to a board.
    std::vector<levelpack::Move> pathTo(int board) const;
    // The shortest solution found, empty without one.
    std::vector<levelpack::Move> solution() const;
};

// Explores the level. A HeadlessGame must exist in this process (workers
// fork from it) and no LevelRun may be alive.
BoardGraph explore(CLevel& level, const ExploreLimits& limits);


} // namespace solve
