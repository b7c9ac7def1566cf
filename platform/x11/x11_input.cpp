#include "platform/x11/x11_input.h"

#include "platform/x11/x11_keys.h"

namespace {
LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
} // namespace

WPARAM MouseKeyFlags(unsigned int state) {
    WPARAM flags = 0;
    if (state & Button1Mask) flags |= 0x0001;
    if (state & Button3Mask) flags |= 0x0002;
    if (state & ShiftMask) flags |= 0x0004;
    if (state & ControlMask) flags |= 0x0008;
    if (state & Button2Mask) flags |= 0x0010;
    return flags;
}

MSG TranslateMotion(HWND hwnd, const XMotionEvent& e) {
    return {hwnd, WM_MOUSEMOVE, MouseKeyFlags(e.state), Point(e.x, e.y)};
}

bool TranslateButton(HWND hwnd, const XButtonEvent& e, MSG* msg) {
    static constexpr UINT down[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    static constexpr UINT up[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
    const unsigned b = e.button;
    if (b < 1 || b > 3) return false; // the wheel and extra buttons
    *msg = {hwnd, e.type == ButtonPress ? down[b - 1] : up[b - 1], MouseKeyFlags(e.state),
            Point(e.x, e.y)};
    return true;
}

MSG TranslateKey(HWND hwnd, const XKeyEvent& e, KeySym sym) {
    const UINT vk = VirtualKeyFromKeySym(sym);
    const bool alt = (e.state & Mod1Mask) || vk == VK_MENU;
    const bool press = e.type == KeyPress;
    const UINT msg = press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM l = 1 | (static_cast<LPARAM>(e.keycode & 0xFF) << 16) | (alt ? (1L << 29) : 0);
    if (!press) l |= (1L << 30) | (1L << 31);
    return {hwnd, msg, vk, l};
}

bool IsRealFocusChange(const XFocusChangeEvent& e) {
    return (e.mode == NotifyNormal || e.mode == NotifyWhileGrabbed) && e.detail != NotifyInferior &&
           e.detail != NotifyPointer;
}
