// CWnd over real windows: each framework window is a system window whose window procedure
// runs the message maps, so the system's own messages (activation, system commands, the
// pointer) reach the handlers as they are.
#pragma once

#include "platform/afx/window_backend.h"

class Win32WindowBackend : public WindowBackend {
public:
    Win32WindowBackend();
    ~Win32WindowBackend() override;

    HWND Create(const WindowCreateParams& params) override;
    void Destroy(HWND hwnd) override;
    BOOL IsWindow(HWND hwnd) override;
    BOOL GetClientRect(HWND hwnd, RECT* rect) override;
    void EraseBackground(HWND hwnd) override;
    void SetCursor(HWND hwnd, HCURSOR cursor) override;
    int GetSystemMetrics(int index) override;
    WindowSurface GetSurface(HWND hwnd) override;
    BOOL StretchBitmap(HWND hwnd, RECT dest, const AfxBitmapResource& bitmap, RECT source) override;
    LRESULT DefaultProcessing(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
};
