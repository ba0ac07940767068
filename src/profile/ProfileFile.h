// Reading and writing the profile files value by value, little-endian, and
// every change made to the files of the profile folder.
//
// The reader notices a short file, and tells a missing file from one that
// cannot be read. The writer writes a temporary file, puts it on the disk
// and only then renames it over the old one, so an interrupted save (even
// by a power loss) leaves the old file or the new one.
//
// Each change to the folder (a file written, synced, renamed or removed)
// is one step that passes through a hook first; tests stop a sequence of
// changes after any step to see what a kill at that point would leave.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/FileAccess.h"

class ProfileFileReader {
public:
    explicit ProfileFileReader(const std::string& path);
    ~ProfileFileReader();
    ProfileFileReader(const ProfileFileReader&) = delete;
    ProfileFileReader& operator=(const ProfileFileReader&) = delete;

    // FILE_OPENED, or why the file could not be opened.
    FileOpenResult state() const { return m_state; }
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
    // True when reading stopped on an error of the disk rather than at the
    // end of the file.
    bool readError() const { return m_file && ferror(m_file); }
    // True when the file could not be opened or read for a reason of the
    // moment (an error of the disk, too many open files) that says nothing
    // about what the file holds.
    bool failedForNow() const;

private:
    FILE* m_file;
    FileOpenResult m_state;
    int m_openError;   // errno of a failed open
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
    // Puts the temporary file on the disk and renames it into place. False
    // (and the old file untouched) when anything failed.
    bool commit();
    // The temporary file's name (without its folder) when something that
    // is not a file stands under it and kept it from being written; else
    // an empty text.
    std::string inTheWay() const;

private:
    std::string m_path;
    std::string m_temp;
    FILE* m_file;
    bool m_ok;
    bool m_inTheWay;
};

// The changes to the profile folder, each announced to the step hook.
bool profileRename(const std::string& from, const std::string& to);
bool profileRemove(const std::string& path);
void profileSyncFolder(const std::string& path);
// Moves a file that could not be used out of the way under the first free
// name "<path>.<why>", "<path>.<why>-2", ...; it is never deleted. Returns
// the new name, or an empty text when it could not be moved.
std::string profileSetAside(const std::string& path, const char* why);
bool profileFileExists(const std::string& path);

// Opens a file for reading: openRegularFile unless replaced (null restores
// it). Tests put failures of the disk in its place.
typedef FILE* (*ProfileOpenFunction)(const char* path, FileOpenResult* result);
void profileSetOpenFunction(ProfileOpenFunction open);

// Called before each change with what is done ("write", "sync", "rename",
// "remove", "sync folder") and the file concerned.
typedef void (*ProfileStepHook)(const char* step, const std::string& path);
void profileSetStepHook(ProfileStepHook hook);
