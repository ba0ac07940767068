// A level read from arbitrary bytes, built into a board and played: the body
// of the board fuzz target and of the test that replays its corpus.
//
// The input is a level file followed by a script of the player's actions:
// the last byte gives the script's length n (at most what is there), the n
// bytes before it are the script, everything before them the level. Each
// script byte is one action held for some frames: bits 0-3 choose it
// (0 a click on a board cell named by the next two bytes, 1 to 4 the
// left, right, up and down keys, 5 the action key, 6 to 14 power-up slots
// 1 to 9, 15 undo), bits 4-7 give the frames it lasts (1, 3, ... 31).
#pragma once

#include <cstddef>
#include <cstdint>

namespace boardtest {

// Reads the level part (whatever of it reads), builds the board from it,
// waits (at most 150 steps) until the professor has come out of the
// entrance tube, then plays the script and steps on: `steps` world steps
// after the wait in all. Returns false for an empty input.
bool stepFuzzedLevel(const uint8_t* data, size_t size, int steps);

} // namespace boardtest
