// The resource archive container shared by the image, sound and level
// archives: a u32 count, count u32 absolute offsets, and at each offset a u32
// data size, a u32 name length, the name bytes and the data bytes (all
// integers little-endian).
//
// The reader checks every offset, size and name length against the file's
// length, so a damaged archive gives an error text instead of a read out of
// bounds. The writer is used by the resource build tools.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class ResourceArchiveReader {
public:
    ResourceArchiveReader() = default;
    ~ResourceArchiveReader();
    ResourceArchiveReader(const ResourceArchiveReader&) = delete;
    ResourceArchiveReader& operator=(const ResourceArchiveReader&) = delete;

    // Opens the archive and reads its offset table. False when the file
    // cannot be opened (error() is then empty) or its table is damaged
    // (error() says how).
    bool Open(const char* path);
    void Close();

    uint32_t Count() const { return static_cast<uint32_t>(m_offsets.size()); }

    // Reads entry index (in table order). False with error() set when the
    // entry runs past the end of the file.
    bool ReadEntry(uint32_t index, std::string& name, std::vector<uint8_t>& data);

    // Reads only the name of entry index; false with error() set when the
    // entry's header or name lies outside the file. A damaged entry whose
    // name is whole can still be reported under that name.
    bool ReadEntryName(uint32_t index, std::string& name);

    const std::string& error() const { return m_error; }
    // Why the last operation failed, also when the file could not be opened
    // at all ("cannot be opened: " and the system's reason).
    std::string reason() const;

private:
    FILE* m_file = nullptr;
    uint64_t m_fileSize = 0;
    std::vector<uint32_t> m_offsets;
    std::string m_error;
    int m_openErrno = 0;

    // Seeks to entry index and reads its data size and name length.
    bool ReadHeader(uint32_t index, uint64_t& offset, uint32_t& size, uint32_t& nameLength);
};

// The entry count of the archive at path, 0 when it cannot be opened or its
// offset table is damaged.
uint32_t ResourceArchiveEntryCount(const char* path);

class ResourceArchiveWriter {
public:
    void Add(const std::string& name, const std::vector<uint8_t>& data);
    void Add(const std::string& name, const std::string& data);
    size_t Count() const { return m_entries.size(); }
    // Writes the archive; entries are stored in the order they were added.
    // The file is written under a temporary name and renamed into place.
    bool Write(const std::string& path) const;

private:
    struct Entry {
        std::string name;
        std::vector<uint8_t> data;
    };
    std::vector<Entry> m_entries;
};
