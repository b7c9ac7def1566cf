// A pipe that hands a signal over to the message queue: one byte written by a signal handler or
// by the signal watcher thread, read on the UI thread. Opened once and kept for the life of the
// process, so that a writer on another thread never meets a closed or reused descriptor.
#pragma once

#include <atomic>

class SignalPipe {
public:
    // Opens the pipe on the first call; false when there is none.
    bool Open();
    // Async-signal-safe; a full pipe already holds a pending request.
    void Note(unsigned char byte) const;
    // Reads everything written so far; true when something was.
    bool Drain() const;
    // Something written and not read yet.
    bool Pending() const;
    int ReadFd() const { return m_read; }

private:
    int m_read = -1;
    std::atomic<int> m_write{-1};
};

// The pipe of the close signals (SIGTERM, SIGINT, SIGHUP) and that of the hosts' reset signal.
SignalPipe& CloseSignalPipe();
SignalPipe& ResetSignalPipe();
