// signal-at-start [--after MS] SIGNAL RUNS PROGRAM ARGS...: starts PROGRAM RUNS times, as a host
// does, and sends it SIGNAL (TERM, INT, HUP or USR1) MS + 0–9 ms after it started (run i waits
// i % 10 ms more). A close signal must end the program with exit 0 within 1 s. USR1 must leave it
// running; a SIGTERM 0.3 s later must then end it with exit 0 within 1 s. Prints each failed run
// and a summary line, and exits 1 when a run failed.
//
// The program has started when it runs its first instruction. The spawn returns before that:
// the kernel may still be setting the process up (for milliseconds on a loaded machine), and a
// signal then takes its default action before any program could run. A program shows that it
// runs by blocking the signal; one that has not within 2 s of the spawn fails the run.
#include <chrono>
#include <fstream>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

// The exit status once the process ended within the limit; -1 while it still runs.
int WaitFor(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        if (std::chrono::steady_clock::now() > end) return -1;
        std::this_thread::sleep_for(1ms);
    }
}

bool Blocks(pid_t pid, int signo) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("SigBlk:")) return std::stoull(line.substr(7), nullptr, 16) >> (signo - 1) & 1;
    return false;
}

bool WaitUntilStarted(pid_t pid, int signo) {
    const auto limit = std::chrono::steady_clock::now() + 2s;
    while (!Blocks(pid, signo)) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(50us);
    }
    return true;
}

std::string Describe(int status) {
    if (status < 0) return "still running";
    if (WIFSIGNALED(status)) return std::string("killed by ") + strsignal(WTERMSIG(status));
    return "exit " + std::to_string(WEXITSTATUS(status));
}

} // namespace

int main(int argc, char** argv) {
    int afterMs = 0;
    if (argc > 2 && !std::strcmp(argv[1], "--after")) {
        afterMs = std::atoi(argv[2]);
        argc -= 2;
        argv += 2;
    }
    const int signals[] = {SIGTERM, SIGINT, SIGHUP, SIGUSR1};
    const char* names[] = {"TERM", "INT", "HUP", "USR1"};
    int signo = 0;
    for (int i = 0; argc > 3 && i < 4; ++i)
        if (!std::strcmp(argv[1], names[i])) signo = signals[i];
    if (!signo) {
        std::fprintf(stderr, "usage: signal-at-start [--after MS] TERM|INT|HUP|USR1 RUNS PROGRAM ARGS...\n");
        return 2;
    }
    const int runs = std::atoi(argv[2]);
    int failed = 0;
    for (int run = 0; run < runs; ++run) {
        pid_t pid;
        if (posix_spawn(&pid, argv[3], nullptr, nullptr, argv + 3, environ) != 0) {
            std::perror("posix_spawn");
            return 2;
        }
        const bool started = WaitUntilStarted(pid, signo);
        const int delayMs = afterMs + run % 10;
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        kill(pid, signo);
        std::string wrong;
        if (!started) {
            wrong = std::string("SIG") + argv[1] + " not blocked within 2 s of the spawn";
        } else if (signo == SIGUSR1) {
            const int early = WaitFor(pid, 300ms);
            if (early >= 0) {
                wrong = Describe(early) + " after SIGUSR1";
            } else {
                kill(pid, SIGTERM);
                const int status = WaitFor(pid, 1000ms);
                if (status != 0) wrong = Describe(status) + " after the SIGTERM that followed";
            }
        } else {
            const int status = WaitFor(pid, 1000ms);
            if (status != 0) wrong = Describe(status);
        }
        if (!wrong.empty()) {
            ++failed;
            std::printf("run %d, SIG%s after %d ms: %s\n", run, argv[1], delayMs, wrong.c_str());
        }
        if (WaitFor(pid, 0ms) < 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    std::printf("SIG%s %d-%d ms after start: %d of %d runs failed\n", argv[1], afterMs, afterMs + 9, failed, runs);
    return failed ? 1 : 0;
}
