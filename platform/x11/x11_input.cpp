#include "platform/x11/x11_input.h"

#include "platform/keys/key_messages.h"

namespace {
LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
} // namespace

WPARAM MouseKeyFlags(unsigned int state) {
    WPARAM flags = 0;
    if (state & Button1Mask) flags |= MK_LBUTTON;
    if (state & Button3Mask) flags |= MK_RBUTTON;
    if (state & ShiftMask) flags |= MK_SHIFT;
    if (state & ControlMask) flags |= MK_CONTROL;
    if (state & Button2Mask) flags |= MK_MBUTTON;
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
    return KeyMessage(hwnd, VirtualKeyFromKeysym(static_cast<uint32_t>(sym)), e.keycode, e.type == KeyPress,
                      (e.state & Mod1Mask) != 0);
}

bool IsRealFocusChange(const XFocusChangeEvent& e) {
    return (e.mode == NotifyNormal || e.mode == NotifyWhileGrabbed) && e.detail != NotifyInferior &&
           e.detail != NotifyPointer;
}
