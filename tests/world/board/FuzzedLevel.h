// A level read from arbitrary bytes, built into a board and stepped: the
// body of the board fuzz target and of the test that replays its corpus.
#pragma once

#include <cstddef>
#include <cstdint>

namespace boardtest {

// Reads the bytes as a level file (whatever part of it reads), builds the
// board from it and runs `steps` world steps. Returns false when not one
// byte of a level could be read.
bool stepFuzzedLevel(const uint8_t* data, size_t size, int steps);

} // namespace boardtest
