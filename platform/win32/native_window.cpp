#include "platform/win32/native.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

namespace w32 {
namespace {

MessageHook g_hook = nullptr;
// Windows whose destruction the framework already handled; touched only by the UI thread.
std::set<HWND> g_quiet;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    intptr_t result = 0;
    if (g_hook && !g_quiet.count(hwnd) && g_hook(hwnd, message, wParam, lParam, &result)) return result;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

// One system class per set of attributes, as the framework's class registration names them.
const wchar_t* ClassFor(const ClassSpec& cls) {
    static std::map<std::tuple<unsigned, unsigned, unsigned, bool>, std::wstring> classes;
    auto key = std::make_tuple(cls.style, cls.cursorId, cls.iconId, cls.blackBackground);
    auto it = classes.find(key);
    if (it != classes.end()) return it->second.c_str();
    wchar_t name[64];
    std::swprintf(name, 64, L"Quorvel:%x:%u:%u:%d", cls.style, cls.cursorId, cls.iconId,
                  cls.blackBackground ? 1 : 0);
    WNDCLASSW wc{};
    wc.style = cls.style;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = Instance();
    wc.hCursor = cls.cursorId ? LoadCursorW(Instance(), MAKEINTRESOURCEW(cls.cursorId)) : nullptr;
    wc.hIcon = cls.iconId ? LoadIconW(Instance(), MAKEINTRESOURCEW(cls.iconId)) : nullptr;
    wc.hbrBackground = cls.blackBackground ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : nullptr;
    wc.lpszClassName = name;
    if (!RegisterClassW(&wc)) return nullptr;
    return classes.emplace(key, name).first->second.c_str();
}

} // namespace

void SetMessageHook(MessageHook hook) { g_hook = hook; }

void* MakeWindow(const ClassSpec& cls, const std::string& title, uint32_t style, uint32_t exStyle,
                   int x, int y, int width, int height, void* parent) {
    const wchar_t* className = ClassFor(cls);
    if (!className) return nullptr;
    return CreateWindowExW(exStyle, className, Widen(title).c_str(), style, x, y, width, height,
                           static_cast<HWND>(parent), nullptr, Instance(), nullptr);
}

void DestroyWindowQuietly(void* hwnd) {
    HWND h = static_cast<HWND>(hwnd);
    g_quiet.insert(h);
    DestroyWindow(h);
    g_quiet.erase(h);
}

bool IsQuietlyDestroying(void* hwnd) { return g_quiet.count(static_cast<HWND>(hwnd)) != 0; }

bool IsWindow(void* hwnd) { return ::IsWindow(static_cast<HWND>(hwnd)) != FALSE; }

bool GetClientRect(void* hwnd, int* width, int* height) {
    RECT rc;
    if (!::GetClientRect(static_cast<HWND>(hwnd), &rc)) return false;
    *width = rc.right - rc.left;
    *height = rc.bottom - rc.top;
    return true;
}

int GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

intptr_t DefaultProc(void* hwnd, unsigned message, uintptr_t wParam, intptr_t lParam) {
    return DefWindowProcW(static_cast<HWND>(hwnd), message, wParam, lParam);
}

void EraseWithClassBrush(void* hwnd) {
    HWND h = static_cast<HWND>(hwnd);
    auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(h, GCLP_HBRBACKGROUND));
    RECT rc;
    if (!brush || !::GetClientRect(h, &rc)) return;
    if (HDC dc = GetDC(h)) {
        FillRect(dc, &rc, brush);
        ReleaseDC(h, dc);
    }
}

void SetCursorResource(unsigned cursorId) {
    ::SetCursor(cursorId ? LoadCursorW(Instance(), MAKEINTRESOURCEW(cursorId)) : nullptr);
}

bool StretchPaletteBitmap(void* hwnd, int dx, int dy, int dw, int dh, const uint8_t* pixels,
                          const uint32_t* palette, int paletteSize, int width, int height, int sx,
                          int sy, int sw, int sh) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = height; // bottom-up: source rectangles count from the last row
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = static_cast<DWORD>(paletteSize > 256 ? 256 : paletteSize);
    for (DWORD i = 0; i < info.header.biClrUsed; ++i) {
        info.colours[i].rgbRed = static_cast<BYTE>(palette[i] >> 16);
        info.colours[i].rgbGreen = static_cast<BYTE>(palette[i] >> 8);
        info.colours[i].rgbBlue = static_cast<BYTE>(palette[i]);
    }
    // DIB rows are padded to four bytes and stored bottom-up.
    const int stride = (width + 3) & ~3;
    std::vector<uint8_t> rows(static_cast<size_t>(stride) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        std::copy(pixels + static_cast<size_t>(y) * width, pixels + static_cast<size_t>(y + 1) * width,
                  rows.begin() + static_cast<ptrdiff_t>(height - 1 - y) * stride);
    HWND h = static_cast<HWND>(hwnd);
    HDC dc = GetDC(h);
    if (!dc) return false;
    int lines = StretchDIBits(dc, dx, dy, dw, dh, sx, height - (sy + sh), sw, sh, rows.data(),
                              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
    ReleaseDC(h, dc);
    return lines != 0 && lines != static_cast<int>(GDI_ERROR);
}

bool SetPixels(void* hwnd, int x, int y, int width, int height, const uint32_t* rows, int stride) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = stride;
    info.bmiHeader.biHeight = -height; // top-down: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HWND h = static_cast<HWND>(hwnd);
    HDC dc = GetDC(h);
    if (!dc) return false;
    int lines = SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), x, 0, 0,
                                  static_cast<UINT>(height), rows, &info, DIB_RGB_COLORS);
    ReleaseDC(h, dc);
    return lines > 0;
}

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& utf16) {
    if (utf16.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

} // namespace w32
