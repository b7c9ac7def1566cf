// BM_GrowStep: one growth step of a pipe, both mesh builds included. The pipe is replaced every
// kStepsPerPipe steps (outside the timing), as the animation driver replaces its pipes.

#include "pipes/pipe.h"
#include "pipes/pipe_random.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

namespace {
std::atomic<long> g_allocations{0};
constexpr int kStepsPerPipe = 50;
} // namespace

// Counts heap allocations so the benchmark can report them per step.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size ? size : 1);
}
void* operator new(std::size_t size) {
    if (void* p = operator new(size, std::nothrow)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

void BM_GrowStep(benchmark::State& state) {
    IDirect3DRM* rm = nullptr;
    IDirect3DRMFrame* scene = nullptr;
    if (Direct3DRMCreate(&rm) != S_OK || rm->CreateFrame(nullptr, &scene) != S_OK) {
        state.SkipWithError("no retained-mode root");
        return;
    }
    PipeRandomSeed(1);
    std::unique_ptr<CPipe> pipe;
    auto newPipe = [&] {
        if (pipe) scene->DeleteChild(pipe->GetFrame());
        pipe = std::make_unique<CPipe>();
        pipe->SetParameters(kStepsPerPipe, 4.0f, 0.6f, 0.5f, 2.0f, 0.5f, 1.0f, 0.6666667f);
        pipe->Create(rm, scene);
        pipe->SetPosition(150.0f, 0.0f, 0.0f);
    };
    newPipe();

    int steps = 0;
    long grown = 0, allocations = 0;
    for (auto _ : state) {
        if (steps == kStepsPerPipe) {
            state.PauseTiming();
            newPipe();
            steps = 0;
            state.ResumeTiming();
        }
        const long before = g_allocations.load(std::memory_order_relaxed);
        benchmark::DoNotOptimize(grown += pipe->Grow(rm));
        allocations += g_allocations.load(std::memory_order_relaxed) - before;
        ++steps;
    }
    state.counters["grown"] =
        benchmark::Counter(static_cast<double>(grown), benchmark::Counter::kAvgIterations);
    state.counters["allocs_per_step"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    pipe.reset();
    scene->Release();
    rm->Release();
}
BENCHMARK(BM_GrowStep);


} // namespace
