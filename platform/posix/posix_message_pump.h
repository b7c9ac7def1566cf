// The message queue's wait on POSIX systems: poll on an eventfd that PostMessage writes to from
// any thread, plus the descriptors of the event sources (a window-system connection, the close
// signals' pipe).
#pragma once

#include "platform/afx/msgqueue.h"

#include <vector>

// Something the loop waits on besides its own queue.
class EventSource {
public:
    virtual ~EventSource() = default;
    // Descriptor to wait on; -1 when the source has none.
    virtual int Fd() const = 0;
    // Turns whatever is pending into messages (AfxQueueInput, PostMessage, direct sends).
    virtual void Pump() = 0;
    // Just before the wait, on the waiting thread; false when something is pending already, so
    // the wait must not block. (A connection that several threads read prepares its read here.)
    virtual bool PrepareWait() { return true; }
    // Just after the wait; readable: the descriptor has data.
    virtual void FinishWait(bool readable) { (void)readable; }
};

class PosixMessagePump final : public MessagePump {
public:
    PosixMessagePump();
    ~PosixMessagePump() override;

    void Add(EventSource* source);
    void Remove(EventSource* source);

    void Pump() override;
    void Wait(int timeoutMs) override;
    void Wake() override;

private:
    static constexpr int kNoWakePoll = 10; // ms
    int m_wakeFd;
    std::vector<EventSource*> m_sources;
};

// The installed platform's pump; stops the process when it is not a POSIX one.
PosixMessagePump& ThePosixMessagePump();
