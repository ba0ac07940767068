// Frames per second of the play screen replaying levels headless, with the
// renderer live on the dummy video driver and the frame lock off, and the
// share of a frame spent in the play screen's frame (input, replay feed and
// world step), in the renderer and in presenting.
//
// Every built-in level runs for a fixed number of frames (the professor
// walks in from his tube, the bots wake up and chase), then every level file
// given on the command line plays its recorded solution.
//
// Usage: replay_bench [--frames N] [--run DIR] [LEVEL.lvl ...]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "ReplayRunner.h"
#include "level/Level.h"
#include "level/LevelSet.h"

namespace {

void printTimes(const char* what, const replay::FrameTimes& t, double wallMs)
{
    double total = t.pump + t.render + t.present;
    if (t.frames == 0 || total <= 0) {
        printf("%s: no frames\n", what);
        return;
    }
    printf("%s: %ld frames, %.0f frames per second (%.4f ms per frame; %.1f ms in all with the level loads)\n",
           what, t.frames, t.frames * 1000.0 / total, total / t.frames, wallMs);
    printf("  play screen frame (input, replay, world step): %5.1f %%  %.4f ms\n", 100.0 * t.pump / total,
           t.pump / t.frames);
    printf("  renderer:                                       %5.1f %%  %.4f ms\n", 100.0 * t.render / total,
           t.render / t.frames);
    printf("  present:                                        %5.1f %%  %.4f ms\n", 100.0 * t.present / total,
           t.present / t.frames);
}

} // namespace

int main(int argc, char** argv)
{
    std::string runDir = BRAMBLECOT_RUN_DIR;
    int framesPerLevel = 300;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--frames") && i + 1 < argc)
            framesPerLevel = atoi(argv[++i]);
        else if (!strcmp(argv[i], "--run") && i + 1 < argc)
            runDir = argv[++i];
        else
            files.push_back(argv[i][0] == '/' ? argv[i] : std::string(getcwd(nullptr, 0)) + "/" + argv[i]);
    }

    replay::HeadlessSession session(runDir);
    if (!session.ok())
        return 2;

    {
        replay::HeadlessGame game(true);
        typedef std::chrono::steady_clock Clock;

        replay::FrameTimes builtIn;
        replay::Options options;
        options.fixedFrames = framesPerLevel;
        options.times = &builtIn;
        Clock::time_point t0 = Clock::now();
        int levels = 0;
        for (int set = 0; set < 3; ++set) {
            CLevelSet* levelSet = CLevelSet::getSet(set);
            for (int i = 0; levelSet && i < levelSet->getCount(); ++i, ++levels)
                replay::replayLevel(*levelSet->getLevel(i), options);
        }
        double wall = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        char what[80];
        snprintf(what, sizeof what, "%d built-in levels, %d frames each", levels, framesPerLevel);
        printTimes(what, builtIn, wall);

        for (const std::string& path : files) {
            FILE* f = fopen(path.c_str(), "rb");
            CLevel level;
            bool read = f && level.Load(f, "bench");
            if (f)
                fclose(f);
            if (!read) {
                fprintf(stderr, "Cannot read %s\n", path.c_str());
                continue;
            }
            replay::FrameTimes solved;
            replay::Options solution;
            solution.times = &solved;
            t0 = Clock::now();
            replay::Report report = replay::replayLevel(level, solution);
            wall = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            printf("%s\n", replay::formatReport(report).c_str());
            printTimes(path.c_str(), solved, wall);
        }
    }
    return 0;
}
