// Finds a shortest solution of a level in player moves, by breadth-first
// search over the boards at rest through the real play screen (see
// Search.h), and prints it as a move script.
//
//   solve [--max-states N] [--max-seconds S] [--max-depth D] [--jobs N] [--write-moves [--force]] [--run DIR] LEVEL.txt ...
//
// For each level source it prints one line: the shortest solution's length
// (or why none was found), the length of the level's own script
// (LEVEL.moves) when it has one, the boards searched and the time taken;
// for a single level also the script found; for several a closing tally.
// --write-moves writes the script found to LEVEL.moves when the level has
// none (--force: replace it). The status is 0 when every level was solved,
// 1 when one was not, 2 when one could not be used.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "LevelSource.h"
#include "MoveScript.h"
#include "PackJobs.h"
#include "ReplayRunner.h"
#include "Search.h"
#include "level/Level.h"
#include "level/LevelSet.h"

namespace {

struct Settings {
    solve::Limits limits;
    bool writeMoves = false;
    bool force = false;
    bool printScript = false;
    std::string runDir = BRAMBLECOT_RUN_DIR;
};

std::string stem(const std::string& path)
{
    std::string name = path.substr(path.find_last_of('/') + 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string scriptPathOf(const std::string& source)
{
    size_t dot = source.rfind('.');
    size_t slash = source.rfind('/');
    std::string base = (dot == std::string::npos || (slash != std::string::npos && dot < slash))
                           ? source
                           : source.substr(0, dot);
    return base + ".moves";
}

// How one level went, as the exit status of the process that solved it.
enum Verdict {
    SOLVED = 0,          // shortest found; the level's script (if any) is as short
    NOT_SOLVED = 1,      // the search stopped at a bound
    UNUSABLE = 2,        // the level or its script cannot be read or written
    SCRIPT_LONGER = 3,   // shortest found, shorter than the level's script
    NO_SOLUTION = 4      // every board searched: the exit cannot be reached
};

// Solves one level; runs in a process of its own, since the world is
// global. Returns its Verdict.
int solveOne(const std::string& source, const Settings& settings)
{
    std::string name = stem(source);
    std::string text;
    if (!levelpack::readTextFile(source, text)) {
        printf("%-12s  cannot be read (%s)\n", name.c_str(), source.c_str());
        return UNUSABLE;
    }
    std::vector<std::string> errors;
    CLevel level;
    levelpack::parseLevelSource(source, text, name.substr(0, CLevel::NAME_SIZE - 1), level, errors);
    std::string scriptPath = scriptPathOf(source);
    std::string scriptText;
    int ownMoves = -1;
    if (levelpack::readTextFile(scriptPath, scriptText)) {
        std::vector<levelpack::Move> own = levelpack::parseMoveScript(scriptPath, scriptText, errors);
        ownMoves = levelpack::countActions(own);
    }
    if (!errors.empty()) {
        for (const std::string& e : errors)
            printf("%s\n", e.c_str());
        return UNUSABLE;
    }

    replay::HeadlessSession session(settings.runDir);
    if (!session.ok())
        return UNUSABLE;
    replay::HeadlessGame game(false);
    solve::Result result = solve::search(level, settings.limits);

    std::string verdict;
    if (result.found)
        verdict = "shortest " + std::to_string(levelpack::countActions(result.moves)) + " moves";
    else if (result.exhausted)
        verdict = "NO SOLUTION (all boards searched)";
    else
        verdict = "none within " + std::to_string(result.depth) + " moves (stopped: " + result.stopReason + ")";
    std::string own = ownMoves >= 0 ? "script " + std::to_string(ownMoves) + " moves" : "no script";
    printf("%-12s  %-40s  %-18s  boards %7ld  moves tried %8ld  %6.1f s\n", name.c_str(), verdict.c_str(),
           own.c_str(), result.states, result.transitions, result.seconds);
    if (!result.found)
        return result.exhausted ? NO_SOLUTION : NOT_SOLVED;
    int shortest = levelpack::countActions(result.moves);
    std::string script = levelpack::formatMoveScript(result.moves);
    if (settings.printScript)
        printf("%s", script.c_str());
    if (settings.writeMoves) {
        if (ownMoves >= 0 && !settings.force) {
            printf("%-12s  %s exists: not replaced (--force replaces it)\n", name.c_str(), scriptPath.c_str());
        } else {
            FILE* out = fopen(scriptPath.c_str(), "w");
            if (!out || fprintf(out, "# shortest solution found by tools/solve\n%s", script.c_str()) < 0) {
                printf("%-12s  cannot write %s\n", name.c_str(), scriptPath.c_str());
                if (out)
                    fclose(out);
                return UNUSABLE;
            }
            fclose(out);
            printf("%-12s  written to %s\n", name.c_str(), scriptPath.c_str());
        }
    }
    return ownMoves > shortest ? SCRIPT_LONGER : SOLVED;
}

void usage(const char* program)
{
    fprintf(stderr,
            "usage: %s [--max-states N] [--max-seconds S] [--max-depth D] [--jobs N] [--write-moves [--force]] [--run DIR] "
            "LEVEL.txt ...\n",
            program);
}

} // namespace

int main(int argc, char** argv)
{
    Settings settings;
    std::vector<std::string> sources;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--max-states" && hasValue)
            settings.limits.maxStates = atol(argv[++i]);
        else if (arg == "--max-seconds" && hasValue)
            settings.limits.maxSeconds = atof(argv[++i]);
        else if (arg == "--max-depth" && hasValue)
            settings.limits.maxDepth = atoi(argv[++i]);
        else if (arg == "--jobs" && hasValue)
            settings.limits.jobs = atoi(argv[++i]);
        else if (arg == "--write-moves")
            settings.writeMoves = true;
        else if (arg == "--force")
            settings.force = true;
        else if (arg == "--run" && hasValue)
            settings.runDir = argv[++i];
        else if (!arg.empty() && arg[0] == '-') {
            usage(argv[0]);
            return 2;
        } else
            sources.push_back(levelpack::absolutePath(arg));
    }
    if (sources.empty() || settings.limits.maxStates < 1 || settings.limits.maxSeconds <= 0 ||
        settings.limits.maxDepth < 1) {
        usage(argv[0]);
        return 2;
    }
    settings.printScript = sources.size() == 1;
    int counts[NO_SOLUTION + 1] = {0, 0, 0, 0, 0};
    for (const std::string& source : sources) {
        fflush(stdout);
        pid_t pid = fork();
        if (pid == 0) {
            int status = solveOne(source, settings);
            fflush(stdout);
            _exit(status);
        }
        int status = 2;
        if (pid > 0)
            waitpid(pid, &status, 0);
        int code = pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : UNUSABLE;
        ++counts[code >= SOLVED && code <= NO_SOLUTION ? code : UNUSABLE];
    }
    if (sources.size() > 1)
        printf("%zu levels: %d proved shortest (%d of them with a longer script), %d without any solution, %d "
               "stopped at a bound, %d unusable\n",
               sources.size(), counts[SOLVED] + counts[SCRIPT_LONGER], counts[SCRIPT_LONGER], counts[NO_SOLUTION],
               counts[NOT_SOLVED], counts[UNUSABLE]);
    // The worst verdict decides the status: a shortcut or a bound is not a failure of the tool.
    if (counts[UNUSABLE])
        return 2;
    return counts[NO_SOLUTION] || counts[NOT_SOLVED] ? 1 : 0;
}
