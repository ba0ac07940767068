#include "platform/ShellServices.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* nonEmptyEnv(const char* name)
{
    const char* value = getenv(name);
    return (value && *value) ? value : nullptr;
}

std::string stripTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Reads the XDG_DOCUMENTS_DIR line of a user-dirs.dirs file. Values have
// the form "$HOME/Some Folder" or "/absolute/path"; quotes are required.
bool documentsFromUserDirs(const std::string& file, const char* home, std::string& folder)
{
    std::ifstream in(file);
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0)
            continue;
        std::string value = line.substr(start + key.size());
        if (value.size() < 2 || value.front() != '"')
            continue;
        size_t close = value.find('"', 1);
        if (close == std::string::npos)
            continue;
        value = value.substr(1, close - 1);
        if (value.compare(0, 5, "$HOME") == 0) {
            if (!home)
                continue;
            value = std::string(home) + value.substr(5);
        } else if (value.empty() || value[0] != '/') {
            continue;
        }
        folder = stripTrailingSlashes(value);
        return true;
    }
    return false;
}

} // namespace

bool platformLocalAppDataFolder(std::string& folder)
{
    if (const char* data = nonEmptyEnv("XDG_DATA_HOME")) {
        folder = stripTrailingSlashes(data);
        return true;
    }
    if (const char* home = nonEmptyEnv("HOME")) {
        folder = stripTrailingSlashes(std::string(home) + "/.local/share");
        return true;
    }
    return false;
}

bool platformDocumentsFolder(std::string& folder)
{
    const char* home = nonEmptyEnv("HOME");
    if (const char* docs = nonEmptyEnv("XDG_DOCUMENTS_DIR")) {
        folder = stripTrailingSlashes(docs);
        return true;
    }
    std::string config;
    if (const char* xdgConfig = nonEmptyEnv("XDG_CONFIG_HOME"))
        config = xdgConfig;
    else if (home)
        config = std::string(home) + "/.config";
    if (!config.empty() && documentsFromUserDirs(config + "/user-dirs.dirs", home, folder))
        return true;
    if (home) {
        folder = stripTrailingSlashes(std::string(home) + "/Documents");
        return true;
    }
    return false;
}

bool platformShellOpen(const char* target)
{
    if (!target || !*target)
        return false;
    // Double fork: the opener is adopted by init, so no zombie is left and
    // the game does not wait for the browser.
    pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        pid_t grandchild = fork();
        if (grandchild == 0) {
            int devnull = open("/dev/null", O_RDWR);
            if (devnull >= 0) {
                dup2(devnull, STDIN_FILENO);
                dup2(devnull, STDOUT_FILENO);
                dup2(devnull, STDERR_FILENO);
            }
            execlp("xdg-open", "xdg-open", target, static_cast<char*>(nullptr));
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool platformFlipOnlyDisplay()
{
    return false;
}
