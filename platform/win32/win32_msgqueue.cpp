// The message functions of the framework over the thread's own system queue. The system's
// window procedure dispatches every message (timers, input, paint, posted messages) to the
// message maps; the framework's loop sees only the quit message.
#include "platform/afx/msgqueue.h"
#include "platform/win32/native.h"

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return w32::Post(hwnd, message, wParam, lParam) ? TRUE : FALSE;
}

void PostQuitMessage(int exitCode) { w32::PostQuit(exitCode); }

BOOL GetMessage(MSG* msg) {
    *msg = {nullptr, WM_QUIT, static_cast<WPARAM>(w32::RunUntilQuit()), 0};
    return FALSE;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse) { return w32::SetTimer(hwnd, id, elapse); }
BOOL KillTimer(HWND hwnd, UINT_PTR id) { return w32::KillTimer(hwnd, id) ? TRUE : FALSE; }

void AfxInvalidateWindow(HWND hwnd) { w32::InvalidateWindow(hwnd); }
void AfxValidateWindow(HWND hwnd) { w32::ValidateWindow(hwnd); }
// The system drops what is queued for a window that no longer exists.
void AfxForgetWindow(HWND) {}
