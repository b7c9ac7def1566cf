// The GL device on the saver's scene of 20 pipes × 100 steps grown from seed 1, drawn offscreen
// (EGL without a surface) at 1920 × 1080 and, with the suffix 4K, at 3840 × 2160:
//   BM_GlFullRedraw       Clear + Render of the whole scene, nothing new to upload: every GL
//                         frame draws all of it from GPU storage in one call;
//   BM_GlIncrementalTick  one growth step, then Clear + Render: the new piece uploaded, one frame.
// Each waits for the GPU to finish (glFinish) and reports the GPU time of its frame (gpu_ms, from
// a timer query) beside the wall and CPU time; the picture is not read back. The GL renderer is
// the label. Without a GL context the benchmarks are skipped with a message; on a software
// driver (Mesa's llvmpipe) they show only that the path works.

#include "platform/egl/egl_backend.h"
#include "platform/gl/gl_api.h"
#include "platform/platform.h"
#include "tests/support/saver_scene.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kPipes = 20, kSteps = 100;

// The GL renderer's name, or null without a GL context.
const char* GlRenderer() {
    static const gl::DriverInfo driver = [] {
        setenv("QUORVEL_GL", "force", 1); // a software driver too: these measure the path
        ThePlatform().gl = egl::MakeSurfacelessBackend();
        return ThePlatform().gl->Probe();
    }();
    return driver.usable ? driver.renderer.c_str() : nullptr;
}

// Times the GPU work between Begin and End with a timer query.
class GpuTimer {
public:
    GpuTimer() { glGenQueries(1, &m_query); }
    ~GpuTimer() { glDeleteQueries(1, &m_query); }
    void Begin() { glBeginQuery(GL_TIME_ELAPSED, m_query); }
    double End() {
        glEndQuery(GL_TIME_ELAPSED);
        GLuint64 ns = 0;
        glGetQueryObjectui64v(m_query, GL_QUERY_RESULT, &ns);
        return static_cast<double>(ns) / 1e6;
    }

private:
    GLuint m_query = 0;
};

// The benchmark scene's pipes on the GL device, grown `steps` steps each and drawn once.
std::unique_ptr<SaverScene> GlScene(int width, int height, int steps) {
    PipeRandomSeed(1);
    GUID hal = IID_IDirect3DHALDevice;
    auto scene = std::make_unique<SaverScene>(width, height, SaverScene::Light::Directional, &hal);
    scene->AddPipes(kPipes, kSteps);
    scene->GrowAll(steps);
    scene->Frame();
    return scene;
}

void DrawFrame(SaverScene& scene) {
    scene.viewport->Clear();
    scene.viewport->Render(scene.scene);
    glFinish();
}

void GlFullRedraw(benchmark::State& state, int width, int height) {
    if (!GlRenderer()) return state.SkipWithError("no OpenGL context can be made here");
    state.SetLabel(GlRenderer());
    auto scene = GlScene(width, height, kSteps);
    GpuTimer timer;
    double gpu = 0;
    for (auto _ : state) {
        timer.Begin();
        DrawFrame(*scene);
        gpu += timer.End();
    }
    state.counters["gpu_ms"] = benchmark::Counter(gpu, benchmark::Counter::kAvgIterations);
}

void GlIncrementalTick(benchmark::State& state, int width, int height) {
    if (!GlRenderer()) return state.SkipWithError("no OpenGL context can be made here");
    state.SetLabel(GlRenderer());
    auto owned = GlScene(width, height, 0);
    SaverScene& scene = *owned;
    GpuTimer timer;
    double gpu = 0;
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
        timer.Begin();
        scene.GrowNext();
        ++steps;
        DrawFrame(scene);
        gpu += timer.End();
    }
    state.counters["gpu_ms"] = benchmark::Counter(gpu, benchmark::Counter::kAvgIterations);
}

void BM_GlFullRedraw(benchmark::State& state) { GlFullRedraw(state, 1920, 1080); }
BENCHMARK(BM_GlFullRedraw)->Unit(benchmark::kMillisecond);
void BM_GlIncrementalTick(benchmark::State& state) { GlIncrementalTick(state, 1920, 1080); }
BENCHMARK(BM_GlIncrementalTick)->Unit(benchmark::kMicrosecond);
void BM_GlFullRedraw4K(benchmark::State& state) { GlFullRedraw(state, 3840, 2160); }
BENCHMARK(BM_GlFullRedraw4K)->Unit(benchmark::kMillisecond);
void BM_GlIncrementalTick4K(benchmark::State& state) { GlIncrementalTick(state, 3840, 2160); }
BENCHMARK(BM_GlIncrementalTick4K)->Unit(benchmark::kMicrosecond);

} // namespace
