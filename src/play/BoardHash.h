// The whole board state as text, and its hash: every element in creation
// order (kinds, every field an undo step keeps, its main sprite's frame and
// animation, and what its own class's undo step keeps), the grid, the spawned
// list, the outcome flags, and the devices' grids, counts and lists. Two
// boards with the same state give the same text. Tests compare
// boards with it; the replay tool prints the hash of the board a solution
// leaves.
#pragma once

#include <cstdint>
#include <string>

std::string boardState();
// A 64-bit hash of the same values as boardState(), computed without
// writing the text (cheap enough to check a board after every move).
uint64_t boardHash();
