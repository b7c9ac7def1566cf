#include "platform/null/null_window_backend.h"

#include "platform/afx/messages.h"
#include "platform/afx/stretch.h"

#include <algorithm>

NullWindowBackend::NullWindowBackend(int screenWidth, int screenHeight)
    : m_screenWidth(screenWidth), m_screenHeight(screenHeight) {}

HWND NullWindowBackend::Create(const WindowCreateParams& params) {
    if (params.parent && !IsWindow(params.parent)) return nullptr;
    if (params.width < 0 || params.height < 0) return nullptr;
    HWND hwnd = reinterpret_cast<HWND>(m_nextId++);
    HCURSOR cursor = params.windowClass ? params.windowClass->cursor : nullptr;
    m_windows[hwnd] = {params.parent, params.style, params.width, params.height, cursor,
                       std::vector<uint32_t>(static_cast<size_t>(params.width) * params.height, 0)};
    return hwnd;
}

void NullWindowBackend::Destroy(HWND hwnd) { m_windows.erase(hwnd); }

BOOL NullWindowBackend::IsWindow(HWND hwnd) { return m_windows.count(hwnd) ? TRUE : FALSE; }

BOOL NullWindowBackend::GetClientRect(HWND hwnd, RECT* rect) {
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end() || !rect) return FALSE;
    *rect = {0, 0, it->second.width, it->second.height};
    return TRUE;
}

void NullWindowBackend::EraseBackground(HWND hwnd) {
    auto it = m_windows.find(hwnd);
    if (it != m_windows.end()) std::fill(it->second.pixels.begin(), it->second.pixels.end(), 0u);
}

BOOL NullWindowBackend::StretchBitmap(HWND hwnd, RECT dest, const AfxBitmapResource& bitmap,
                                      RECT source) {
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end()) return FALSE;
    Window& w = it->second;
    StretchPaletteBitmap(bitmap, source, dest, w.pixels.data(), w.width, w.height);
    return TRUE;
}

const std::vector<uint32_t>* NullWindowBackend::GetPixels(HWND hwnd) const {
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : &it->second.pixels;
}

void NullWindowBackend::SetCursor(HWND hwnd, HCURSOR cursor) {
    auto it = m_windows.find(hwnd);
    if (it != m_windows.end()) it->second.cursor = cursor;
}

int NullWindowBackend::GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return m_screenWidth;
    case SM_CYSCREEN: return m_screenHeight;
    default: return 0;
    }
}

WindowSurface NullWindowBackend::GetSurface(HWND hwnd) {
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end()) return {};
    WindowSurface s;
    s.kind = WindowSurface::Kind::Memory;
    s.width = it->second.width;
    s.height = it->second.height;
    return s;
}

HWND NullWindowBackend::CreateForeignWindow(int width, int height) {
    WindowCreateParams p;
    p.width = width;
    p.height = height;
    return Create(p);
}

HWND NullWindowBackend::GetParent(HWND hwnd) const {
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : it->second.parent;
}

DWORD NullWindowBackend::GetStyle(HWND hwnd) const {
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? 0 : it->second.style;
}

HCURSOR NullWindowBackend::GetCursor(HWND hwnd) const {
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : it->second.cursor;
}
