// The renderer at 1920 × 1080 (and, with the suffix 4K, at 3840 × 2160) with the saver's scene
// of 20 pipes × 100 steps grown from seed 1:
//   BM_FrameCopy        one memcpy of a whole 32-bit frame, the yardstick of the others;
//   BM_IncrementalFrame one growth step, then Clear + Render + Update to the memory presenter;
//   BM_FullRedraw       Clear + Render + Update of the whole scene with lighting cached;
//   BM_FullRedrawOneThread  the same drawn on one thread, to show what the bands gain;
//   BM_FullRelight      the same after the camera moved, so every vertex is lit and projected
//   again.
// Each scene benchmark reports the resident set with its scene built (rss_MB: depth, the
// presented image that is also the frame, the headless window's own copy, meshes and caches) and
// the process's peak (run one size alone, e.g. --benchmark_filter=4K, for that size's peak).
// The raster path in use (QUORVEL_RASTER_PATH may narrow it) is in the context and the labels.

#include "platform/swr/raster_path.h"
#include "tests/support/saver_scene.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPipes = 20, kSteps = 100;

struct Screen {
    int width, height;
};
constexpr Screen kHd{1920, 1080}, k4K{3840, 2160};

const char* PathName() { return swr::RasterPathName(swr::CurrentRasterPath()); }
const bool kPathNoted = (benchmark::AddCustomContext("raster_path", PathName()), true);

double ResidentMegabytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

double PeakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::unique_ptr<SaverScene> CompleteScene(Screen screen) {
    PipeRandomSeed(1);
    auto scene = std::make_unique<SaverScene>(screen.width, screen.height);
    scene->AddPipes(kPipes, kSteps);
    scene->GrowAll(kSteps);
    scene->Frame();
    return scene;
}

void FrameCopy(benchmark::State& state, Screen screen) {
    std::vector<uint32_t> from(size_t(screen.width) * size_t(screen.height), 0xFF336699u), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations() * from.size() * sizeof(uint32_t)));
}

void IncrementalFrame(benchmark::State& state, Screen screen) {
    PipeRandomSeed(1);
    SaverScene scene(screen.width, screen.height);
    scene.AddPipes(kPipes, kSteps);
    scene.Frame();
    long steps = 0;
    for (auto _ : state) {
        // A complete set is replaced as the animation driver replaces it (outside the timing).
        if (steps == long{kPipes} * kSteps) {
            state.PauseTiming();
            scene.ReplacePipes(kPipes, kSteps);
            scene.Frame();
            steps = 0;
            state.ResumeTiming();
        }
        scene.GrowNext();
        ++steps;
        scene.Frame();
    }
    state.SetLabel(PathName());
    state.counters["rss_MB"] = ResidentMegabytes();
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}

void FullRedraw(benchmark::State& state, Screen screen, bool oneThread) {
    auto scene = CompleteScene(screen);
    if (oneThread) scene->viewport->Renderer().SetThreads(1);
    const D3DCOLOR background = scene->scene->GetSceneBackground();
    for (auto _ : state) {
        // Setting the background again invalidates the retained image but no cached lighting.
        scene->scene->SetSceneBackgroundRGB(D3DRMColorGetRed(background),
                                            D3DRMColorGetGreen(background),
                                            D3DRMColorGetBlue(background));
        scene->Frame();
    }
    state.SetLabel(PathName());
    state.counters["rss_MB"] = ResidentMegabytes();
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}

void BM_FrameCopy(benchmark::State& state) { FrameCopy(state, kHd); }
BENCHMARK(BM_FrameCopy);
void BM_IncrementalFrame(benchmark::State& state) { IncrementalFrame(state, kHd); }
BENCHMARK(BM_IncrementalFrame)->Unit(benchmark::kMicrosecond);
void BM_FullRedraw(benchmark::State& state) { FullRedraw(state, kHd, false); }
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);
void BM_FullRedrawOneThread(benchmark::State& state) { FullRedraw(state, kHd, true); }
BENCHMARK(BM_FullRedrawOneThread)->Unit(benchmark::kMillisecond);

void BM_FrameCopy4K(benchmark::State& state) { FrameCopy(state, k4K); }
BENCHMARK(BM_FrameCopy4K);
void BM_IncrementalFrame4K(benchmark::State& state) { IncrementalFrame(state, k4K); }
BENCHMARK(BM_IncrementalFrame4K)->Unit(benchmark::kMicrosecond);
void BM_FullRedraw4K(benchmark::State& state) { FullRedraw(state, k4K, false); }
BENCHMARK(BM_FullRedraw4K)->Unit(benchmark::kMillisecond);

void BM_FullRelight(benchmark::State& state) {
    auto scene = CompleteScene(kHd);
    float y = 0.0f;
    for (auto _ : state) {
        y = y == 0.0f ? 0.001f : 0.0f;
        scene->camera->SetPosition(scene->scene, 0.0f, y, 0.0f);
        scene->Frame();
    }
    state.counters["rss_MB"] = ResidentMegabytes();
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_FullRelight)->Unit(benchmark::kMillisecond);

} // namespace
