#include "world/board/FuzzedLevel.h"

#include <cstdio>

#include "world/Level.h"
#include "world/board/BoardHarness.h"

namespace boardtest {

bool stepFuzzedLevel(const uint8_t* data, size_t size, int steps)
{
    if (size == 0)
        return false;
    CLevel level;
    FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!stream)
        return false;
    // A level that stops half-way still has layers worth building.
    level.Load(stream, "fuzz");
    fclose(stream);
    Board board;
    board.build(level);
    board.step(steps);
    return true;
}

} // namespace boardtest
