// The committed figures of the level analysis (tools/solve/analyse), one
// line per level in data/levels/analysis.txt. The level table of
// data/levels/README.md shows them and the level rules check reads them.
//
// A line holds the level's name and `key=value` words:
//
//   reg001 source=... rules=... boards=57 stop=complete solution=15 dead=0.000 losing=0 oneway=right onekey=R
//          pickups=6@12,5:decoy objects=c@5,17:needed;B@9,3:bypassed
//
// `source` fingerprints the level's board and its move script, `rules` the
// game's rules as they act on the level (see the analysis tool); a line
// whose fingerprints no longer match its level is stale.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace levelpack {

// A power-up pickup or an object the level places, and whether the level
// can be won without it: "needed" (no solution without it), "decoy" (a
// pickup never collected by some solution), "bypassed" (an object the level
// is won without), "?" (a bound stopped the search first).
struct ItemFigure {
    char tile = '.'; // its map character
    int x = 0, y = 0;
    std::string verdict;
};

struct LevelFigures {
    std::string name;
    std::string source;   // fingerprint of the board and the move script (16 hex digits)
    std::string rules;    // fingerprint of the rules probe (16 hex digits)
    long boards = 0;      // boards at rest reached
    std::string stop;     // "complete", or the bound that stopped the search: "boards", "time", "depth"; "failed"
    int solution = -1;    // moves of the shortest solution, -1 without one
    long dead = 0;        // boards from which the exit cannot be reached
    int losing = 0;       // moves beside the shortest solution that lose the level
    std::string oneWay;   // "right", "left", "no" or "?" (the bound stopped the search before one was found)
    char oneKey = '-';    // the arrow key that wins alone ('L', 'R', 'U', 'D'), '-' for none
    std::vector<ItemFigure> pickups;
    std::vector<ItemFigure> objects;

    bool complete() const { return stop == "complete"; }
    double deadShare() const { return boards > 0 ? static_cast<double>(dead) / static_cast<double>(boards) : 0.0; }
};

// The figures of a set's non-tutorial levels (in index order) summed up.
// The last third are the levels after the first two thirds (rounded down).
struct SetSummary {
    int levels = 0, oneKey = 0, oneWay = 0, noDeadEnd = 0, pickups = 0, decoys = 0;
    int lastThird = 0;
    double lastThirdBoards = 0;     // median
    double lastThirdDeadShare = 0;  // median
};
SetSummary summarise(const std::vector<const LevelFigures*>& puzzles);

std::string formatFigures(const LevelFigures& figures);
// False, with the reason, for a line that is not a figures line.
bool parseFigures(const std::string& line, LevelFigures& figures, std::string& error);

// The figures file: comment lines start with '#'. A missing file reads as
// empty. Problems are appended to errors as "path:line: text".
std::map<std::string, LevelFigures> readFiguresFile(const std::string& path, std::vector<std::string>& errors);
bool writeFiguresFile(const std::string& path, const std::map<std::string, LevelFigures>& figures);

} // namespace levelpack
