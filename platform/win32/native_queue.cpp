#include "platform/win32/native.h"

#include <windows.h>

namespace w32 {

bool Post(void* hwnd, unsigned message, uintptr_t wParam, intptr_t lParam) {
    return PostMessageW(static_cast<HWND>(hwnd), message, wParam, lParam) != FALSE;
}

void PostQuit(int exitCode) { PostQuitMessage(exitCode); }

int RunUntilQuit() {
    MSG msg;
    for (;;) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got < 0) return 0; // the queue is gone: nothing more can arrive
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

uintptr_t SetTimer(void* hwnd, uintptr_t id, unsigned elapse) {
    return ::SetTimer(static_cast<HWND>(hwnd), id, elapse, nullptr);
}

bool KillTimer(void* hwnd, uintptr_t id) { return ::KillTimer(static_cast<HWND>(hwnd), id) != FALSE; }

void InvalidateWindow(void* hwnd) { InvalidateRect(static_cast<HWND>(hwnd), nullptr, TRUE); }

void ValidateWindow(void* hwnd) { ValidateRect(static_cast<HWND>(hwnd), nullptr); }

} // namespace w32
