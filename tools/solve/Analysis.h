// The analysis of one level for its designer: how many boards at rest it
// has, how many of them have lost the exit for good, the moves beside the
// shortest solution that lose it, whether it is won walking one way or by
// one key alone, and which pickups and objects it can be won without.
//
// Everything but the object bypasses is read off the level's board graph
// (Explorer.h). An object's bypass needs a search of the level without the
// object, stopped at its first solution.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Explorer.h"
#include "LevelFigures.h"

class CLevel;

namespace solve {

struct AnalysisLimits {
    ExploreLimits graph;    // the level's whole graph
    ExploreLimits bypass;   // each search without one object (stopAtExit is set)
    bool objects = true;    // run the object bypass searches
};

// A move beside the shortest solution that loses the level: at the
// solution's board `step` (0 before the first move), `move` either ends the
// level lost or leads to a board from which the exit cannot be reached.
struct LosingMove {
    int step;
    levelpack::Move move;
    Outcome outcome; // how the level ended, or Outcome::Board for a dead board
};

struct Analysis {
    levelpack::LevelFigures figures;
    BoardGraph graph;
    std::vector<LosingMove> losing;
};

// The figures read off a graph (everything but the object bypasses).
void analyseGraph(const BoardGraph& graph, levelpack::LevelFigures& figures, std::vector<LosingMove>& losing);

// The key that wins the level pressed again and again at every rest ('L',
// 'R', 'U', 'D'), played through the real play screen from the level's
// start; 0 when none does. Each key is tried until the level ends, a board
// repeats or `maxPresses` presses. A HeadlessGame must exist and no
// LevelRun may be alive.
char oneKeyWin(CLevel& level, int maxPresses = 200);

// The objects whose removal the bypass check tries: every crate, barrel,
// magnet, bot, gate, button and trampoline, and each teleport pair (by its
// left end).
std::vector<levelpack::ItemFigure> objectsOf(const CLevel& level);

// Takes the object off the level (a teleport pair: both ends).
void removeObject(CLevel& level, const levelpack::ItemFigure& object);

// Whether the level that `makeLevel` builds can be won without the object:
// "bypassed", "needed", or "?" when the search stopped at a bound (at most
// twice the level's boards, at least 2000, and the limits' own). The level's
// shortest solution, played without the object, settles many at once.
std::string objectVerdict(const std::function<void(CLevel&)>& makeLevel, const levelpack::ItemFigure& object,
                          const std::vector<levelpack::Move>& solution, long levelBoards, const ExploreLimits& limits);

// The whole analysis of the level that `makeLevel` builds (each bypass
// search builds it afresh and takes one object off). The source and rules
// fingerprints are left empty. A HeadlessGame must exist and no LevelRun may
// be alive.
Analysis analyseLevel(const std::function<void(CLevel&)>& makeLevel, const AnalysisLimits& limits);

// Reads a level source and the move script beside it (NAME.moves), analyses
// the level and fills in the figures' name and fingerprints. False, with the
// problems, when the source or its script does not read. A HeadlessGame must
// exist and no LevelRun may be alive.
bool analyseSource(const std::string& sourcePath, const AnalysisLimits& limits, Analysis& analysis,
                   std::vector<std::string>& errors);

} // namespace solve
