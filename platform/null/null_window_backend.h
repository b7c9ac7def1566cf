// Windows that live in memory: no server, no input. Tests and headless tools drive them by
// sending messages directly.
#pragma once

#include "platform/afx/window_backend.h"

#include <map>
#include <vector>

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
    BOOL StretchBitmap(HWND hwnd, RECT dest, const AfxBitmapResource& bitmap, RECT source) override;

    // A window that no CWnd owns, standing in for a host window of another program.
    HWND CreateForeignWindow(int width, int height);
    HWND GetParent(HWND hwnd) const;
    DWORD GetStyle(HWND hwnd) const;
    HCURSOR GetCursor(HWND hwnd) const;
    // The window's pixels as the last paints left them (0x00RRGGBB, black at creation).
    const std::vector<uint32_t>* GetPixels(HWND hwnd) const;

private:
    struct Window {
        HWND parent;
        DWORD style;
        int width, height;
        HCURSOR cursor;
        std::vector<uint32_t> pixels;
    };
    int m_screenWidth, m_screenHeight;
    uintptr_t m_nextId = 0x1000;
    std::map<HWND, Window> m_windows;
};
