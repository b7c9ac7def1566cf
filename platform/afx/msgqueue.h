// The UI thread's message queue: posted messages, backend input, paint requests and timers,
// retrieved in that priority, and the blocking wait between them.
#pragma once

#include "platform/afx/messages.h"

// Something the loop waits on besides its own queue: a window-system connection, the signal pipe.
class EventSource {
public:
    virtual ~EventSource() = default;
    // Descriptor to wait on; -1 when the source has none.
    virtual int Fd() const = 0;
    // Turns whatever is pending into messages (AfxQueueInput, PostMessage, direct sends).
    virtual void Pump() = 0;
};

void AfxAddEventSource(EventSource* source);
void AfxRemoveEventSource(EventSource* source);

// Queues a message for the window; safe from any thread. FALSE when the queue cannot take it.
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Asks the loop to end with this exit code once the posted messages ahead of it are handled.
void PostQuitMessage(int exitCode);
// Input translated by a window backend; retrieved after posted messages.
void AfxQueueInput(const MSG& msg);
// Pointer motion: a move still waiting at the end of the input takes the newer position, as the
// platform reports at most one pending move.
void AfxQueueMouseMove(const MSG& msg);

// Waits for the next message. FALSE when it is WM_QUIT (msg->wParam holds the exit code).
BOOL GetMessage(MSG* msg);
// Takes the next message without waiting; FALSE when there is none.
BOOL PeekMessage(MSG* msg);

// Timers fire as WM_TIMER with the identifier in wParam; a timer never has more than one tick
// pending. Periods are clamped to 10 ms .. 0x7FFFFFFF ms as the platform does.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// A window that needs painting receives WM_PAINT when nothing of higher priority is waiting.
void AfxInvalidateWindow(HWND hwnd);
void AfxValidateWindow(HWND hwnd);

// Drops everything the queue holds for a window that no longer exists.
void AfxForgetWindow(HWND hwnd);
// Empties the queue and the timers (tests start each case from a clean state).
void AfxResetMessageQueue();
