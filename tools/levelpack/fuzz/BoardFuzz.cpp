// libFuzzer target for the board: any level file, however damaged, builds
// into a board that the professor plays with any actions (keys held for a
// number of frames, clicks on cells, power-ups, undo) for 200 world steps
// without a crash, an endless loop or an access outside the grid. The
// input's layout (a level, then the script of actions) is described in
// tests/world/FuzzedLevel.h.
//
// Built when clang is the compiler; the build instruments the game's code
// for the fuzzer by itself:
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz
//   cmake --build build-fuzz --target board_fuzz resources
//   build-fuzz/tools/levelpack/board_fuzz -max_len=20000 -timeout=20 CORPUS \
//     tests/world/data/board_corpus tests/level/data/level_corpus
// Inputs worth keeping go into tests/world/data/board_corpus, which a
// normal test replays.
#include <cstddef>
#include <cstdint>

#include "world/FuzzedLevel.h"

// The board's world (screen, image store, sounds) comes up with the first
// input and serves every later one; the process ends without taking it down,
// so the leak check at exit would report the whole store. Leaks of single
// inputs are still caught: the fuzzer checks for them after every input.
extern "C" const char* __asan_default_options()
{
    return "leak_check_at_exit=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    boardtest::stepFuzzedLevel(data, size, 200);
    return 0;
}
