#include "engine/Endian.h"

#include <cstring>

namespace {

bool g_hostSettled = false;
bool g_hostBigEndian = false;

void settleHost()
{
    if (g_hostSettled)
        return;
    const uint16_t probe = 1;
    unsigned char first;
    memcpy(&first, &probe, 1);
    g_hostBigEndian = (first == 0);
    g_hostSettled = true;
}

template <typename T>
T reverseBytes(T value)
{
    unsigned char bytes[sizeof(T)];
    memcpy(bytes, &value, sizeof(T));
    for (size_t i = 0; i < sizeof(T) / 2; ++i) {
        unsigned char t = bytes[i];
        bytes[i] = bytes[sizeof(T) - 1 - i];
        bytes[sizeof(T) - 1 - i] = t;
    }
    memcpy(&value, bytes, sizeof(T));
    return value;
}

template <typename T>
T toHost(T value)
{
    return IsBigEndianHost() ? reverseBytes(value) : value;
}

template <typename T>
size_t writeValue(T value, FILE* file)
{
    T stored = toHost(value); // the conversion is its own inverse
    return fwrite(&stored, 1, sizeof(T), file);
}

template <typename T>
bool readValue(T* value, FILE* file)
{
    T stored;
    if (fread(&stored, 1, sizeof(T), file) != sizeof(T)) {
        *value = 0;
        return false;
    }
    *value = toHost(stored);
    return true;
}

} // namespace

bool IsBigEndianHost()
{
    settleHost();
    return g_hostBigEndian;
}

uint8_t SwapToHost8(uint8_t value) { return value; }
uint16_t SwapToHost16(uint16_t value) { return toHost(value); }
uint32_t SwapToHost32(uint32_t value) { return toHost(value); }
int32_t SwapToHostInt32(int32_t value) { return toHost(value); }
uint64_t SwapToHost64(uint64_t value) { return toHost(value); }

float SwapFloatToHost(uint32_t bits)
{
    uint32_t host = toHost(bits);
    float result;
    memcpy(&result, &host, sizeof result);
    return result;
}

size_t WriteUint32(uint32_t value, FILE* file) { return writeValue(value, file); }
size_t WriteInt32(int32_t value, FILE* file) { return writeValue(value, file); }
size_t WriteUint8(uint8_t value, FILE* file) { return writeValue(value, file); }
size_t WriteUint64(uint64_t value, FILE* file) { return writeValue(value, file); }
bool ReadUint32(uint32_t* value, FILE* file) { return readValue(value, file); }
bool ReadInt32(int32_t* value, FILE* file) { return readValue(value, file); }
bool ReadUint8(uint8_t* value, FILE* file) { return readValue(value, file); }
bool ReadUint64(uint64_t* value, FILE* file) { return readValue(value, file); }
