// Gathers what the level rules check reads of each level source in a
// folder: its map, heading, idea and decoy lines from the source, and what
// the game recomputes (the fingerprints and the key that wins alone), in
// worker processes side by side.
#pragma once

#include <string>
#include <vector>

#include "LevelRules.h"

namespace levelrules {

// `wholeSets`: the folder holds the three whole sets (otherwise any number
// of levels of each). `oneKey`: also play every level for the key that wins
// alone. A HeadlessGame must exist and no LevelRun may be alive. Problems go
// to errors.
std::vector<RuleLevel> gatherLevels(const std::string& folder, bool wholeSets, bool oneKey, int jobs,
                                    std::vector<std::string>& errors);

} // namespace levelrules
