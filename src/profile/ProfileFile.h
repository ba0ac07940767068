// Reading and writing the profile files value by value, little-endian.
// The reader notices a short file; the writer writes a temporary file and
// renames it over the old one only when everything was written, so an
// interrupted save never loses the player's previous file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class ProfileFileReader {
public:
    explicit ProfileFileReader(const std::string& path);
    ~ProfileFileReader();
    ProfileFileReader(const ProfileFileReader&) = delete;
    ProfileFileReader& operator=(const ProfileFileReader&) = delete;

    bool exists() const { return m_file != nullptr; }
    // Each read is false once the file has ended (and then stays false).
    bool u8(uint8_t& value);
    bool u32(uint32_t& value);
    bool i32(int32_t& value);
    bool f32(float& value);
    bool bytes(char* out, size_t count);
    // A text stored as a u8 length and its bytes; false when longer than max.
    bool text(std::string& value, size_t max);
    // True when the whole file has been read.
    bool atEnd();

private:
    FILE* m_file;
    bool m_ok;
};

class ProfileFileWriter {
public:
    explicit ProfileFileWriter(const std::string& path);
    ~ProfileFileWriter();
    ProfileFileWriter(const ProfileFileWriter&) = delete;
    ProfileFileWriter& operator=(const ProfileFileWriter&) = delete;

    void u8(uint8_t value);
    void u32(uint32_t value);
    void i32(int32_t value);
    void f32(float value);
    void bytes(const char* data, size_t count);
    void text(const std::string& value);
    // Closes the temporary file and renames it into place. False (and the
    // old file untouched) when anything failed.
    bool commit();

private:
    std::string m_path;
    std::string m_temp;
    FILE* m_file;
    bool m_ok;
};
