// The level analysis for designers: for each level, the boards at rest it
// reaches, its dead ends, the moves beside its shortest solution that lose
// it, whether it is won walking one way or by one key alone, and which
// pickups and objects it can be won without (see Analysis.h).
//
//   analyse [options] LEVEL.txt|FOLDER ...
//     --jobs N            processes (default: the machine's cores); one level
//                         uses them for its searches, several levels run side
//                         by side, one process each
//     --max-boards N      bound of the whole graph (default 300000 boards)
//     --max-seconds S     bound of the whole graph (default 240 s)
//     --bypass-boards N   bound of each search without one object (default 100000)
//     --bypass-seconds S  bound of each search without one object (default 30 s)
//     --no-objects        leave out the object bypass searches
//     --losing            list the moves beside the solution that lose the level
//     --profile           where the time went: builds, replayed moves, undo, moves per second
//     --write FILE        merge the figures into FILE (data/levels/analysis.txt)
//     --run DIR           the game's run folder (pictures, strings, sounds)
//
// It prints one line per level and, for several, a closing tally. The status
// is 0 when every level was analysed, 1 when a level could not be.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "Analysis.h"
#include "Fingerprint.h"
#include "LevelFigures.h"
#include "LevelSource.h"
#include "MoveScript.h"
#include "PackJobs.h"
#include "ReplayRunner.h"
#include "world/Level.h"

namespace {

using levelpack::LevelFigures;

struct Settings {
    solve::AnalysisLimits limits;
    int jobs = 8;
    bool listLosing = false;
    bool profile = false;
    std::string writeTo;
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
    return source.substr(0, source.size() - stem(source).size() - 4) + stem(source) + ".moves";
}

// The level sources named: files as they are, folders by their *.txt files.
std::vector<std::string> levelSources(const std::vector<std::string>& args)
{
    std::vector<std::string> sources;
    for (const std::string& arg : args) {
        struct stat st;
        if (stat(arg.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            std::vector<std::string> found;
            if (DIR* dir = opendir(arg.c_str())) {
                while (dirent* entry = readdir(dir)) {
                    std::string name = entry->d_name;
                    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0)
                        found.push_back(arg + "/" + name);
                }
                closedir(dir);
            }
            std::sort(found.begin(), found.end());
            sources.insert(sources.end(), found.begin(), found.end());
        } else {
            sources.push_back(arg);
        }
    }
    return sources;
}

std::string describeItems(const std::vector<levelpack::ItemFigure>& items)
{
    std::string out;
    for (const auto& item : items) {
        if (!out.empty())
            out += ' ';
        out += std::string(1, item.tile) + "@" + std::to_string(item.x) + "," + std::to_string(item.y) + ":" +
               item.verdict;
    }
    return out.empty() ? "-" : out;
}

std::string report(const LevelFigures& f, double seconds)
{
    char head[200];
    snprintf(head, sizeof head, "%-10s boards %7ld (%s)  dead %5.3f  losing %3d  solution %3d  one way %-5s  one key %c  %6.1f s\n",
             f.name.c_str(), f.boards, f.stop.c_str(), f.deadShare(), f.losing, f.solution, f.oneWay.c_str(), f.oneKey,
             seconds);
    std::string out = head;
    if (!f.pickups.empty())
        out += "           pickups: " + describeItems(f.pickups) + "\n";
    if (!f.objects.empty())
        out += "           objects: " + describeItems(f.objects) + "\n";
    return out;
}

std::string profileReport(const solve::BoardGraph& g)
{
    const solve::BoardGraph::Profile& p = g.profile;
    double busy = p.buildSeconds + p.moveSeconds + p.restoreSeconds;
    char out[600];
    snprintf(out, sizeof out,
             "           profile: %ld moves tried in %.2f s of worker time (%.0f per second per process)\n"
             "             reaching boards: %ld builds, %ld moves replayed, %.2f s (%.0f %%)\n"
             "             moves tried:     %.2f s (%.0f %%);  undo back to the board: %ld restored, %ld missed, %.2f s "
             "(%.0f %%)\n",
             g.transitions, busy, busy > 0 ? g.transitions / busy : 0.0, p.builds, p.replayedMoves, p.buildSeconds,
             busy > 0 ? 100 * p.buildSeconds / busy : 0.0, p.moveSeconds, busy > 0 ? 100 * p.moveSeconds / busy : 0.0,
             p.undoRestores, p.undoMisses, p.restoreSeconds, busy > 0 ? 100 * p.restoreSeconds / busy : 0.0);
    return out;
}

// Analyses one level in this process. Returns false when it could not be
// read or played.
bool analyseOne(const std::string& source, const Settings& settings, int jobs, LevelFigures& figures, std::string& out)
{
    typedef std::chrono::steady_clock Clock;
    Clock::time_point start = Clock::now();
    const std::string name = stem(source);
    std::string text, scriptText;
    std::vector<std::string> errors;
    if (!levelpack::readTextFile(source, text)) {
        out = name + ": cannot be read (" + source + ")\n";
        return false;
    }
    std::vector<levelpack::Move> script;
    if (levelpack::readTextFile(scriptPathOf(source), scriptText))
        script = levelpack::parseMoveScript(scriptPathOf(source), scriptText, errors);
    auto makeLevel = [&](CLevel& level) {
        std::vector<std::string> ignored;
        levelpack::parseLevelSource(source, text, name.substr(0, CLevel::NAME_SIZE - 1), level, ignored);
    };
    CLevel level;
    levelpack::parseLevelSource(source, text, name.substr(0, CLevel::NAME_SIZE - 1), level, errors);
    if (!errors.empty()) {
        for (const std::string& e : errors)
            out += e + "\n";
        return false;
    }

    solve::AnalysisLimits limits = settings.limits;
    limits.graph.jobs = jobs;
    limits.bypass.jobs = jobs;
    solve::Analysis a = solve::analyseLevel(makeLevel, limits);
    a.figures.name = name;
    a.figures.source = solve::sourceFingerprint(level, script);
    a.figures.rules = script.empty() ? "none" : solve::rulesFingerprint(level, script);
    figures = a.figures;
    out = report(figures, std::chrono::duration<double>(Clock::now() - start).count());
    if (a.graph.failed || figures.stop == "failed")
        out += "           " + a.graph.stopReason + "\n";
    if (a.graph.mismatched || a.graph.unreached) {
        out += "           " + std::to_string(a.graph.mismatched) + " boards replayed to another rest, " +
               std::to_string(a.graph.unreached) + " boards whose replay ended the level; for example:\n";
        for (size_t i = 0; i < a.graph.unfaithful.size() && i < 3; ++i) {
            out += "             " + levelpack::formatMoveScript(a.graph.pathTo(a.graph.unfaithful[i]), 1000);
        }
    }
    if (settings.profile)
        out += profileReport(a.graph);
    if (settings.listLosing) {
        std::vector<levelpack::Move> solution = a.graph.solution();
        out += "           shortest solution: " + levelpack::formatMoveScript(solution, 1000);
        for (const solve::LosingMove& l : a.losing) {
            std::vector<levelpack::Move> before(solution.begin(), solution.begin() + l.step);
            out += "           after " + std::to_string(l.step) + " moves (" +
                   (before.empty() ? std::string("at the start\n") : levelpack::formatMoveScript(before, 1000));
            out.pop_back();
            out += "): " + levelpack::moveToken(l.move) + " " +
                   (l.outcome == solve::Outcome::Board ? "loses the exit for good" : solve::outcomeName(l.outcome)) +
                   "\n";
        }
    }
    return !a.graph.failed && figures.stop != "failed";
}

void usage(const char* program)
{
    fprintf(stderr,
            "usage: %s [--jobs N] [--max-boards N] [--max-seconds S] [--bypass-boards N] [--bypass-seconds S] "
            "[--no-objects] [--losing] [--profile] [--write FILE] [--run DIR] LEVEL.txt|FOLDER ...\n",
            program);
}

} // namespace

int main(int argc, char** argv)
{
    Settings settings;
    settings.jobs = std::max(1, static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN)));
    settings.limits.graph.maxBoards = 300000;
    settings.limits.graph.maxSeconds = 240;
    settings.limits.bypass.maxBoards = 100000;
    settings.limits.bypass.maxSeconds = 30;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--jobs" && hasValue)
            settings.jobs = std::max(1, atoi(argv[++i]));
        else if (arg == "--max-boards" && hasValue)
            settings.limits.graph.maxBoards = atol(argv[++i]);
        else if (arg == "--max-seconds" && hasValue)
            settings.limits.graph.maxSeconds = atof(argv[++i]);
        else if (arg == "--bypass-boards" && hasValue)
            settings.limits.bypass.maxBoards = atol(argv[++i]);
        else if (arg == "--bypass-seconds" && hasValue)
            settings.limits.bypass.maxSeconds = atof(argv[++i]);
        else if (arg == "--no-objects")
            settings.limits.objects = false;
        else if (arg == "--losing")
            settings.listLosing = true;
        else if (arg == "--profile")
            settings.profile = true;
        else if (arg == "--write" && hasValue)
            settings.writeTo = levelpack::absolutePath(argv[++i]);
        else if (arg == "--run" && hasValue)
            settings.runDir = argv[++i];
        else if (!arg.empty() && arg[0] == '-') {
            usage(argv[0]);
            return 2;
        } else
            args.push_back(levelpack::absolutePath(arg));
    }
    std::vector<std::string> sources = levelSources(args);
    if (sources.empty() || settings.limits.graph.maxBoards < 1 || settings.limits.graph.maxSeconds <= 0) {
        usage(argv[0]);
        return 2;
    }

    replay::HeadlessSession session(settings.runDir);
    if (!session.ok())
        return 2;
    replay::HeadlessGame game(false);

    std::map<std::string, LevelFigures> results;
    int failures = 0;
    if (sources.size() == 1) {
        LevelFigures f;
        std::string out;
        if (analyseOne(sources[0], settings, settings.jobs, f, out))
            results[f.name] = f;
        else
            ++failures;
        fputs(out.c_str(), stdout);
    } else {
        // Several levels side by side, one process each; each leaves its
        // figures line and its report in a file of its own.
        char folderTemplate[] = "/tmp/analyse-XXXXXX";
        if (!mkdtemp(folderTemplate))
            return 2;
        const std::string folder = folderTemplate;
        std::map<pid_t, size_t> running;
        size_t next = 0;
        while (next < sources.size() || !running.empty()) {
            while (next < sources.size() && static_cast<int>(running.size()) < settings.jobs) {
                fflush(stdout);
                pid_t pid = fork();
                if (pid == 0) {
                    LevelFigures f;
                    std::string out;
                    bool ok = analyseOne(sources[next], settings, 1, f, out);
                    std::string data = (ok ? levelpack::formatFigures(f) : std::string("-")) + "\n" + out;
                    FILE* file = fopen((folder + "/" + std::to_string(next)).c_str(), "w");
                    bool written = file && fputs(data.c_str(), file) >= 0;
                    if (file)
                        written = fclose(file) == 0 && written;
                    _exit(ok && written ? 0 : 1);
                }
                if (pid < 0)
                    return 2;
                running[pid] = next++;
            }
            int status = 0;
            pid_t done = wait(&status);
            if (done < 0)
                break;
            auto found = running.find(done);
            if (found == running.end())
                continue;
            const std::string path = folder + "/" + std::to_string(found->second);
            running.erase(found);
            std::string data;
            levelpack::readTextFile(path, data);
            unlink(path.c_str());
            size_t split = data.find('\n');
            LevelFigures f;
            std::string error;
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && split != std::string::npos &&
                levelpack::parseFigures(data.substr(0, split), f, error))
                results[f.name] = f;
            else
                ++failures;
            fputs(split == std::string::npos ? data.c_str() : data.c_str() + split + 1, stdout);
            fflush(stdout);
        }
        rmdir(folder.c_str());
        printf("%zu levels analysed, %d failed\n", sources.size(), failures);
    }

    if (!settings.writeTo.empty() && !results.empty()) {
        std::vector<std::string> errors;
        std::map<std::string, LevelFigures> all = levelpack::readFiguresFile(settings.writeTo, errors);
        for (const auto& entry : results)
            all[entry.first] = entry.second;
        if (!levelpack::writeFiguresFile(settings.writeTo, all)) {
            fprintf(stderr, "analyse: cannot write %s\n", settings.writeTo.c_str());
            return 2;
        }
        printf("analyse: %zu levels written to %s\n", results.size(), settings.writeTo.c_str());
    }
    return failures ? 1 : 0;
}
