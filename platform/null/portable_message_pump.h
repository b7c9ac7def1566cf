// The wait of the null platform where there is no POSIX poll (the unit tests on Windows): nothing
// arrives from outside the process, so the loop waits only for a Wake or its next timer.
#pragma once

#include "platform/afx/msgqueue.h"

#include <condition_variable>
#include <mutex>

class PortableMessagePump final : public MessagePump {
public:
    void Pump() override {}
    void Wait(int timeoutMs) override;
    void Wake() override;

private:
    std::mutex m_mutex;
    std::condition_variable m_woken;
    bool m_wakePending = false;
};
