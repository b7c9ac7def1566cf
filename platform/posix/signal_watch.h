// The close signals (SIGTERM, SIGINT, SIGHUP) and the hosts' reset signal (SIGUSR1), taken over
// before anything else runs: blocked in every thread and received by one watcher thread, which
// hands each to its self-pipe (close_signals.h, reset_signal.h). A signal at any moment, the
// first milliseconds included, is then neither fatal nor lost, and none ever interrupts a call
// in progress (an X request cut short by a signal ends the connection).
//
// Call it first thing in a POSIX entry point, before any other thread exists; the threads made
// afterwards inherit the blocked signals. Signals that arrive before it runs are caught by the
// program file that starts the program image with them blocked (start_main.cpp).
#pragma once

void AfxWatchSignals();
