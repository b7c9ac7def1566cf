#include "platform/afx/window_backend.h"

#include "platform/platform.h"

WindowBackend& AfxGetWindowBackend() {
    WindowBackend* backend = ThePlatform().windows.get();
    if (!backend) PlatformServiceMissing("window backend");
    return *backend;
}

void AfxSetWindowBackend(std::unique_ptr<WindowBackend> backend) {
    ThePlatform().windows = std::move(backend);
}

int GetSystemMetrics(int index) { return AfxGetWindowBackend().GetSystemMetrics(index); }
BOOL IsWindow(HWND hwnd) { return hwnd && AfxGetWindowBackend().IsWindow(hwnd); }
BOOL GetClientRect(HWND hwnd, RECT* rect) { return AfxGetWindowBackend().GetClientRect(hwnd, rect); }
HWND GetDesktopWindow() { return AfxGetWindowBackend().GetDesktopWindow(); }
