// Builds ".lvl" file images byte by byte for the level tests, so a test can
// write exactly the damage it wants to check.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class CLevel;

namespace leveltest {

class LevelBytes {
public:
    LevelBytes& i32(int32_t value);
    LevelBytes& raw(const std::string& bytes);
    // A heading field: the text, then zeros up to 33 bytes.
    LevelBytes& heading(const std::string& text);
    // A layer of 768 copies of value.
    LevelBytes& layer(int32_t value);
    // An empty level from the ID to the background, without the solution.
    LevelBytes& emptyUpToSolution(uint32_t id);

    const std::string& str() const { return m_bytes; }
    size_t size() const { return m_bytes.size(); }

private:
    std::string m_bytes;
};

// Reads bytes into level through a memory stream; returns what Load said.
bool loadBytes(CLevel& level, const std::string& bytes, const char* name = "test");
std::string encode(CLevel& level);

// The little-endian int stored at a byte offset.
int32_t i32At(const std::string& bytes, size_t offset);

// Byte offsets of the fields of a file.
enum : size_t {
    OFFSET_HEADING = 4,
    OFFSET_LADDERS = 4 + 33,
    OFFSET_TILES = 4 + 33 + 3072,
    OFFSET_TELEPORTS = 4 + 33 + 3072 + 3072
};

} // namespace leveltest
