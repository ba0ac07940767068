// The names of every board picture the board drawer makes, grouped into
// families (one contact sheet each) and series (the frames of one animation,
// or one still picture). The builder and the tests use the list to check
// that the drawer covers every board name and nothing else.
#pragma once

#include <string>
#include <vector>

namespace board {

struct BoardSeries {
    std::string family;              // e.g. "professor", "terrain"
    std::string label;               // e.g. "profrunleft"
    std::vector<std::string> frames; // file names in frame order
};

// Every series of every family, in a stable order.
const std::vector<BoardSeries>& boardSeries();

// Size groups: the file names that must share one pixel size because the
// game mixes them in one sprite (each series is such a group too).
const std::vector<std::vector<std::string>>& boardMixedFrameLists();

} // namespace board

// Every board image name, each once.
const std::vector<std::string>& boardImageNames();

// True when `name` is one of boardImageNames().
bool isBoardImageName(const std::string& name);
