// Cost of one world step on a full board: about 200 elements, many of them
// falling, sliding and heating at once, with sprites and the dirty-rectangle
// renderer live on the dummy video driver (the board harness of the tests).
//
// Reports per world step (CElement::UpdateAllElements): the median and the
// worst time in microseconds, steps per second, and heap allocations (all
// steps, and the steady state: steps after the first 16 of each freshly
// built board). The frame_* counters add the renderer and the presentation.
//
//   build/bench/world_step_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <vector>

#include "engine/CDraw.h"
#include "engine/CRender.h"
#include "engine/Sound.h"
#include "world/CElement.h"
#include "world/BoardHarness.h"

namespace {

std::atomic<long> allocations{0};

// A full board: ledges of ice, grass and sand with crates, barrels, hot and
// frozen crates and magnets above them, ladders, bridges and trampolines.
const char* const kFullBoard = R"(
    c.C.o.*.f.c.O.c.*.C.o.f.c.O.c.*.
    .c.C.o.*.f.c.O.c.*.C.o.f.c.O.c.*
    ~~~~~~~~~~~~~~..~~~~~~~~~~~~~~~~
    ................................
    C.c.o.f.*.c.m.M.c.o.f.*.c.O.c.o.
    ###############..###############
    ...H........H.........H.........
    o.cH.c.o.c..H.c.o.c.*.H.c.o.c.f.
    ~~~H~~~~~~~~H~~~~~~~~~H~~~~~~~~~
    ...H........H.........H.........
    .*.H.c.*.c..H.c.*.c.C.H.*.c.C.c.
    :::H::::::::H:::::::::H:::::::::
    ................................
    c.o.C.f.*.o.c.C.f.*.o.c.C.f.*.o.
    ~~~~~~__~~~~~~__~~~~~~__~~~~~~__
    ................................
    o.c.o.c.o.c.o.c.o.c.o.c.o.c.o.c.
    ####T######T######T######T######
    ................................
    .c.*.c.f.c.*.c.f.c.*.c.f.c.*.c.f
    ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
    ................................
    c.C.c.C.c.C.c.C.c.C.c.C.c.C.c.C.
    ################################
)";

// Sets every loose object moving sideways so that slides, bumps and falls
// go on for a while.
void stir()
{
    bool left = false;
    for (CElement* e : CElement::allElements) {
        if (e->IsObject() && !e->moving) {
            left ? e->PushLeft(true, false) : e->PushRight(true, false);
            left = !left;
        }
    }
}

void BM_WorldStepFullBoard(benchmark::State& state)
{
    const int stepsPerBoard = 120;
    const int warmSteps = 16;
    std::vector<double> micros;
    micros.reserve(1 << 20);
    std::vector<double> frameMicros;
    frameMicros.reserve(1 << 20);
    long steadyAllocations = 0;
    long steadyFrameAllocations = 0;
    long steadySteps = 0;
    long allAllocations = 0;
    size_t elementCount = 0;
    boardtest::Board board(kFullBoard);
    int stepInBoard = 0;
    for (auto _ : state) {
        if (stepInBoard == stepsPerBoard) {
            state.PauseTiming();
            board.build(kFullBoard);
            stepInBoard = 0;
            state.ResumeTiming();
        }
        if (stepInBoard == 2 || stepInBoard == 60)
            stir();
        // The frame as the play screen runs it: the world step, then the
        // sounds, the renderer and the presentation.
        long before = allocations.load(std::memory_order_relaxed);
        auto start = std::chrono::steady_clock::now();
        CElement::UpdateAllElements();
        auto end = std::chrono::steady_clock::now();
        long made = allocations.load(std::memory_order_relaxed) - before;
        CSound::update();
        CRender::Render(true);
        CDraw::Present(1, 1);
        auto frameEnd = std::chrono::steady_clock::now();
        long frameMade = allocations.load(std::memory_order_relaxed) - before;
        allAllocations += made;
        if (stepInBoard >= warmSteps) {
            steadyAllocations += made;
            steadyFrameAllocations += frameMade;
            ++steadySteps;
        }
        frameMicros.push_back(std::chrono::duration<double, std::micro>(frameEnd - start).count());
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        elementCount = CElement::allElements.size();
        ++stepInBoard;
    }
    std::vector<double> sorted = micros;
    std::sort(sorted.begin(), sorted.end());
    double median = sorted.empty() ? 0 : sorted[sorted.size() / 2];
    double worst = sorted.empty() ? 0 : sorted.back();
    std::sort(frameMicros.begin(), frameMicros.end());
    state.counters["frame_median_us"] = frameMicros.empty() ? 0 : frameMicros[frameMicros.size() / 2];
    state.counters["frame_worst_us"] = frameMicros.empty() ? 0 : frameMicros.back();
    state.counters["steady_frame_allocs"] =
        steadySteps ? static_cast<double>(steadyFrameAllocations) / steadySteps : 0;
    state.counters["elements"] = static_cast<double>(elementCount);
    state.counters["median_us"] = median;
    state.counters["worst_us"] = worst;
    state.counters["steps_per_s"] = benchmark::Counter(static_cast<double>(micros.size()), benchmark::Counter::kIsRate);
    state.counters["allocs_per_step"] = micros.empty() ? 0 : static_cast<double>(allAllocations) / micros.size();
    state.counters["steady_allocs_per_step"] =
        steadySteps ? static_cast<double>(steadyAllocations) / steadySteps : 0;
}
BENCHMARK(BM_WorldStepFullBoard)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace

// Counts every heap allocation of the process. The allocation is malloc's,
// so the matching release is free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

// GCC cannot see that these replace the global operators and pair with the
// malloc above.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
#pragma GCC diagnostic pop

BENCHMARK_MAIN();
