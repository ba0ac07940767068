#include "engine/ResourceArchive.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "engine/Endian.h"

ResourceArchiveReader::~ResourceArchiveReader()
{
    Close();
}

void ResourceArchiveReader::Close()
{
    if (m_file)
        fclose(m_file);
    m_file = nullptr;
    m_offsets.clear();
    m_fileSize = 0;
}

bool ResourceArchiveReader::Open(const char* path)
{
    Close();
    m_error.clear();
    m_openErrno = 0;
    m_file = fopen(path, "rb");
    if (!m_file) {
        m_openErrno = errno;
        return false;
    }
    if (fseek(m_file, 0, SEEK_END) != 0) {
        m_error = "cannot measure the file";
        Close();
        return false;
    }
    long size = ftell(m_file);
    m_fileSize = size > 0 ? static_cast<uint64_t>(size) : 0;
    fseek(m_file, 0, SEEK_SET);

    uint32_t count = 0;
    if (!ReadUint32(&count, m_file)) {
        m_error = "the entry count is missing";
        Close();
        return false;
    }
    if (4ull + 4ull * count > m_fileSize) {
        m_error = "the offset table runs past the end of the file";
        Close();
        return false;
    }
    m_offsets.resize(count);
    for (uint32_t i = 0; i < count; ++i)
        ReadUint32(&m_offsets[i], m_file);
    return true;
}

bool ResourceArchiveReader::ReadHeader(uint32_t index, uint64_t& offset, uint32_t& size, uint32_t& nameLength)
{
    if (!m_file || index >= m_offsets.size()) {
        m_error = "no such entry";
        return false;
    }
    offset = m_offsets[index];
    if (offset + 8 > m_fileSize || fseek(m_file, static_cast<long>(offset), SEEK_SET) != 0 ||
        !ReadUint32(&size, m_file) || !ReadUint32(&nameLength, m_file)) {
        m_error = "entry " + std::to_string(index) + " starts past the end of the file";
        return false;
    }
    if (offset + 8 + static_cast<uint64_t>(nameLength) > m_fileSize) {
        m_error = "the name of entry " + std::to_string(index) + " runs past the end of the file";
        return false;
    }
    return true;
}

bool ResourceArchiveReader::ReadEntryName(uint32_t index, std::string& name)
{
    name.clear();
    uint64_t offset = 0;
    uint32_t size = 0, nameLength = 0;
    if (!ReadHeader(index, offset, size, nameLength))
        return false;
    name.resize(nameLength);
    if (nameLength && fread(&name[0], 1, nameLength, m_file) != nameLength) {
        m_error = "entry " + std::to_string(index) + " cannot be read";
        name.clear();
        return false;
    }
    return true;
}

bool ResourceArchiveReader::ReadEntry(uint32_t index, std::string& name, std::vector<uint8_t>& data)
{
    name.clear();
    data.clear();
    uint64_t offset = 0;
    uint32_t size = 0, nameLength = 0;
    if (!ReadHeader(index, offset, size, nameLength))
        return false;
    if (offset + 8 + nameLength + static_cast<uint64_t>(size) > m_fileSize) {
        m_error = "entry " + std::to_string(index) + " runs past the end of the file";
        return false;
    }
    name.resize(nameLength);
    data.resize(size);
    if ((nameLength && fread(&name[0], 1, nameLength, m_file) != nameLength) ||
        (size && fread(data.data(), 1, size, m_file) != size)) {
        m_error = "entry " + std::to_string(index) + " cannot be read";
        name.clear();
        data.clear();
        return false;
    }
    return true;
}

std::string ResourceArchiveReader::reason() const
{
    if (!m_error.empty())
        return m_error;
    if (m_openErrno)
        return std::string("cannot be opened: ") + strerror(m_openErrno);
    return std::string();
}

uint32_t ResourceArchiveEntryCount(const char* path)
{
    ResourceArchiveReader archive;
    return archive.Open(path) ? archive.Count() : 0;
}

void ResourceArchiveWriter::Add(const std::string& name, const std::vector<uint8_t>& data)
{
    m_entries.push_back({name, data});
}

void ResourceArchiveWriter::Add(const std::string& name, const std::string& data)
{
    m_entries.push_back({name, std::vector<uint8_t>(data.begin(), data.end())});
}

bool ResourceArchiveWriter::Write(const std::string& path) const
{
    std::string temp = path + ".tmp";
    FILE* f = fopen(temp.c_str(), "wb");
    if (!f)
        return false;
    bool ok = WriteUint32(static_cast<uint32_t>(m_entries.size()), f) == 4;
    uint64_t offset = 4 + 4 * static_cast<uint64_t>(m_entries.size());
    for (const Entry& e : m_entries) {
        ok = ok && WriteUint32(static_cast<uint32_t>(offset), f) == 4;
        offset += 8 + e.name.size() + e.data.size();
    }
    if (offset > 0xFFFFFFFFull)
        ok = false;
    for (const Entry& e : m_entries) {
        ok = ok && WriteUint32(static_cast<uint32_t>(e.data.size()), f) == 4;
        ok = ok && WriteUint32(static_cast<uint32_t>(e.name.size()), f) == 4;
        ok = ok && fwrite(e.name.data(), 1, e.name.size(), f) == e.name.size();
        ok = ok && (e.data.empty() || fwrite(e.data.data(), 1, e.data.size(), f) == e.data.size());
    }
    ok = (fclose(f) == 0) && ok;
    if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
        remove(temp.c_str());
        return false;
    }
    return true;
}
