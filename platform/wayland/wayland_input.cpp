#include "platform/wayland/wayland_input.h"

#include "platform/keys/key_messages.h"

#include <algorithm>
#include <cmath>
#include <linux/input-event-codes.h>

#include "xdg-shell-client-protocol.h"


WPARAM MouseKeyOfButton(uint32_t button) {
    switch (button) {
    case BTN_LEFT: return MK_LBUTTON;
    case BTN_RIGHT: return MK_RBUTTON;
    case BTN_MIDDLE: return MK_MBUTTON;
    default: return 0;
    }
}

WPARAM WaylandMouseKeyFlags(WPARAM buttonsHeld, bool shift, bool control) {
    return (buttonsHeld & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) | (shift ? MK_SHIFT : 0) | (control ? MK_CONTROL : 0);
}

MSG TranslateWaylandMotion(HWND hwnd, int32_t fixedX, int32_t fixedY, int scale, WPARAM flags) {
    const int x = static_cast<int>(std::floor(fixedX / 256.0 * scale));
    const int y = static_cast<int>(std::floor(fixedY / 256.0 * scale));
    return {hwnd, WM_MOUSEMOVE, flags, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y))};
}

bool TranslateWaylandButton(HWND hwnd, uint32_t button, bool pressed, WPARAM flags, LPARAM point, MSG* msg) {
    UINT message;
    switch (button) {
    case BTN_LEFT: message = pressed ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
    case BTN_MIDDLE: message = pressed ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
    case BTN_RIGHT: message = pressed ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
    default: return false;
    }
    *msg = {hwnd, message, flags, point};
    return true;
}

MSG TranslateWaylandKey(HWND hwnd, uint32_t key, uint32_t sym, bool pressed, bool altHeld) {
    // Linux input codes of the main block are the PC scan codes.
    return KeyMessage(hwnd, VirtualKeyFromKeysym(sym), key, pressed, altHeld);
}

bool IsActivatedState(const std::vector<uint32_t>& states) {
    return std::find(states.begin(), states.end(), XDG_TOPLEVEL_STATE_ACTIVATED) != states.end();
}
