#include "level/LevelBytes.h"

#include "level/Level.h"

namespace leveltest {

LevelBytes& LevelBytes::i32(int32_t value)
{
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        m_bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return *this;
}

LevelBytes& LevelBytes::raw(const std::string& bytes)
{
    m_bytes += bytes;
    return *this;
}

LevelBytes& LevelBytes::heading(const std::string& text)
{
    std::string field = text;
    field.resize(33, '\0');
    m_bytes += field;
    return *this;
}

LevelBytes& LevelBytes::layer(int32_t value)
{
    for (int i = 0; i < 768; ++i)
        i32(value);
    return *this;
}

LevelBytes& LevelBytes::emptyUpToSolution(uint32_t id)
{
    i32(static_cast<int32_t>(id)).heading("").layer(5).layer(5);
    return i32(0).i32(0).i32(0).i32(0).i32(4);
}

bool loadBytes(CLevel& level, const std::string& bytes, const char* name)
{
    std::string copy = bytes;
    FILE* stream = copy.empty() ? nullptr : fmemopen(&copy[0], copy.size(), "rb");
    bool ok = level.Load(stream, name);
    if (stream)
        fclose(stream);
    return ok;
}

std::string encode(CLevel& level)
{
    std::vector<uint8_t> bytes = level.Encode(CLevel::GAME_LEVEL_ID);
    return std::string(bytes.begin(), bytes.end());
}

int32_t i32At(const std::string& bytes, size_t offset)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes.at(offset + i));
    return static_cast<int32_t>(v);
}

} // namespace leveltest
