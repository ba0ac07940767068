// The hard rules every built-in level must keep, checked over the whole
// level set. Each broken rule is a finding that names the level and the
// rule. The rules and their terms are described in data/levels/README.md.
//
// The checks work on what the caller gathered: each level's map, heading,
// idea and decoy lines, what it recomputed with the game (the source and
// rules fingerprints, the key that wins alone) and the committed analysis
// figures. A figure line whose fingerprints no longer match its level is
// stale, and a stale or missing line fails the check.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "LevelFigures.h"
#include "MapCopies.h"

namespace levelrules {

// A "# decoy: C at (X,Y) - WHY" line of a level source: the pickup or object
// with map character C at (X, Y) may be won without, for the reason given.
struct Decoy {
    char tile = '.';
    int x = 0, y = 0;
    std::string why;
};

// Reads the decoy lines of a level source; malformed ones are appended to
// errors as "line N: text".
std::vector<Decoy> parseDecoys(const std::string& sourceText, std::vector<std::string>& errors);

// The map characters of the object kinds an idea line names ("crate" names
// 'c' and 'C', "teleport" or "portal" names the teleport pairs 'T', ...).
std::string namedObjects(const std::string& idea);

struct RuleLevel {
    std::string name;
    int set = 0;     // 0 regular, 1 advanced, 2 kids
    int index = 0;   // position in its set
    bool tutorial = false;
    std::string heading;
    std::string idea;
    std::vector<std::string> grid; // 24 rows of 32 map characters, ladder cells 'H' where the tile is empty
    std::vector<Decoy> decoys;
    std::vector<std::string> decoyErrors;
    // Recomputed with the game.
    std::string source;     // source fingerprint
    std::string rules;      // rules fingerprint
    char oneKey = '-';      // the arrow key that wins alone, '-' for none
};

struct Finding {
    std::string level; // a level name, or a set ("regular") for a rule over a set
    std::string rule;
    std::string detail;
    std::string other = {}; // the earlier level of a pair found alike ("likeness", "room")
};

// A pair of levels found alike that waits for a redesign: a line
// "LATER EARLIER RULE" of the waiting list (data/levels/alike-waiting.txt),
// where RULE is "likeness" or "room". Blank lines and "#" comments are
// skipped; malformed lines are appended to errors as "line N: text".
struct Waiting {
    std::string level, other, rule;
};
std::vector<Waiting> parseWaiting(const std::string& text, std::vector<std::string>& errors);

// Moves the findings of the listed pairs out of `findings` into the result.
// A listed pair that is no longer found stays behind as a "waiting-list"
// finding, so the list only ever shrinks to what is still to redesign.
std::vector<Finding> setAsideWaiting(std::vector<Finding>& findings, const std::vector<Waiting>& waiting);

// The bounds of the rules (those of likeness and rooms in MapCopies.h).
enum {
    LAST_THIRD_BOARDS = 2000 // median boards at rest of the last third of a set
};
const double LAST_THIRD_DEAD_SHARE = 0.4;

// Stale or missing figures only.
std::vector<Finding> checkStale(const std::vector<RuleLevel>& levels,
                                const std::map<std::string, levelpack::LevelFigures>& figures);

// Every rule, stale figures included.
std::vector<Finding> checkRules(const std::vector<RuleLevel>& levels,
                                const std::map<std::string, levelpack::LevelFigures>& figures);

// The medians the last-third rule reads: of the last third of the set's
// non-tutorial levels (by index), their boards and their dead-end shares.
void lastThirdMedians(const std::vector<RuleLevel>& levels, const std::map<std::string, levelpack::LevelFigures>& figures,
                      int set, double& boards, double& deadShare, int& count);

} // namespace levelrules
