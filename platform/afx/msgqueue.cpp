#include "platform/afx/msgqueue.h"

#include "platform/platform.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kTimerMinimum = 10;
constexpr UINT kTimerMaximum = 0x7FFFFFFF;

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    std::chrono::milliseconds period;
    Clock::time_point due;
};

class MessageQueue {
public:
    BOOL Post(const MSG& msg) {
        {
            std::lock_guard lock(m_mutex);
            m_posted.push_back(msg);
        }
        Wake();
        return TRUE;
    }

    void Quit(int code) {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
            m_quitCode = code;
        }
        Wake();
    }

    void QueueInput(const MSG& msg) { m_input.push_back(msg); }

    void QueueMouseMove(const MSG& msg) {
        if (!m_input.empty() && m_input.back().message == WM_MOUSEMOVE && m_input.back().hwnd == msg.hwnd)
            m_input.back() = msg;
        else
            m_input.push_back(msg);
    }

    bool Next(MSG* msg, bool wait) {
        for (;;) {
            if (TakePosted(msg)) return true;
            Pump().Pump();
            if (TakePosted(msg)) return true;
            if (!m_input.empty()) {
                *msg = m_input.front();
                m_input.pop_front();
                return true;
            }
            if (!m_invalid.empty()) {
                *msg = {m_invalid.front(), WM_PAINT, 0, 0};
                return true;
            }
            if (TakeTimer(msg)) return true;
            if (!wait) return false;
            Block();
        }
    }

    UINT_PTR AddTimer(HWND hwnd, UINT_PTR id, UINT elapse) {
        elapse = std::clamp(elapse, kTimerMinimum, kTimerMaximum);
        auto period = std::chrono::milliseconds(elapse);
        for (Timer& t : m_timers) {
            if (t.hwnd == hwnd && t.id == id) {
                t.period = period;
                t.due = Clock::now() + period;
                return id;
            }
        }
        m_timers.push_back({hwnd, id, period, Clock::now() + period});
        return id;
    }

    BOOL RemoveTimer(HWND hwnd, UINT_PTR id) {
        auto it = std::find_if(m_timers.begin(), m_timers.end(),
                               [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
        if (it == m_timers.end()) return FALSE;
        m_timers.erase(it);
        return TRUE;
    }

    void Invalidate(HWND hwnd) {
        if (std::find(m_invalid.begin(), m_invalid.end(), hwnd) == m_invalid.end())
            m_invalid.push_back(hwnd);
    }

    void Validate(HWND hwnd) { std::erase(m_invalid, hwnd); }

    void Forget(HWND hwnd) {
        Validate(hwnd);
        std::erase_if(m_timers, [&](const Timer& t) { return t.hwnd == hwnd; });
        std::erase_if(m_input, [&](const MSG& m) { return m.hwnd == hwnd; });
        std::lock_guard lock(m_mutex);
        std::erase_if(m_posted, [&](const MSG& m) { return m.hwnd == hwnd; });
    }

    void Reset() {
        m_input.clear();
        m_invalid.clear();
        m_timers.clear();
        std::lock_guard lock(m_mutex);
        m_posted.clear();
        m_quit = false;
        m_quitCode = 0;
    }

private:
    bool TakePosted(MSG* msg) {
        std::lock_guard lock(m_mutex);
        if (!m_posted.empty()) {
            *msg = m_posted.front();
            m_posted.pop_front();
            return true;
        }
        if (m_quit) {
            m_quit = false;
            *msg = {nullptr, WM_QUIT, static_cast<WPARAM>(m_quitCode), 0};
            return true;
        }
        return false;
    }

    bool TakeTimer(MSG* msg) {
        auto now = Clock::now();
        for (Timer& t : m_timers) {
            if (t.due <= now) {
                // Late ticks are not queued up: the next one is one period from now.
                t.due = now + t.period;
                *msg = {t.hwnd, WM_TIMER, t.id, 0};
                return true;
            }
        }
        return false;
    }

    void Block() {
        int timeoutMs = -1;
        if (!m_timers.empty()) {
            auto next = std::min_element(m_timers.begin(), m_timers.end(),
                                         [](const Timer& a, const Timer& b) { return a.due < b.due; })
                            ->due;
            auto left = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
            timeoutMs = static_cast<int>(std::clamp<long long>(left, 0, kTimerMaximum));
        }
        Pump().Wait(timeoutMs);
    }

    static void Wake() { Pump().Wake(); }

    static MessagePump& Pump() {
        MessagePump* pump = ThePlatform().pump.get();
        if (!pump) PlatformServiceMissing("message pump");
        return *pump;
    }

    std::mutex m_mutex; // guards m_posted and the quit request, which other threads may touch
    std::deque<MSG> m_posted;
    bool m_quit = false;
    int m_quitCode = 0;
    std::deque<MSG> m_input;
    std::vector<HWND> m_invalid;
    std::vector<Timer> m_timers;
};

MessageQueue& Queue() {
    // Never destroyed: messages may be posted from static destructors.
    static MessageQueue* queue = new MessageQueue;
    return *queue;
}

} // namespace

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Queue().Post({hwnd, message, wParam, lParam});
}

void PostQuitMessage(int exitCode) { Queue().Quit(exitCode); }
void AfxQueueInput(const MSG& msg) { Queue().QueueInput(msg); }

void AfxQueueActivation(HWND hwnd, bool active) {
    const MSG app{hwnd, WM_ACTIVATEAPP, static_cast<WPARAM>(active), 0};
    const MSG frame{hwnd, WM_NCACTIVATE, static_cast<WPARAM>(active), 0};
    const MSG window{hwnd, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0};
    if (active) {
        AfxQueueInput(app);
        AfxQueueInput(frame);
        AfxQueueInput(window);
    } else {
        AfxQueueInput(frame);
        AfxQueueInput(window);
        AfxQueueInput(app);
    }
}
void AfxQueueMouseMove(const MSG& msg) { Queue().QueueMouseMove(msg); }

BOOL GetMessage(MSG* msg) {
    Queue().Next(msg, true);
    return msg->message != WM_QUIT;
}

BOOL PeekMessage(MSG* msg) { return Queue().Next(msg, false) ? TRUE : FALSE; }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse) { return Queue().AddTimer(hwnd, id, elapse); }
BOOL KillTimer(HWND hwnd, UINT_PTR id) { return Queue().RemoveTimer(hwnd, id); }

void AfxInvalidateWindow(HWND hwnd) { Queue().Invalidate(hwnd); }
void AfxValidateWindow(HWND hwnd) { Queue().Validate(hwnd); }
void AfxForgetWindow(HWND hwnd) { Queue().Forget(hwnd); }
void AfxResetMessageQueue() { Queue().Reset(); }
