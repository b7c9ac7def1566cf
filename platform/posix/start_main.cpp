// The program file that hosts run. The program image spends milliseconds in the dynamic loader
// (mapping and binding the toolkit's libraries) before any code of its own runs, and a signal in
// that time would take its default action: a host's reset or close in the first milliseconds
// killed it. This small static program runs from the instant after the exec: it blocks the
// watched signals, which the image inherits across exec and takes over once it runs
// (signal_watch.h), and runs the image at QUORVEL_IMAGE (set by the build) from its own folder,
// with the same arguments and environment (the profile stays named after argv[0]).
#include "platform/posix/watched_signals.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

constexpr char kImage[] = QUORVEL_IMAGE;

} // namespace

int main(int, char** argv) {
    const sigset_t set = WatchedSignals();
    sigprocmask(SIG_BLOCK, &set, nullptr);
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - sizeof kImage);
    char* slash = n > 0 ? static_cast<char*>(memrchr(path, '/', static_cast<size_t>(n))) : nullptr;
    if (!slash) {
        std::fprintf(stderr, "quorvel: cannot find the program's own file: %s\n", std::strerror(errno));
        return 127;
    }
    std::memcpy(slash, kImage, sizeof kImage);
    execv(path, argv);
    std::fprintf(stderr, "quorvel: cannot run %s: %s\n", path, std::strerror(errno));
    return 127;
}
