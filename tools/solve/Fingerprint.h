// Fingerprints that tie a level's committed analysis figures to what they
// were measured on. The source fingerprint covers the level's board (every
// cell's tile, ladder and flags, the teleport ends) and its move script; the
// rules fingerprint is a probe of the game's rules as they act on the level:
// its script played from the start, and at every rest on the way each arrow
// key tried, every board reached read by its rest hash. A change of the
// board rules that moves anything on or beside the level's solution changes
// the rules fingerprint. Both are 16 hex digits.
#pragma once

#include <string>
#include <vector>

#include "MoveScript.h"

class CLevel;

namespace solve {

std::string sourceFingerprint(const CLevel& level, const std::vector<levelpack::Move>& script);

// A HeadlessGame must exist and no LevelRun may be alive. "failed" when the
// script cannot be played.
std::string rulesFingerprint(CLevel& level, const std::vector<levelpack::Move>& script);

} // namespace solve
