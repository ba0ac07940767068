#include "profile/ProfileFile.h"

#include <cstring>

#include "engine/Endian.h"
#include "engine/Log.h"

ProfileFileReader::ProfileFileReader(const std::string& path)
    : m_file(fopen(path.c_str(), "rb")), m_ok(m_file != nullptr)
{
}

ProfileFileReader::~ProfileFileReader()
{
    if (m_file)
        fclose(m_file);
}

bool ProfileFileReader::u8(uint8_t& value)
{
    m_ok = m_ok && ReadUint8(&value, m_file);
    return m_ok;
}

bool ProfileFileReader::u32(uint32_t& value)
{
    m_ok = m_ok && ReadUint32(&value, m_file);
    return m_ok;
}

bool ProfileFileReader::i32(int32_t& value)
{
    m_ok = m_ok && ReadInt32(&value, m_file);
    return m_ok;
}

bool ProfileFileReader::f32(float& value)
{
    uint32_t bits = 0;
    if (!u32(bits))
        return false;
    // u32() already turned the bytes into a host value.
    memcpy(&value, &bits, sizeof value);
    return true;
}

bool ProfileFileReader::bytes(char* out, size_t count)
{
    m_ok = m_ok && fread(out, 1, count, m_file) == count;
    return m_ok;
}

bool ProfileFileReader::text(std::string& value, size_t max)
{
    uint8_t length = 0;
    if (!u8(length) || length > max) {
        m_ok = false;
        return false;
    }
    value.assign(length, '\0');
    return length == 0 || bytes(&value[0], length);
}

bool ProfileFileReader::atEnd()
{
    return m_ok && fgetc(m_file) == EOF;
}

ProfileFileWriter::ProfileFileWriter(const std::string& path)
    : m_path(path), m_temp(path + ".tmp"), m_file(fopen(m_temp.c_str(), "wb")), m_ok(m_file != nullptr)
{
    if (!m_file)
        logError(false, "Cannot write profile file '%s'\n", m_temp.c_str());
}

ProfileFileWriter::~ProfileFileWriter()
{
    if (m_file) {
        fclose(m_file);
        remove(m_temp.c_str());
    }
}

void ProfileFileWriter::u8(uint8_t value)
{
    m_ok = m_ok && WriteUint8(value, m_file) == 1;
}

void ProfileFileWriter::u32(uint32_t value)
{
    m_ok = m_ok && WriteUint32(value, m_file) == 4;
}

void ProfileFileWriter::i32(int32_t value)
{
    m_ok = m_ok && WriteInt32(value, m_file) == 4;
}

void ProfileFileWriter::f32(float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    u32(bits);
}

void ProfileFileWriter::bytes(const char* data, size_t count)
{
    m_ok = m_ok && fwrite(data, 1, count, m_file) == count;
}

void ProfileFileWriter::text(const std::string& value)
{
    size_t length = value.size() > 255 ? 255 : value.size();
    u8(static_cast<uint8_t>(length));
    bytes(value.data(), length);
}

bool ProfileFileWriter::commit()
{
    if (!m_file)
        return false;
    bool ok = m_ok && fflush(m_file) == 0;
    ok = (fclose(m_file) == 0) && ok;
    m_file = nullptr;
    if (!ok || rename(m_temp.c_str(), m_path.c_str()) != 0) {
        remove(m_temp.c_str());
        logError(false, "Cannot save profile file '%s'\n", m_path.c_str());
        return false;
    }
    return true;
}
