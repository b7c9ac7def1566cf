// Windows that live in memory: no server, no input. Tests and headless tools drive them by
// sending messages directly.
#pragma once

#include "platform/afx/window_backend.h"

#include <map>

class NullWindowBackend : public WindowBackend {
public:
    NullWindowBackend(int screenWidth = 1920, int screenHeight = 1080);

    HWND Create(const WindowCreateParams& params) override;
    void Destroy(HWND hwnd) override;
    BOOL IsWindow(HWND hwnd) override;
    BOOL GetClientRect(HWND hwnd, RECT* rect) override;
    void EraseBackground(HWND hwnd) override;
    void SetCursor(HWND hwnd, HCURSOR cursor) override;
    int GetSystemMetrics(int index) override;
    WindowSurface GetSurface(HWND hwnd) override;

    // A window that no CWnd owns, standing in for a host window of another program.
    HWND CreateForeignWindow(int width, int height);
    HWND GetParent(HWND hwnd) const;
    DWORD GetStyle(HWND hwnd) const;
    HCURSOR GetCursor(HWND hwnd) const;

private:
    struct Window {
        HWND parent;
        DWORD style;
        int width, height;
        HCURSOR cursor;
    };
    int m_screenWidth, m_screenHeight;
    uintptr_t m_nextId = 0x1000;
    std::map<HWND, Window> m_windows;
};
