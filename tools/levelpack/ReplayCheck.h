// The replay check of the built-in levels: each level's recorded solution
// is replayed through the real play screen and must end with the professor
// through the exit tube, after the number of steps the packer recorded.
#pragma once

#include <string>

class CLevel;

namespace levelpack {

struct CheckVerdict {
    bool passed = false;
    std::string outcome;  // as the replay ended ("exited", "caught", ..., "not ended")
    int frames = 0;
    int steps = 0;
    std::string problem;  // why it failed, "" when passed
};

// Replays the level's solution. expectedSteps below 0 accepts any count.
CheckVerdict checkReplay(CLevel& level, int expectedSteps);

} // namespace levelpack
