#include "platform/posix/posix_message_pump.h"

#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

PosixMessagePump::PosixMessagePump() : m_wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

PosixMessagePump::~PosixMessagePump() {
    if (m_wakeFd >= 0) close(m_wakeFd);
}

void PosixMessagePump::Add(EventSource* source) { m_sources.push_back(source); }
void PosixMessagePump::Remove(EventSource* source) { std::erase(m_sources, source); }

void PosixMessagePump::Pump() {
    // Copied: a source may be removed while the sources pump.
    for (EventSource* s : std::vector<EventSource*>(m_sources)) s->Pump();
}

void PosixMessagePump::Wait(int timeoutMs) {
    // Without a wake-up descriptor another thread's post is noticed by polling briefly.
    if (m_wakeFd < 0) timeoutMs = timeoutMs < 0 ? kNoWakePoll : std::min(timeoutMs, kNoWakePoll);
    std::vector<pollfd> fds;
    fds.push_back({m_wakeFd, POLLIN, 0});
    for (EventSource* s : m_sources) {
        if (!s->PrepareWait()) timeoutMs = 0;
        fds.push_back({s->Fd(), POLLIN, 0}); // a negative descriptor is left out by poll
    }
    const bool woken = poll(fds.data(), fds.size(), timeoutMs) > 0;
    for (size_t i = 0; i < m_sources.size(); ++i)
        m_sources[i]->FinishWait(woken && (fds[i + 1].revents & POLLIN));
    if (woken && (fds[0].revents & POLLIN)) {
        uint64_t count;
        while (read(m_wakeFd, &count, sizeof count) > 0) {
        }
    }
}

void PosixMessagePump::Wake() {
    if (m_wakeFd < 0) return;
    uint64_t one = 1;
    while (write(m_wakeFd, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

PosixMessagePump& ThePosixMessagePump() {
    auto* pump = dynamic_cast<PosixMessagePump*>(ThePlatform().pump.get());
    if (!pump) PlatformServiceMissing("POSIX message pump");
    return *pump;
}
