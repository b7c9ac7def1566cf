// The idle cost of the saver in a screen-saver host's window: the real program started with
// --window-id on a 1920x1080 window at Speed 1000 (one growth step a second, the default
// settings), measured over 20 s after a 2 s start. Needs $DISPLAY (run under Xvfb).
//   cpu_percent   CPU time of the process as a share of wall time (target: under 1)
//   rss_mb        its resident set at the end
//   exit_ms       from SIGTERM to the process's end (target: under 1000)
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// User plus system CPU seconds of a process.
double CpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double ResidentMegabytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    double kb = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> kb;
            break;
        }
    }
    return kb / 1024.0;
}

void BM_HostedIdle(benchmark::State& state) {
    Display* display = std::getenv("DISPLAY") ? XOpenDisplay(nullptr) : nullptr;
    if (!display) {
        state.SkipWithError("needs an X display");
        return;
    }
    const Window host = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1920, 1080, 0, 0, 0);
    XMapWindow(display, host);
    XSync(display, False);
    char dir[] = "/tmp/quorvel-idle-XXXXXX";
    if (!mkdtemp(dir)) {
        state.SkipWithError("no temporary directory");
        return;
    }
    std::ofstream(std::string(dir) + "/quorvel.INI") << "[3D Screen saver Config]\nSpeed=1000\n";
    const std::string id = std::to_string(host);
    for (auto _ : state) {
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("XDG_CONFIG_HOME", dir, 1);
            execl(QUORVEL_PROGRAM, "quorvel", "--window-id", id.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const double cpu0 = CpuSeconds(pid);
        const auto t0 = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(20));
        const double cpu = CpuSeconds(pid) - cpu0;
        const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
        state.counters["rss_mb"] = ResidentMegabytes(pid);
        const auto stop = Clock::now();
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        state.counters["exit_ms"] = std::chrono::duration<double, std::milli>(Clock::now() - stop).count();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the program did not end with 0");
    }
    std::filesystem::remove_all(dir);
    XDestroyWindow(display, host);
    XCloseDisplay(display);
}
BENCHMARK(BM_HostedIdle)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
