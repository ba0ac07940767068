// The level analysis for designers: for each level, the boards at rest it
// reaches, its dead ends, the moves beside its shortest solution that lose
// it, whether it is won walking one way or by one key alone, and which
// pickups and objects it can be won without (see Analysis.h).
//
//   analyse [options] LEVEL.txt|FOLDER ...
//     --jobs N            processes (default: the machine's cores); one level
//                         uses them for its searches, several levels run side
//                         by side, one process each
//     --max-boards N      bound of the whole graph (default 50000 boards)
//     --max-seconds S     bound of the whole graph (default 600 s; a safety net:
//                         the board bounds keep the figures the same on any machine)
//     --bypass-boards N   bound of each search without one object (default
//                         twice the level's boards, at least 2000, at most 20000)
//     --bypass-seconds S  bound of each search without one object (default 300 s)
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
#include <deque>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "Analysis.h"
#include "LevelFigures.h"
#include "LevelSource.h"
#include "MoveScript.h"
#include "PackJobs.h"
#include "ReplayRunner.h"
#include "level/Level.h"

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

// The level sources named: files as they are, folders by their level
// sources (the *.txt files whose names start with a set's prefix, as the
// packer takes them).
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
                    const std::string prefix = name.substr(0, 3);
                    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0 &&
                        (prefix == "reg" || prefix == "adv" || prefix == "kid"))
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
    snprintf(head, sizeof head,
             "%-10s boards %7ld (%s)  dead %5.3f  losing %3d  solution %3d  one way %-5s  one key %c  %6.1f s\n",
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

// The details below a level's line: why it failed, boards that did not
// replay alike, the profile and the losing moves, as asked.
std::string details(const solve::Analysis& a, const Settings& settings)
{
    std::string out;
    if (a.graph.failed || a.figures.stop == "failed")
        out += "           " + a.graph.stopReason + "\n";
    if (a.graph.mismatched || a.graph.unreached) {
        out += "           " + std::to_string(a.graph.mismatched) + " boards replayed to another rest, " +
               std::to_string(a.graph.unreached) + " boards whose replay ended the level; for example:\n";
        for (size_t i = 0; i < a.graph.unfaithful.size() && i < 3; ++i)
            out += "             " + levelpack::formatMoveScript(a.graph.pathTo(a.graph.unfaithful[i]), 1000);
    }
    if (settings.profile)
        out += profileReport(a.graph);
    if (settings.listLosing) {
        std::vector<levelpack::Move> solution = a.graph.solution();
        out += "           shortest solution: " +
               (solution.empty() ? std::string("none\n") : levelpack::formatMoveScript(solution, 1000));
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
    return out;
}

// A level under analysis: first its graph (one job), then each of its
// objects (one job each), side by side with the other levels' jobs.
struct LevelWork {
    std::string source;
    bool ok = false;
    LevelFigures figures;
    std::string details;
    std::vector<levelpack::Move> solution;
    int pendingObjects = 0;
    double seconds = 0;
};

struct Job {
    size_t level;
    int object; // -1: the graph
};

// The graph job, in a child process: the figures line, the solution, then
// the details.
std::string graphJob(const LevelWork& work, const Settings& settings, int jobs)
{
    solve::AnalysisLimits limits = settings.limits;
    limits.graph.jobs = jobs;
    limits.objects = false;
    solve::Analysis a;
    std::vector<std::string> errors;
    if (!solve::analyseSource(work.source, limits, a, errors)) {
        std::string out = "-\n-\n";
        for (const std::string& e : errors)
            out += "           " + e + "\n";
        return out;
    }
    bool ok = !a.graph.failed && a.figures.stop != "failed";
    std::vector<levelpack::Move> solution = a.graph.solution();
    return (ok ? levelpack::formatFigures(a.figures) : std::string("-")) + "\n" +
           (solution.empty() ? std::string("-\n") : levelpack::formatMoveScript(solution, 100000)) +
           details(a, settings);
}

// An object job, in a child process: its verdict.
std::string objectJob(const LevelWork& work, const levelpack::ItemFigure& object, const Settings& settings)
{
    std::string text;
    levelpack::readTextFile(work.source, text);
    const std::string name = stem(work.source).substr(0, CLevel::NAME_SIZE - 1);
    auto makeLevel = [&](CLevel& level) {
        std::vector<std::string> ignored;
        levelpack::parseLevelSource(work.source, text, name, level, ignored);
    };
    return solve::objectVerdict(makeLevel, object, work.solution, work.figures.boards, settings.limits.bypass) + "\n";
}

// Runs every level's jobs, `jobs` processes at a time. The biggest levels go
// first (by their last figures, else by the length of their scripts), and a
// level's object jobs go before any new level, so the last jobs to finish
// are small.
void runAll(std::vector<LevelWork>& levels, const Settings& settings)
{
    typedef std::chrono::steady_clock Clock;
    std::deque<Job> queue;
    for (size_t i = 0; i < levels.size(); ++i)
        queue.push_back(Job{i, -1});
    char folderTemplate[] = "/tmp/analyse-XXXXXX";
    if (!mkdtemp(folderTemplate))
        return;
    const std::string folder = folderTemplate;
    struct Running {
        Job job;
        Clock::time_point start;
    };
    std::map<pid_t, Running> running;
    const int graphJobs = levels.size() == 1 ? settings.jobs : 1;
    int serial = 0;
    std::map<pid_t, int> files;
    while (!queue.empty() || !running.empty()) {
        while (!queue.empty() && static_cast<int>(running.size()) < settings.jobs) {
            Job job = queue.front();
            queue.pop_front();
            const int file = serial++;
            fflush(stdout);
            pid_t pid = fork();
            if (pid == 0) {
                LevelWork& work = levels[job.level];
                std::string out = job.object < 0
                                      ? graphJob(work, settings, graphJobs)
                                      : objectJob(work, work.figures.objects[static_cast<size_t>(job.object)], settings);
                std::ofstream(folder + "/" + std::to_string(file)) << out;
                _exit(0);
            }
            if (pid < 0)
                return;
            running[pid] = Running{job, Clock::now()};
            files[pid] = file;
        }
        int status = 0;
        pid_t done = wait(&status);
        if (done < 0)
            break;
        auto found = running.find(done);
        if (found == running.end())
            continue;
        const Job job = found->second.job;
        LevelWork& work = levels[job.level];
        work.seconds += std::chrono::duration<double>(Clock::now() - found->second.start).count();
        running.erase(found);
        const std::string path = folder + "/" + std::to_string(files[done]);
        files.erase(done);
        std::string data;
        bool read = levelpack::readTextFile(path, data) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        unlink(path.c_str());
        if (job.object >= 0) {
            std::string verdict = data.substr(0, data.find('\n'));
            work.figures.objects[static_cast<size_t>(job.object)].verdict = read && !verdict.empty() ? verdict : "?";
        } else {
            std::istringstream in(data);
            std::string line, script;
            std::getline(in, line);
            std::getline(in, script);
            std::string error;
            work.ok = read && levelpack::parseFigures(line, work.figures, error);
            std::vector<std::string> errors;
            if (work.ok && script != "-")
                work.solution = levelpack::parseMoveScript(work.source, script, errors);
            size_t split = data.find('\n', data.find('\n') + 1);
            work.details = split == std::string::npos ? (read ? "" : "           the analysis crashed\n")
                                                      : data.substr(split + 1);
            if (work.ok && settings.limits.objects) {
                CLevel level;
                std::string text;
                levelpack::readTextFile(work.source, text);
                levelpack::parseLevelSource(work.source, text, work.figures.name, level, errors);
                work.figures.objects = solve::objectsOf(level);
                work.pendingObjects = static_cast<int>(work.figures.objects.size()) + 1;
                for (size_t k = work.figures.objects.size(); k-- > 0;)
                    queue.push_front(Job{job.level, static_cast<int>(k)});
            }
        }
        if (--work.pendingObjects <= 0) {
            // The level is finished.
            fputs(work.ok ? (report(work.figures, work.seconds) + work.details).c_str()
                          : (stem(work.source) + ": not analysed\n" + work.details).c_str(),
                  stdout);
            fflush(stdout);
        }
    }
    rmdir(folder.c_str());
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
    settings.limits.graph.maxBoards = 50000;
    settings.limits.graph.maxSeconds = 600;
    settings.limits.bypass.maxBoards = 20000;
    settings.limits.bypass.maxSeconds = 300;
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

    // The biggest levels first: by their last figures, else by the length
    // of their scripts.
    {
        std::vector<std::string> ignored;
        std::map<std::string, LevelFigures> last;
        if (!settings.writeTo.empty())
            last = levelpack::readFiguresFile(settings.writeTo, ignored);
        std::map<std::string, long> weight;
        for (const std::string& source : sources) {
            auto found = last.find(stem(source));
            std::string script;
            levelpack::readTextFile(source.substr(0, source.size() - 4) + ".moves", script);
            weight[source] = found != last.end()
                                 ? found->second.boards * (1 + static_cast<long>(found->second.objects.size()))
                                 : static_cast<long>(script.size());
        }
        std::stable_sort(sources.begin(), sources.end(),
                         [&weight](const std::string& a, const std::string& b) { return weight[a] > weight[b]; });
    }
    std::vector<LevelWork> levels(sources.size());
    for (size_t i = 0; i < sources.size(); ++i)
        levels[i].source = sources[i];
    typedef std::chrono::steady_clock Clock;
    Clock::time_point start = Clock::now();
    runAll(levels, settings);
    std::map<std::string, LevelFigures> results;
    int failures = 0;
    for (const LevelWork& work : levels) {
        if (work.ok)
            results[work.figures.name] = work.figures;
        else
            ++failures;
    }
    if (sources.size() > 1)
        printf("%zu levels analysed in %.0f s, %d failed\n", sources.size(),
               std::chrono::duration<double>(Clock::now() - start).count(), failures);

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
