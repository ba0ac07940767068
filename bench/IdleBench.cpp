// Cost of a still screen and steadiness of the frame period.
//
// First, in this process: the frame loop's presentation at game speed 6
// (33 ms) on a screen where nothing changes, for a given time: the share of
// one processor it uses, the sleeps it makes per second (voluntary context
// switches) and the spread of the frame period. Then, for the real game:
// the game is started headless without sound, left until its intro shows
// the last splash screen and nothing moves, and its processor use is read
// from /proc over the same time. Several games can be given (--game,
// repeated) to compare builds.
//
// Usage: bramblecot_idle_bench [--seconds S] [--settle S] [--game PATH]...
//                              [--no-loop] [--no-game] [run folder]
#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "engine/CDraw.h"
#include "engine/Log.h"
#include "engine/Parameters.h"
#include "engine/UserDirs.h"
#include "profile/CProfile.h"
#include "ReplayRunner.h"

namespace {

typedef std::chrono::steady_clock Clock;

double seconds(const timeval& t)
{
    return t.tv_sec + t.tv_usec / 1e6;
}

void presentLoop(double runSeconds)
{
    logInit(false);
    logCategoryOn(LOG_ERROR);
    loadParameters();
    InitUserDirectories();
    CProfile profile;
    CDraw::SetConfig(&profile);
    CDraw draw;
    CDraw::SetGameSpeed(6);

    // One second to settle, then the measured frames.
    Clock::time_point settleEnd = Clock::now() + std::chrono::seconds(1);
    while (Clock::now() < settleEnd)
        CDraw::Present(1, 1);

    struct rusage before, after;
    getrusage(RUSAGE_SELF, &before);
    Clock::time_point start = Clock::now();
    Clock::time_point end = start + std::chrono::microseconds(static_cast<long long>(runSeconds * 1e6));
    std::vector<double> periods;
    Clock::time_point last = start;
    CDraw::Present(1, 1);
    last = Clock::now();
    while (last < end) {
        CDraw::Present(1, 1);
        Clock::time_point now = Clock::now();
        periods.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    }
    getrusage(RUSAGE_SELF, &after);
    double wall = std::chrono::duration<double>(last - start).count();
    double cpu = seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) -
                 seconds(before.ru_stime);
    double mean = 0;
    for (double p : periods)
        mean += p;
    mean /= periods.size();
    double var = 0;
    for (double p : periods)
        var += (p - mean) * (p - mean);
    std::vector<double> sorted = periods;
    std::sort(sorted.begin(), sorted.end());
    printf("presentation only, game speed 6, still screen, %.1f s:\n", wall);
    printf("  processor use:     %.2f %% of one core\n", 100.0 * cpu / wall);
    printf("  sleeps per second: %.0f\n", (after.ru_nvcsw - before.ru_nvcsw) / wall);
    printf("  frame period:      mean %.3f ms, median %.3f ms, std dev %.3f ms\n", mean,
           sorted[sorted.size() / 2], std::sqrt(var / periods.size()));
    printf("                     1st percentile %.3f ms, 99th %.3f ms, min %.3f, max %.3f (%zu frames)\n",
           sorted[sorted.size() / 100], sorted[sorted.size() * 99 / 100], sorted.front(), sorted.back(),
           sorted.size());
}

// utime + stime in seconds and the voluntary context switches of a process.
bool processTimes(pid_t pid, double& cpu, long& switches)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
    FILE* f = fopen(path, "r");
    if (!f)
        return false;
    char buf[2048];
    size_t n = fread(buf, 1, sizeof buf - 1, f);
    fclose(f);
    buf[n] = '\0';
    // Fields after the command name, which ends at the last ')'.
    char* p = strrchr(buf, ')');
    if (!p)
        return false;
    unsigned long utime = 0, stime = 0;
    // state ppid pgrp session tty tpgid flags minflt cminflt majflt cmajflt utime stime
    if (sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2)
        return false;
    cpu = static_cast<double>(utime + stime) / sysconf(_SC_CLK_TCK);
    snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
    f = fopen(path, "r");
    switches = 0;
    if (f) {
        char line[256];
        while (fgets(line, sizeof line, f))
            if (sscanf(line, "voluntary_ctxt_switches: %ld", &switches) == 1)
                break;
        fclose(f);
    }
    return true;
}

void gameIdle(const std::string& game, const std::string& runDir, double settle, double runSeconds)
{
    fflush(stdout);
    pid_t pid = fork();
    if (pid < 0)
        return;
    if (pid == 0) {
        if (chdir(runDir.c_str()) != 0)
            _exit(127);
        FILE* devNull = freopen("/dev/null", "w", stdout);
        (void)devNull;
        devNull = freopen("/dev/null", "w", stderr);
        (void)devNull;
        execl(game.c_str(), game.c_str(), "3", static_cast<char*>(nullptr));
        _exit(127);
    }
    usleep(static_cast<useconds_t>(settle * 1e6));
    double cpu0 = 0, cpu1 = 0;
    long sw0 = 0, sw1 = 0;
    bool ok = processTimes(pid, cpu0, sw0);
    Clock::time_point start = Clock::now();
    usleep(static_cast<useconds_t>(runSeconds * 1e6));
    ok = ok && processTimes(pid, cpu1, sw1);
    double wall = std::chrono::duration<double>(Clock::now() - start).count();
    kill(pid, SIGINT);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!ok) {
        printf("  %s: ended before it was measured\n", game.c_str());
        return;
    }
    printf("  %-8.2f %% of one core, %6.0f sleeps per second  %s\n", 100.0 * (cpu1 - cpu0) / wall,
           (sw1 - sw0) / wall, game.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    std::string runDir = BRAMBLECOT_RUN_DIR;
    std::vector<std::string> games;
    double runSeconds = 10, settle = 9;
    bool loop = true, gameRuns = true;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--seconds" && i + 1 < argc)
            runSeconds = atof(argv[++i]);
        else if (a == "--settle" && i + 1 < argc)
            settle = atof(argv[++i]);
        else if (a == "--game" && i + 1 < argc)
            games.push_back(argv[++i]);
        else if (a == "--no-loop")
            loop = false;
        else if (a == "--no-game")
            gameRuns = false;
        else
            runDir = a;
    }
    if (games.empty())
        games.push_back(runDir + "/bramblecot");
    char cwd[4096];
    for (std::string& g : games)
        if (g[0] != '/' && getcwd(cwd, sizeof cwd))
            g = std::string(cwd) + "/" + g;

    // A throw-away home folder, the dummy drivers and the run folder as the
    // working folder; the folder goes with the session.
    replay::HeadlessSession session(runDir);
    if (!session.ok())
        return 2;

    if (gameRuns) {
        printf("the game on its still last splash screen, %.0f s after %.0f s to settle:\n", runSeconds, settle);
        for (const std::string& g : games)
            gameIdle(g, runDir, settle, runSeconds);
    }
    if (loop)
        presentLoop(runSeconds);
    return 0;
}
