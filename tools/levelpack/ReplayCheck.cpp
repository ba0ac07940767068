#include "ReplayCheck.h"

#include "ReplayRunner.h"
#include "level/Level.h"

namespace levelpack {

CheckVerdict checkReplay(CLevel& level, int expectedSteps)
{
    CheckVerdict verdict;
    if (level.GetSolution().empty()) {
        verdict.outcome = "no solution";
        verdict.problem = "the level carries no recorded solution";
        return verdict;
    }
    replay::Options options;
    replay::Report report = replay::replayLevel(level, options);
    verdict.outcome = report.outcome;
    verdict.frames = report.frames;
    verdict.steps = report.steps;
    if (report.outcome != "exited")
        verdict.problem = "the replay ended " + report.outcome + " instead of exited";
    else if (expectedSteps >= 0 && report.steps != expectedSteps)
        verdict.problem = "the replay took " + std::to_string(report.steps) + " steps, the recording " +
                          std::to_string(expectedSteps);
    verdict.passed = verdict.problem.empty();
    return verdict;
}

} // namespace levelpack
