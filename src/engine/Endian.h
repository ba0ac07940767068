// Byte order of the game's files: every multi-byte value is stored least
// significant byte first. The conversions pass values through unchanged on
// a little-endian host and reverse their bytes on a big-endian one.
#pragma once

#include <cstdint>
#include <cstdio>

bool IsBigEndianHost();

uint8_t SwapToHost8(uint8_t value);
uint16_t SwapToHost16(uint16_t value);
uint32_t SwapToHost32(uint32_t value);
int32_t SwapToHostInt32(int32_t value);
float SwapFloatToHost(uint32_t bits);
uint64_t SwapToHost64(uint64_t value);

// One value at a time on an open stream. Writes return the number of bytes
// written. A read that runs out of data stores 0 and returns false, so a
// caller that checks can tell a short file; callers may also ignore it.
size_t WriteUint32(uint32_t value, FILE* file);
size_t WriteInt32(int32_t value, FILE* file);
size_t WriteUint8(uint8_t value, FILE* file);
size_t WriteUint64(uint64_t value, FILE* file);
bool ReadUint32(uint32_t* value, FILE* file);
bool ReadInt32(int32_t* value, FILE* file);
bool ReadUint8(uint8_t* value, FILE* file);
bool ReadUint64(uint64_t* value, FILE* file);
