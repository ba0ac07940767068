// Replays recorded solutions headless, for tools and CI (not for players).
//
// Usage: bramblecot_replay [--run DIR] [--expect-exited] [--all] [--builtin] [LEVEL.lvl ...]
//
// Without level files (or with --builtin) it replays every built-in level of
// "resource4.dat"; then the level files given. For each level it prints whether the replay ended
// in "exited", in how many frames and steps, and the hash of the final board.
// Levels without a recorded solution are listed but not replayed unless
// --all is given. With --expect-exited the exit status is 1 when a replayed
// level ended any other way. It runs headless in a folder of the game's
// resource files (see replay::HeadlessSession): the one --run names, else the
// program's own folder when it holds them, else the build's run folder; the
// first line it prints names the folder and why.
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "ReplayRunner.h"
#include "level/Level.h"
#include "level/LevelSet.h"

namespace {

std::string absolutePath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd))
        return path;
    return std::string(cwd) + "/" + path;
}

// The resource files a headless replay reads: parameters, load screen and
// bar, window icon, pictures, levels, strings and font.
const char* const kResourceFiles[] = {"resource8.dat", "resource0.dat", "resource1.dat", "resource7.dat",
                                      "resource2.dat", "resource4.dat", "resource5.dat", "resource6.dat"};

bool holdsResources(const std::string& folder)
{
    for (const char* name : kResourceFiles)
        if (access((folder + "/" + name).c_str(), R_OK) != 0)
            return false;
    return true;
}

// The folder this program was started from, empty when unknown.
std::string programFolder()
{
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "";
    path[n] = '\0';
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('/'));
}

std::string levelNameOf(const std::string& path)
{
    std::string name = path.substr(path.find_last_of('/') + 1);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".lvl") == 0)
        name.resize(name.size() - 4);
    return name;
}

struct Tally {
    int replayed = 0;
    int failed = 0;
};

void replayOne(CLevel& level, bool all, bool expectExited, Tally& tally)
{
    replay::Options options;
    if (level.GetSolution().empty() && !all) {
        printf("%-12s  (no solution)\n", level.GetName());
        return;
    }
    replay::Report report = replay::replayLevel(level, options);
    printf("%s\n", replay::formatReport(report).c_str());
    fflush(stdout);
    ++tally.replayed;
    if (expectExited && report.outcome != "exited")
        ++tally.failed;
}

} // namespace

int main(int argc, char** argv)
{
    std::string runDir;
    bool expectExited = false;
    bool all = false;
    bool builtin = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--run") && i + 1 < argc)
            runDir = argv[++i];
        else if (!strcmp(argv[i], "--expect-exited"))
            expectExited = true;
        else if (!strcmp(argv[i], "--all"))
            all = true;
        else if (!strcmp(argv[i], "--builtin"))
            builtin = true;
        else if (argv[i][0] == '-') {
            fprintf(stderr, "Usage: %s [--run DIR] [--expect-exited] [--all] [--builtin] [LEVEL.lvl ...]\n", argv[0]);
            return 2;
        } else
            files.push_back(absolutePath(argv[i]));
    }

    const char* why = "given with --run";
    if (runDir.empty()) {
        runDir = programFolder();
        why = "the program's own folder";
        if (runDir.empty() || !holdsResources(runDir)) {
            runDir = BRAMBLECOT_RUN_DIR;
            why = "the build's run folder";
        }
    }
    runDir = absolutePath(runDir);
    printf("Resources: %s (%s)\n", runDir.c_str(), why);
    fflush(stdout);

    replay::HeadlessSession session(runDir);
    if (!session.ok())
        return 2;

    Tally tally;
    int unreadable = 0;
    {
        if (files.empty())
            builtin = true;
        replay::HeadlessGame game(builtin);
        if (builtin) {
            for (int set = 0; set < 3; ++set) {
                CLevelSet* levels = CLevelSet::getSet(set);
                for (int i = 0; levels && i < levels->getCount(); ++i)
                    replayOne(*levels->getLevel(i), all, expectExited, tally);
            }
        }
        for (const std::string& path : files) {
            FILE* f = fopen(path.c_str(), "rb");
            CLevel level;
            bool read = f && level.Load(f, levelNameOf(path).c_str());
            if (f)
                fclose(f);
            if (!read) {
                printf("%-12s  cannot be read (%s)\n", levelNameOf(path).c_str(), path.c_str());
                ++unreadable;
                continue;
            }
            replayOne(level, all, expectExited, tally);
        }
    }
    printf("%d replayed, %d not ending in exited, %d unreadable\n", tally.replayed, tally.failed, unreadable);
    if (unreadable || (expectExited && tally.failed))
        return 1;
    return 0;
}
