// Start-up cost.
//
// First, in this process: the time from the program's start to the end of
// the image preload and catalogues, split into its steps, and the peak
// memory. Then, for the real game: the time from exec to the first frame of
// the intro, measured by preloading a small probe into the game that
// reports the moment of its first frame-loop screen update and ends it.
// That figure is taken with all processors and pinned to the first 2 and
// the first 1 processor, as the median of several runs; several games can be
// given (--game, repeated) to compare builds with runs interleaved.
//
// Usage: bramblecot_startup_bench [--runs N] [--game PATH]... [--sound]
//                                 [--cpus all,2,1] [--no-breakdown | --breakdown-only]
//                                 [--decode-threads N] [run folder]
// --decode-threads sets the decoding threads of the in-process start-up
// (-1, the default: one per processor; 0: none).
#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sched.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

#include "engine/CDraw.h"
#include "engine/Log.h"
#include "engine/Parameters.h"
#include "engine/TextRender.h"
#include "engine/UserDirs.h"
#include "profile/CProfile.h"
#include "ReplayRunner.h"

namespace {

typedef std::chrono::steady_clock Clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double monotonicMs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

void inProcessBreakdown(Clock::time_point start, int decodeThreads)
{
    double screen = 0, images = 0;
    logInit(false);
    logCategoryOn(LOG_NOTE);
    logCategoryOn(LOG_WARNING);
    logCategoryOn(LOG_ERROR);
    CDraw::SetLoadFromDirectory(0);
    CDraw::SetDecodeThreads(decodeThreads);
    loadParameters();
    InitUserDirectories();
    initFontSystem("./", "resource5.dat");
    CProfile profile;
    CDraw::SetConfig(&profile);

    Clock::time_point t = Clock::now();
    CDraw draw;
    screen = msSince(t);

    t = Clock::now();
    CDraw::PreloadImages();
    images = msSince(t);

    double total = msSince(start);
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    printf("in this process, start to end of image catalogues: %.1f ms\n", total);
    printf("  window and load screen:          %.1f ms\n", screen);
    printf("  image files and catalogues:      %.1f ms (%d files, %d images decoded or made, %d decoding threads)\n",
           images, CDraw::GetLoadTotal() - CDraw::GetLoadReserve(), CDraw::GetImageCount(), decodeThreads);
    printf("  peak memory (max RSS):           %.1f MB\n", usage.ru_maxrss / 1024.0);
    shutdownFontSystem();
}

// The processors this process may run on, in order.
std::vector<int> allowedCpus()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    std::vector<int> cpus;
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        for (int i = 0; i < CPU_SETSIZE; ++i)
            if (CPU_ISSET(i, &set))
                cpus.push_back(i);
    return cpus;
}

// Milliseconds from just before the fork to the game's first frame, or a
// negative number when the game ended without showing one.
double execToFirstFrame(const std::string& game, const std::string& runDir, int cpuCount, bool sound)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    std::vector<int> cpus = allowedCpus();
    double start = monotonicMs();
    fflush(stdout);
    pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        close(fds[0]);
        if (cpuCount > 0 && cpuCount < static_cast<int>(cpus.size())) {
            cpu_set_t set;
            CPU_ZERO(&set);
            for (int i = 0; i < cpuCount; ++i)
                CPU_SET(cpus[i], &set);
            sched_setaffinity(0, sizeof set, &set);
        }
        if (chdir(runDir.c_str()) != 0)
            _exit(127);
        setenv("LD_PRELOAD", BRAMBLECOT_PROBE_LIB, 1);
        setenv("BRAMBLECOT_PROBE_FD", std::to_string(fds[1]).c_str(), 1);
        FILE* devNull = freopen("/dev/null", "w", stdout);
        (void)devNull;
        devNull = freopen("/dev/null", "w", stderr);
        (void)devNull;
        const char* flags = sound ? "1" : "3";
        execl(game.c_str(), game.c_str(), flags, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char line[64] = {0};
    size_t used = 0;
    ssize_t n;
    while (used < sizeof line - 1 && (n = read(fds[0], line + used, sizeof line - 1 - used)) > 0)
        used += static_cast<size_t>(n);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long sec = 0;
    long nsec = 0;
    if (sscanf(line, "%lld %ld", &sec, &nsec) != 2)
        return -1;
    return sec * 1000.0 + nsec / 1e6 - start;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    Clock::time_point start = Clock::now();
    std::string runDir = BRAMBLECOT_RUN_DIR;
    std::vector<std::string> games;
    std::vector<int> cpuCounts = {0, 2, 1}; // 0: every allowed processor
    int runs = 15;
    bool sound = false, breakdown = true;
    int decodeThreads = -1;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, atoi(argv[++i]));
        else if (a == "--game" && i + 1 < argc)
            games.push_back(argv[++i]);
        else if (a == "--sound")
            sound = true;
        else if (a == "--no-breakdown")
            breakdown = false;
        else if (a == "--decode-threads" && i + 1 < argc)
            decodeThreads = atoi(argv[++i]);
        else if (a == "--breakdown-only")
            runs = 0;
        else if (a == "--cpus" && i + 1 < argc) {
            cpuCounts.clear();
            std::string list = argv[++i];
            for (size_t p = 0; p <= list.size();) {
                size_t q = list.find(',', p);
                std::string item = list.substr(p, q == std::string::npos ? std::string::npos : q - p);
                cpuCounts.push_back(item == "all" ? 0 : atoi(item.c_str()));
                if (q == std::string::npos)
                    break;
                p = q + 1;
            }
        } else
            runDir = a;
    }
    if (games.empty())
        games.push_back(runDir + "/bramblecot");
    for (std::string& g : games)
        if (g[0] != '/') {
            char cwd[4096];
            if (getcwd(cwd, sizeof cwd))
                g = std::string(cwd) + "/" + g;
        }

    struct stat info;
    if (stat((runDir + "/resource2.dat").c_str(), &info) != 0) {
        fprintf(stderr, "No generated resources in %s\n", runDir.c_str());
        return 2;
    }
    // A throw-away home folder, the dummy drivers and the run folder as the
    // working folder; the folder goes with the session.
    replay::HeadlessSession session(runDir);
    if (!session.ok())
        return 2;

    if (breakdown)
        inProcessBreakdown(start, decodeThreads);
    if (runs == 0)
        return 0;

    // One run of each game first, to fill the file cache and make the
    // profile; then the measured runs, interleaved.
    for (const std::string& g : games)
        execToFirstFrame(g, runDir, 0, sound);
    std::vector<std::vector<std::vector<double>>> times(
        cpuCounts.size(), std::vector<std::vector<double>>(games.size()));
    for (int r = 0; r < runs; ++r)
        for (size_t c = 0; c < cpuCounts.size(); ++c)
            for (size_t g = 0; g < games.size(); ++g) {
                double ms = execToFirstFrame(games[g], runDir, cpuCounts[c], sound);
                if (ms < 0) {
                    fprintf(stderr, "%s showed no frame\n", games[g].c_str());
                    return 1;
                }
                times[c][g].push_back(ms);
            }

    printf("exec to first intro frame (%s, %d runs, median [min..max] ms):\n",
           sound ? "with sound" : "no sound", runs);
    for (size_t c = 0; c < cpuCounts.size(); ++c)
        for (size_t g = 0; g < games.size(); ++g) {
            std::vector<double>& v = times[c][g];
            char cpus[32];
            if (cpuCounts[c] == 0)
                snprintf(cpus, sizeof cpus, "all %zu cpus", allowedCpus().size());
            else
                snprintf(cpus, sizeof cpus, "%d cpu%s", cpuCounts[c], cpuCounts[c] == 1 ? "" : "s");
            printf("  %-12s %7.1f  [%6.1f .. %6.1f]  %s\n", cpus, median(v),
                   *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()),
                   games[g].c_str());
        }
    return 0;
}
