#include "platform/wayland/wayland_input.h"

#include "platform/keys/key_messages.h"

#include <algorithm>
#include <cmath>
#include <linux/input-event-codes.h>

namespace {
constexpr WPARAM kLeft = 0x0001, kRight = 0x0002, kShift = 0x0004, kControl = 0x0008, kMiddle = 0x0010;
constexpr uint32_t kActivated = 4; // xdg_toplevel.state.activated
} // namespace

WPARAM MouseKeyOfButton(uint32_t button) {
    switch (button) {
    case BTN_LEFT: return kLeft;
    case BTN_RIGHT: return kRight;
    case BTN_MIDDLE: return kMiddle;
    default: return 0;
    }
}

WPARAM WaylandMouseKeyFlags(WPARAM buttonsHeld, bool shift, bool control) {
    return (buttonsHeld & (kLeft | kRight | kMiddle)) | (shift ? kShift : 0) | (control ? kControl : 0);
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
    return std::find(states.begin(), states.end(), kActivated) != states.end();
}
