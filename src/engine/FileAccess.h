// Opening the player's own files (profiles, settings, levels, the log) with
// care: whatever stands under such a name may be damaged or hostile. A name
// that is not a regular file (a folder, a named pipe, a device) is refused
// without ever waiting on it, and a written file can be made durable
// before it replaces an older one.
#pragma once

#include <cstdio>
#include <string>

enum FileOpenResult {
    FILE_OPENED = 0,
    FILE_MISSING,     // nothing by that name (or a folder on the way is missing)
    FILE_NOT_REGULAR, // a folder, a named pipe, a device or a socket
    FILE_UNREADABLE   // it is there but cannot be opened (permissions, I/O)
};

// Opens a regular file for reading ("rb"); null otherwise, with the reason
// in result when given.
FILE* openRegularFile(const char* path, FileOpenResult* result = nullptr);
// Opens a regular file for appending ("a+b"), creating it when missing;
// null for anything that is not a regular file.
FILE* openRegularFileForAppend(const char* path);
// Creates path as a new, empty file for writing ("wb"). A regular file left
// under that name (an earlier attempt's) is replaced and an empty folder is
// removed; anything else under that name makes it fail (errno EEXIST).
FILE* createRegularFile(const char* path);

// Writes the file's buffered data out and waits until it is on the disk.
bool syncFile(FILE* file);
// Waits until the folder holding path has its entries (new names, renames,
// removals) on the disk.
bool syncFolderOf(const std::string& path);

// Makes a write past the file-size limit (RLIMIT_FSIZE) fail with EFBIG
// instead of ending the program with SIGXFSZ: a file that cannot be
// written whole is then a failed write like any other.
void ignoreFileSizeSignal();
