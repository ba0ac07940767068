// The names of every board picture the board drawer makes, grouped into
// families (one contact sheet each) and series (the frames of one animation,
// or one still picture). The builder and the tests use the list to check
// that the drawer covers every board name and nothing else.
//
// Picture sizes and anchors (the image pixel placed on the cell's top-left
// corner) by family, for the code that builds the sprites:
//   professor           64 x 68, the anchor of the sprite state showing it
//   bot                 64 x 64, the anchor of the sprite state showing it
//   tube ride + tube    64 x 68, (16, 39)
//   crates, barrels,    40 x 42, (6, 12); front face fills the cell, top and
//   magnets                      right faces recede 4 px up and right
//   gates               40 x 56, (6, 28)
//   buttons             32 x 32, (4, 4)
//   trampolines         40 x 40, (8, 12)
//   teleports           64 x 64, (8, 36); two cells wide
//   power-ups           40 x 40, (8, 10); collect labels 88 x 24, (32, 26)
//   grass, sand runs    (24 n + 10) x 42, (2, 6); ice 34 x 42, (2, 6)
//   bridges             34 x 50, (4, 6); trimmed planks 28 x 12
//   ladders             34 x 34, (4, 6)
//   gunshots            32 x 32, (4, 4)
//   tutorial marker     32 x 40, (4, 12)
//   effect overlays     the anchors of their sprites: heat glow 140 x 100
//                       (58, 48), heat impact 90 x 104 (33, 77), steam
//                       120 x 122 (48, 95), EMP 64 x 56 (20, 16)
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
