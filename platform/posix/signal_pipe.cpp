#include "platform/posix/signal_pipe.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

bool SignalPipe::Open() {
    if (m_read >= 0) return true;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    m_read = fds[0];
    m_write.store(fds[1]);
    return true;
}

void SignalPipe::Note(unsigned char byte) const {
    const int saved = errno;
    const int fd = m_write.load();
    if (fd >= 0 && write(fd, &byte, 1) < 0) {
        // A full pipe already holds a pending request.
    }
    errno = saved;
}

bool SignalPipe::Drain() const {
    if (m_read < 0) return false;
    unsigned char buf[16];
    bool pending = false;
    while (read(m_read, buf, sizeof buf) > 0) pending = true;
    return pending;
}

bool SignalPipe::Pending() const {
    pollfd fd{m_read, POLLIN, 0};
    return m_read >= 0 && poll(&fd, 1, 0) > 0;
}

SignalPipe& CloseSignalPipe() {
    static SignalPipe pipe;
    return pipe;
}

SignalPipe& ResetSignalPipe() {
    static SignalPipe pipe;
    return pipe;
}
