#include "engine/UserDirs.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <utility>
#include <vector>

#include "engine/Log.h"
#include "engine/Utils.h"
#include "platform/ShellServices.h"

namespace {

char g_profileDir[USER_DIR_SIZE];
char g_levelsDir[USER_DIR_SIZE];

const char kProfileSubfolders[] = "Tolvey Games/ZOBK Data/";
const char kLevelsSubfolder[] = "ZOBK Levels/";

// True when a folder path fits its buffer with the terminator. A longer one
// is never cut: a cut path names some other folder or file, so the caller
// falls back as if the system folder were unknown, and says so once.
bool fitsFolderBuffer(const std::string& path, const char* which)
{
    if (path.size() < USER_DIR_SIZE)
        return true;
    logPrint(LOG_WARNING, "The %s folder path is %zu bytes long, more than %i; the fallback folder is used\n", which,
             path.size(), USER_DIR_SIZE - 1);
    return false;
}

enum { NAME_BUFFER_SIZE = 256 };

char* copyName(const char* name, size_t length)
{
    if (length > NAME_BUFFER_SIZE - 1)
        length = NAME_BUFFER_SIZE - 1;
    char* copy = new char[NAME_BUFFER_SIZE];
    memcpy(copy, name, length);
    copy[length] = '\0';
    return copy;
}

// The name as the sorted listing compares it: in lower case, as far as
// ToLowerCopy goes.
std::string lowerKey(const char* name)
{
    char* lower = ToLowerCopy(name);
    std::string key = lower;
    delete[] lower;
    return key;
}

} // namespace

void MakeDirectory(const char* path)
{
    mkdir(path, 0755);
}

namespace {
// Creates a folder and any missing folders above it: on a fresh account the
// data and documents folders may not exist yet.
void makeDirectoryPath(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        MakeDirectory(path.substr(0, slash).c_str());
    MakeDirectory(path.c_str());
}
} // namespace

void ResetUserDirectories()
{
    g_profileDir[0] = '\0';
    g_levelsDir[0] = '\0';
}

void InitUserDirectories()
{
    g_profileDir[0] = '\0';
    g_levelsDir[0] = '\0';

    // The whole path of each folder is known before anything is created, so
    // a path that does not fit is refused before it is used.
    std::string local;
    bool haveLocal = platformLocalAppDataFolder(local) &&
                     fitsFolderBuffer(local + "/" + kProfileSubfolders, "profile");
    std::string documents;
    bool haveDocuments = platformDocumentsFolder(documents) &&
                         fitsFolderBuffer(documents + "/" + kLevelsSubfolder, "levels");

    if (haveLocal) {
        makeDirectoryPath(local);
        snprintf(g_profileDir, sizeof g_profileDir, "%s/", local.c_str());
    } else {
        snprintf(g_profileDir, sizeof g_profileDir, "resource/");
    }
    if (haveDocuments) {
        makeDirectoryPath(documents);
        snprintf(g_levelsDir, sizeof g_levelsDir, "%s/", documents.c_str());
    }

    MakeDirectory(g_profileDir);
    if (haveLocal) {
        std::string path = std::string(g_profileDir) + "Tolvey Games/";
        MakeDirectory(path.c_str());
        path += "ZOBK Data/";
        MakeDirectory(path.c_str());
        snprintf(g_profileDir, sizeof g_profileDir, "%s", path.c_str());
    }

    std::string levels = std::string(g_levelsDir) + kLevelsSubfolder;
    snprintf(g_levelsDir, sizeof g_levelsDir, "%s", levels.c_str());
    MakeDirectory(g_levelsDir);

    logPrint(LOG_DEBUG, "PROFILE DIRECTORY:  '%s'\n", g_profileDir);
    logPrint(LOG_DEBUG, "LEVELS DIRECTORY:   '%s'\n", g_levelsDir);
}

const char* GetProfileDirectory() { return g_profileDir; }
const char* GetLevelsDirectory() { return g_levelsDir; }

void GetFiles(std::list<char*>& result, const char* folder, const char* extension, bool sorted)
{
    // The sorted names are taken as one sorted run: names already in the
    // list would not be in order with them, so such a list is refused.
    if (sorted && !result.empty()) {
        logPrint(LOG_ERROR, "GetFiles()   A sorted listing needs an empty list ('%s')\n", folder);
        return;
    }
    std::list<char*> found;
    size_t extLength = strlen(extension);

    // Entries are examined relative to the open folder, so the process's
    // working folder never changes. Only regular files are listed: a
    // folder, a named pipe or a device is nothing a reader could open.
    DIR* dir = opendir(folder);
    if (!dir) {
        logPrint(LOG_DEBUG, "GetFiles()   Unable to open directory '%s'\n", folder);
    } else {
        int fd = dirfd(dir);
        while (struct dirent* entry = readdir(dir)) {
            const char* name = entry->d_name;
            if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0)
                continue;
            size_t length = strlen(name);
            // The first occurrence of the extension ends the name, so
            // "x.lvl.lvl" is not listed; a name that is only the extension
            // names nothing.
            if (extLength == 0 || length <= extLength || strstr(name, extension) != name + length - extLength)
                continue;
            struct stat st;
            if (fstatat(fd, name, &st, 0) != 0 || !S_ISREG(st.st_mode))
                continue;
            found.push_back(copyName(name, length - extLength));
        }
        closedir(dir);
    }

    if (!sorted) {
        for (char* old : result)
            delete[] old;
        result = std::move(found);
        return;
    }
    // One sort by the lower-case names, stable so that equal names keep
    // their listing order.
    std::vector<std::pair<std::string, char*>> keyed;
    keyed.reserve(found.size());
    for (char* name : found)
        keyed.emplace_back(lowerKey(name), name);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const std::pair<std::string, char*>& a, const std::pair<std::string, char*>& b) {
                         return a.first < b.first;
                     });
    for (const auto& k : keyed)
        result.push_back(k.second);
}

void OpenWithShell(const char* target)
{
    platformShellOpen(target);
}

bool IsVistaOrLater() { return platformFlipOnlyDisplay(); }
bool IsWindowsNT() { return true; }
bool IsWindows9x() { return false; }
