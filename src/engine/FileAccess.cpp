#include "engine/FileAccess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opening a named pipe would wait for a writer (or a reader); with
// O_NONBLOCK the open returns at once and fstat tells what it is. Only a
// regular file is kept, switched back to blocking reads and writes.
FILE* openRegular(const char* path, int flags, const char* mode, FileOpenResult* result)
{
    FileOpenResult ignored;
    FileOpenResult& r = result ? *result : ignored;
    int fd = open(path, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        r = (errno == ENOENT || errno == ENOTDIR) ? FILE_MISSING : FILE_UNREADABLE;
        return nullptr;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        r = FILE_NOT_REGULAR;
        return nullptr;
    }
    int status = fcntl(fd, F_GETFL);
    FILE* file = nullptr;
    if (status != -1 && fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == 0)
        file = fdopen(fd, mode);
    if (!file) {
        close(fd);
        r = FILE_UNREADABLE;
        return nullptr;
    }
    r = FILE_OPENED;
    return file;
}

} // namespace

FILE* openRegularFile(const char* path, FileOpenResult* result)
{
    return openRegular(path, O_RDONLY, "rb", result);
}

FILE* openRegularFileForAppend(const char* path)
{
    return openRegular(path, O_RDWR | O_APPEND | O_CREAT, "a+b", nullptr);
}

FILE* createRegularFile(const char* path)
{
    // Only a regular file or an empty folder is ever removed to make room:
    // rmdir refuses a folder that holds anything, and a named pipe or device
    // is left alone by the check.
    struct stat st;
    if (lstat(path, &st) == 0) {
        if (S_ISREG(st.st_mode))
            unlink(path);
        else if (S_ISDIR(st.st_mode))
            rmdir(path);
    }
    int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        unlink(path);
    }
    return file;
}

bool syncFile(FILE* file)
{
    return fflush(file) == 0 && fsync(fileno(file)) == 0;
}

bool syncFolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
}

void ignoreFileSizeSignal()
{
    signal(SIGXFSZ, SIG_IGN);
}
