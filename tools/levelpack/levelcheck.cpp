// The replay check of all built-in levels, for CI: every level of
// "resource4.dat" that the manifest lists as solved is replayed through the
// real play screen and must end exited with the recorded step count. It
// ends with one summary line and fails when a level fails; in a strict
// build (the manifest says so) or with --strict a level without a solution
// fails too.
//
//   levelcheck [--strict] --run DIR --manifest FILE
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

#include "PackJobs.h"
#include "ReplayCheck.h"
#include "ReplayRunner.h"
#include "level/Level.h"
#include "level/LevelSet.h"

int main(int argc, char** argv)
{
    bool strict = false;
    std::string runDir;
    std::string manifestPath;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--strict"))
            strict = true;
        else if (!strcmp(argv[i], "--run") && i + 1 < argc)
            runDir = argv[++i];
        else if (!strcmp(argv[i], "--manifest") && i + 1 < argc)
            manifestPath = argv[++i];
        else {
            fprintf(stderr, "usage: %s [--strict] --run DIR --manifest FILE\n", argv[0]);
            return 2;
        }
    }
    std::vector<levelpack::ManifestEntry> entries;
    bool strictBuild = false;
    if (runDir.empty() || !levelpack::readManifest(manifestPath, entries, strictBuild)) {
        fprintf(stderr, "levelcheck: cannot read the manifest '%s'\n", manifestPath.c_str());
        return 2;
    }
    strict = strict || strictBuild;
    std::map<std::string, levelpack::ManifestEntry> byName;
    for (const auto& e : entries)
        byName[e.name] = e;

    replay::HeadlessSession session(runDir);
    if (!session.ok())
        return 2;
    clock_t start = clock();
    int levels = 0, replayed = 0, exited = 0, unsolved = 0, failed = 0;
    long frames = 0;
    {
        replay::HeadlessGame game(true);
        for (int set = 0; set < 3; ++set) {
            CLevelSet* levelSet = CLevelSet::getSet(set);
            for (int i = 0; levelSet && i < levelSet->getCount(); ++i) {
                CLevel& level = *levelSet->getLevel(i);
                ++levels;
                auto found = byName.find(level.GetName());
                bool listedSolved = found != byName.end() && found->second.moves >= 0;
                if (level.GetSolution().empty() && !listedSolved) {
                    ++unsolved;
                    printf("%-12s  unsolved (no move script yet)\n", level.GetName());
                    if (strict)
                        ++failed;
                    continue;
                }
                int expected = listedSolved ? found->second.steps : -1;
                levelpack::CheckVerdict verdict = levelpack::checkReplay(level, expected);
                ++replayed;
                frames += verdict.frames;
                if (verdict.outcome == "exited")
                    ++exited;
                if (!listedSolved && verdict.passed)
                    verdict.problem = "the manifest does not list the level as solved";
                if (!verdict.problem.empty()) {
                    ++failed;
                    printf("%-12s  FAILED: %s\n", level.GetName(), verdict.problem.c_str());
                }
                fflush(stdout);
            }
        }
    }
    double seconds = static_cast<double>(clock() - start) / CLOCKS_PER_SEC;
    if (levels != static_cast<int>(entries.size())) {
        printf("levelcheck: the archive holds %d levels, the manifest %zu\n", levels, entries.size());
        ++failed;
    }
    printf("level replay: %d levels, %d replayed, %d exited, %d unsolved, %d failed, %ld frames, %.1f s CPU\n",
           levels, replayed, exited, unsolved, failed, frames, seconds);
    return failed ? 1 : 0;
}
