#include "platform/win32/win32_window_backend.h"

#include "platform/afx/wnd.h"
#include "platform/win32/native.h"

namespace {

constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;

UINT ResourceId(const void* image) {
    return image ? static_cast<const AfxImageResource*>(image)->id : 0;
}

// Every message of our windows passes here from the system's window procedure.
bool RouteToFramework(void* native, unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t* result) {
    HWND hwnd = static_cast<HWND>(native);
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd) return false; // still being created, or already detached: the system's defaults
    if (message == WM_DESTROY) {
        // Destroyed by the system (the host of a preview went away): the framework's own steps.
        AfxOnNativeWindowDestroyed(hwnd);
        *result = 0;
        return true;
    }
    *result = wnd->SendMessage(message, wParam, lParam);
    if (message == WM_SETCURSOR) w32::SetCursorResource(ResourceId(::GetCursor()));
    return true;
}

} // namespace

Win32WindowBackend::Win32WindowBackend() { w32::SetMessageHook(RouteToFramework); }

Win32WindowBackend::~Win32WindowBackend() { w32::SetMessageHook(nullptr); }

HWND Win32WindowBackend::Create(const WindowCreateParams& params) {
    w32::ClassSpec cls;
    if (params.windowClass) {
        cls.style = params.windowClass->style;
        cls.cursorId = ResourceId(params.windowClass->cursor);
        cls.iconId = ResourceId(params.windowClass->icon);
        cls.blackBackground = params.windowClass->background == GetStockObject(BLACK_BRUSH);
    }
    DWORD exStyle = params.exStyle;
    // A full-screen pop-up of its own stays on top and out of the taskbar.
    if (!params.parent && (params.style & WS_POPUP)) exStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    return static_cast<HWND>(w32::MakeWindow(cls, params.title ? params.title : "", params.style, exStyle,
                                             params.x, params.y, params.width, params.height, params.parent));
}

void Win32WindowBackend::Destroy(HWND hwnd) { w32::DestroyWindowQuietly(hwnd); }

BOOL Win32WindowBackend::IsWindow(HWND hwnd) { return w32::IsWindow(hwnd) ? TRUE : FALSE; }

BOOL Win32WindowBackend::GetClientRect(HWND hwnd, RECT* rect) {
    int width = 0, height = 0;
    if (!w32::GetClientRect(hwnd, &width, &height)) return FALSE;
    *rect = {0, 0, width, height};
    return TRUE;
}

void Win32WindowBackend::EraseBackground(HWND hwnd) { w32::EraseWithClassBrush(hwnd); }

void Win32WindowBackend::SetCursor(HWND, HCURSOR cursor) { w32::SetCursorResource(ResourceId(cursor)); }

int Win32WindowBackend::GetSystemMetrics(int index) { return w32::GetSystemMetrics(index); }

WindowSurface Win32WindowBackend::GetSurface(HWND hwnd) {
    WindowSurface surface;
    int width = 0, height = 0;
    if (!w32::GetClientRect(hwnd, &width, &height)) return surface;
    surface.kind = WindowSurface::Kind::Win32;
    surface.hwnd = hwnd;
    surface.width = width;
    surface.height = height;
    return surface;
}

BOOL Win32WindowBackend::StretchBitmap(HWND hwnd, RECT dest, const AfxBitmapResource& bitmap, RECT source) {
    return w32::StretchPaletteBitmap(hwnd, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top,
                                     bitmap.pixels, bitmap.palette, bitmap.paletteSize, bitmap.width,
                                     bitmap.height, source.left, source.top, source.right - source.left,
                                     source.bottom - source.top)
               ? TRUE
               : FALSE;
}

LRESULT Win32WindowBackend::DefaultProcessing(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return w32::DefaultProc(hwnd, message, wParam, lParam);
}
