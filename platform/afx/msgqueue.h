// The UI thread's message queue: posted messages, backend input, paint requests and timers,
// retrieved in that priority. The blocking wait between them is the installed platform's pump.
// A platform with a message queue of its own (Win32) links its own definitions of these
// functions instead of msgqueue.cpp.
#pragma once

#include "platform/afx/messages.h"

// The operating system's side of the queue: what arrives from outside the process, and the wait.
class MessagePump {
public:
    virtual ~MessagePump() = default;
    // Turns whatever the window system has pending into messages (AfxQueueInput, PostMessage,
    // direct sends). Called on the UI thread.
    virtual void Pump() = 0;
    // Blocks the UI thread until Wake, new window-system input, or timeoutMs (-1: no limit).
    virtual void Wait(int timeoutMs) = 0;
    // Ends the current or the next Wait; safe from any thread.
    virtual void Wake() = 0;
};

// Queues a message for the window; safe from any thread. FALSE when the queue cannot take it.
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Asks the loop to end with this exit code once the posted messages ahead of it are handled.
void PostQuitMessage(int exitCode);
// Input translated by a window backend; retrieved after posted messages.
void AfxQueueInput(const MSG& msg);
// The messages of a window becoming the active one or ceasing to be, in the platform's order:
// WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE on the way in, the reverse on the way out.
void AfxQueueActivation(HWND hwnd, bool active);
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
