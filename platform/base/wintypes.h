// Base types and constants of the Windows API that the system is written against.
#pragma once

#include <cstdint>

using BOOL = int32_t;
using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using LONG = int32_t;
using ULONG = uint32_t;
using HRESULT = int32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT_PTR = uintptr_t;
using LPCSTR = const char*;
using LPSTR = char*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr HRESULT S_OK = 0;

// A window handle. The window backend that made the window gives it its meaning;
// the system only compares handles and passes them on.
struct HWND__;
using HWND = HWND__*;
// A device context for painting; opaque to the system.
struct HDC__;
using HDC = HDC__*;

struct RECT {
    LONG left, top, right, bottom;
};

struct POINT {
    LONG x, y;
};

struct SIZE {
    LONG cx, cy;
};

inline WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline LPARAM MAKELPARAM(WORD lo, WORD hi) {
    return static_cast<LPARAM>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
inline short GET_X_LPARAM(LPARAM l) { return static_cast<short>(LOWORD(static_cast<uintptr_t>(l))); }
inline short GET_Y_LPARAM(LPARAM l) { return static_cast<short>(HIWORD(static_cast<uintptr_t>(l))); }
