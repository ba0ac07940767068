// World-step cost with 20 bots chasing the professor on a full board: six
// floors joined by two ladders, crates to push, the bots woken by the
// whistle. The professor walks back and forth on the top floor, out of their
// reach, so the chase goes on for the whole run. Only the world step
// (CElement::UpdateAllElements) is timed; the renderer runs between steps as
// in the frame loop, since the walkers' animations drive their logic.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>
#include <vector>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/Sound.h"
#include "walkers/CElementAIBot.h"
#include "walkers/CElementAIProfessor.h"
#include "world/BoardHarness.h"

namespace {

// CPU time of this thread in microseconds: unlike the wall clock it does not
// count the time the machine gave to other processes.
double threadMicros()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

std::string fullBoard()
{
    std::vector<std::string> rows(24, std::string(32, '.'));
    for (int floor : {3, 7, 11, 15, 19, 23})
        rows[floor] = std::string(32, '#');
    // Two ladders from the second floor down; none reaches the top floor.
    for (int y = 4; y <= 23; ++y) {
        rows[y][5] = 'H';
        rows[y][26] = 'H';
    }
    rows[2][16] = 'P';
    // Four bots on each lower floor, facing both ways, and crates between.
    const int columns[] = {2, 10, 20, 29};
    for (int floor : {7, 11, 15, 19, 23}) {
        for (int i = 0; i < 4; ++i)
            rows[floor - 1][columns[i]] = i % 2 ? '<' : '>';
        rows[floor - 1][14] = 'c';
        rows[floor - 1][17] = 'o';
    }
    std::string picture;
    for (const std::string& row : rows)
        picture += row + "\n";
    return picture;
}

CElementAIProfessor* professor()
{
    return static_cast<CElementAIProfessor*>(CElement::theProfessor);
}

void BM_WorldStepTwentyBotsChasing(benchmark::State& state)
{
    boardtest::Board board(fullBoard());
    for (int i = 0; i < 400 && professor()->isEnteringTube(); ++i)
        board.step();
    professor()->setKeyDown(false);
    professor()->setKeyDown(true);
    professor()->addPowerup(POWERUP_TYPE_WHISTLE);
    professor()->usePowerup(0);

    std::vector<double> micros;
    std::vector<double> cpuMicros;
    for (auto _ : state) {
        micros.clear();
        cpuMicros.clear();
        for (int step = 0; step < 3000; ++step) {
            if (step % 100 == 0)
                professor()->setKeyRight(false);
            if (step % 100 == 40)
                professor()->setKeyRight(true);
            if (step % 100 == 50)
                professor()->setKeyLeft(false);
            if (step % 100 == 90)
                professor()->setKeyLeft(true);
            double cpuStart = threadMicros();
            auto start = std::chrono::steady_clock::now();
            CElement::UpdateAllElements();
            auto end = std::chrono::steady_clock::now();
            cpuMicros.push_back(threadMicros() - cpuStart);
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
            // The rest of the frame, as Board::step runs it.
            CSound::update();
            CRender::Render(true);
            CDraw::Present(1, 1);
        }
    }
    int active = 0;
    for (CElementAIBot* bot : CElementAIBot::allBots)
        active += bot->isActive() ? 1 : 0;
    std::vector<double> sorted = micros;
    std::sort(sorted.begin(), sorted.end());
    state.counters["bots"] = static_cast<double>(CElementAIBot::allBots.size());
    state.counters["active_bots"] = active;
    state.counters["elements"] = static_cast<double>(CElement::allElements.size());
    state.counters["median_step_us"] = sorted[sorted.size() / 2];
    state.counters["p99_step_us"] = sorted[sorted.size() * 99 / 100];
    state.counters["worst_step_us"] = sorted.back();
    state.counters["worst_step_index"] =
        static_cast<double>(std::max_element(micros.begin(), micros.end()) - micros.begin());
    std::sort(cpuMicros.begin(), cpuMicros.end());
    state.counters["median_cpu_us"] = cpuMicros[cpuMicros.size() / 2];
    state.counters["worst_cpu_us"] = cpuMicros.back();
    state.counters["caught"] = CElement::GetCaught() ? 1 : 0;
}

} // namespace

BENCHMARK(BM_WorldStepTwentyBotsChasing)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
