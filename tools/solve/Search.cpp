#include "Search.h"

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

#include "Explorer.h"
#include "LevelRun.h"

namespace solve {

bool replaysFromStart(CLevel& level, const std::vector<levelpack::Move>& moves)
{
    fflush(stdout);
    pid_t pid = fork();
    if (pid == 0)
        _exit(levelpack::playScript(level, moves).exited ? 0 : 1);
    int status = 1;
    if (pid > 0)
        waitpid(pid, &status, 0);
    return pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

Result search(CLevel& level, const Limits& limits)
{
    ExploreLimits explore;
    explore.maxBoards = limits.maxStates;
    explore.maxSeconds = limits.maxSeconds;
    explore.maxDepth = limits.maxDepth;
    explore.jobs = limits.jobs;
    explore.stopAtExit = true;
    BoardGraph graph = solve::explore(level, explore);

    Result result;
    result.states = static_cast<long>(graph.boards.size());
    result.transitions = graph.transitions;
    result.depth = graph.layers;
    result.seconds = graph.seconds;
    if (graph.exitEdge >= 0) {
        result.moves = graph.solution();
        result.depth = graph.boards[static_cast<size_t>(graph.edges[static_cast<size_t>(graph.exitEdge)].from)].depth;
        if (replaysFromStart(level, result.moves)) {
            result.found = true;
            result.stopReason = "found";
        } else {
            result.moves.clear();
            result.stopReason = "the solution found does not replay from the start";
        }
        return result;
    }
    result.exhausted = graph.complete;
    if (graph.complete)
        result.stopReason = "exhausted";
    else if (graph.stopReason == "boards")
        result.stopReason = "states";
    else
        result.stopReason = graph.stopReason;
    return result;
}

} // namespace solve
