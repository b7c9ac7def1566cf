#include "platform/afx/window_backend.h"

#include "platform/afx/null_window_backend.h"

namespace {
std::unique_ptr<WindowBackend>& Installed() {
    static std::unique_ptr<WindowBackend> backend;
    return backend;
}
} // namespace

WindowBackend& AfxGetWindowBackend() {
    // Without an installed backend windows live in memory: nothing can reach a server by accident.
    if (!Installed()) Installed() = std::make_unique<NullWindowBackend>();
    return *Installed();
}

void AfxSetWindowBackend(std::unique_ptr<WindowBackend> backend) { Installed() = std::move(backend); }

int GetSystemMetrics(int index) { return AfxGetWindowBackend().GetSystemMetrics(index); }
BOOL IsWindow(HWND hwnd) { return hwnd && AfxGetWindowBackend().IsWindow(hwnd); }
BOOL GetClientRect(HWND hwnd, RECT* rect) { return AfxGetWindowBackend().GetClientRect(hwnd, rect); }
HWND GetDesktopWindow() { return AfxGetWindowBackend().GetDesktopWindow(); }
