#include "platform/null/portable_message_pump.h"

#include <chrono>

void PortableMessagePump::Wait(int timeoutMs) {
    std::unique_lock lock(m_mutex);
    auto woken = [this] { return m_wakePending; };
    if (timeoutMs < 0)
        m_woken.wait(lock, woken);
    else
        m_woken.wait_for(lock, std::chrono::milliseconds(timeoutMs), woken);
    m_wakePending = false;
}

void PortableMessagePump::Wake() {
    {
        std::lock_guard lock(m_mutex);
        m_wakePending = true;
    }
    m_woken.notify_one();
}
