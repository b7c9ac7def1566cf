// The whole tick of the saver on a real X display: the growth step on the main thread plus the
// frame the render thread would draw, presented with MIT-SHM where the server offers it. The
// scene holds 20 pipes that have grown 100 steps each. Needs $DISPLAY (run under Xvfb).
//   BM_SaverTickX11  median_us: the median of the ticks measured

#include "platform/x11/connect_x11.h"
#include "shell/app.h"
#include "shell/saver_wnd.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPipes = 20, kSteps = 100;

void BM_SaverTickX11(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("needs an X display");
        return;
    }
    InstallPlatform(ConnectX11());
    char dir[] = "/tmp/quorvel-tick-XXXXXX";
    if (!mkdtemp(dir)) {
        state.SkipWithError("no temporary directory");
        return;
    }
    CMyMirlowApp app;
    app.m_profilePath = std::string(dir) + "/quorvel.INI";
    // Pipes in turn, and a cycle far longer than the benchmark, so the scene only grows.
    std::ofstream(app.m_profilePath) << "[3D Screen saver Config]\nNumber=20\nLength=100000\nType=1\n";
    app.LoadSettings();
    {
        CSaverWnd wnd(app.Settings().Number, app.Settings().Length, 1000, FALSE);
        if (!wnd.CreateSaverWindow() || !wnd.StartAnimation()) {
            state.SkipWithError("the saver could not start");
            return;
        }
        CRenderContext& render = wnd.GetRenderContext();
        render.PauseRendering(); // its frames are drawn here, one per tick, and timed
        while (wnd.GetStep() < kPipes * kSteps) wnd.SendMessage(WM_TIMER, 1, 0);

        std::vector<double> ticks;
        for (auto _ : state) {
            auto start = std::chrono::steady_clock::now();
            wnd.SendMessage(WM_TIMER, 1, 0);
            render.DrawFrameNow();
            ticks.push_back(std::chrono::duration<double, std::micro>(
                                std::chrono::steady_clock::now() - start)
                                .count());
        }
        std::nth_element(ticks.begin(), ticks.begin() + ticks.size() / 2, ticks.end());
        state.counters["median_us"] = ticks[ticks.size() / 2];
        wnd.DestroyWindow();
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SaverTickX11)->Unit(benchmark::kMicrosecond)->Iterations(300);

} // namespace
