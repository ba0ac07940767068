// libFuzzer target for the board: any level file, however damaged, builds
// into a board that steps 200 world steps without a crash, an endless loop
// or an access outside the grid.
//
// Built when clang is the compiler; instrument the whole library too:
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz \
//     -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link"
//   cmake --build build-fuzz --target board_fuzz resources
//   build-fuzz/tools/levelpack/board_fuzz -max_len=20000 -timeout=20 CORPUS \
//     tests/world/board/data/board_corpus tests/world/data/level_corpus
// Inputs worth keeping go into tests/world/board/data/board_corpus, which a
// normal test replays.
#include <cstddef>
#include <cstdint>

#include "world/board/FuzzedLevel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    boardtest::stepFuzzedLevel(data, size, 200);
    return 0;
}
