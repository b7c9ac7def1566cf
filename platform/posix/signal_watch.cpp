#include "platform/posix/signal_watch.h"

#include "platform/posix/signal_pipe.h"
#include "platform/posix/watched_signals.h"

#include <pthread.h>

namespace {

void* Watch(void*) {
    const sigset_t set = WatchedSignals();
    for (;;) {
        int signo = 0;
        if (sigwait(&set, &signo) != 0) continue;
        if (signo == SIGUSR1)
            ResetSignalPipe().Note(1);
        else
            CloseSignalPipe().Note(static_cast<unsigned char>(signo));
    }
}

} // namespace

void AfxWatchSignals() {
    static bool started = false;
    if (started) return;
    const sigset_t set = WatchedSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    CloseSignalPipe().Open();
    ResetSignalPipe().Open();
    pthread_t thread;
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    started = pthread_create(&thread, &attr, Watch, nullptr) == 0;
    pthread_attr_destroy(&attr);
    if (!started) {
        // No watcher: the handlers that the close and reset signals install take them instead.
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    }
}
