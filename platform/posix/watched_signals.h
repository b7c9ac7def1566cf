// The signals that end the program (SIGTERM, SIGINT, SIGHUP) and the hosts' reset signal
// (SIGUSR1): the set that is blocked from the program's start and taken by the signal watcher.
#pragma once

#include <csignal>

inline sigset_t WatchedSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGUSR1);
    return set;
}
