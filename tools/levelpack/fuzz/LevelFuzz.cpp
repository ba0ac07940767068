// libFuzzer target for the level reader. Any input must read without a
// crash or an out-of-bounds access, and whatever was read must survive a
// write and a second read unchanged.
//
// Built when clang is the compiler; the build instruments the game's code
// for the fuzzer by itself:
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz && cmake --build build-fuzz --target level_fuzz
//   build-fuzz/tools/levelpack/level_fuzz -max_len=8192 CORPUS tests/level/data/level_corpus
// Inputs worth keeping go into tests/level/data/level_corpus, which a
// normal test reads.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "level/Level.h"

namespace {

std::vector<uint8_t> reencode(const std::vector<uint8_t>& bytes)
{
    CLevel level;
    FILE* stream = fmemopen(const_cast<uint8_t*>(bytes.data()), bytes.size(), "rb");
    if (!stream)
        abort();
    level.Load(stream, "fuzz");
    fclose(stream);
    return level.Encode(CLevel::GAME_LEVEL_ID);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CLevel level;
    FILE* stream = size ? fmemopen(const_cast<uint8_t*>(data), size, "rb") : nullptr;
    bool complete = level.Load(stream, "fuzz");
    if (stream)
        fclose(stream);
    if (!complete || level.GetVersion() < 5)
        return 0;

    // A level that read completely writes and reads back to the same bytes.
    std::vector<uint8_t> first = level.Encode(CLevel::GAME_LEVEL_ID);
    if (first.empty() || reencode(first) != first)
        abort();
    return 0;
}
