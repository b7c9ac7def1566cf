#include "platform/keys/key_messages.h"

#include <xkbcommon/xkbcommon-keysyms.h>

UINT VirtualKeyFromKeysym(uint32_t sym) {
    if (sym >= XKB_KEY_a && sym <= XKB_KEY_z) return static_cast<UINT>('A' + (sym - XKB_KEY_a));
    if (sym >= XKB_KEY_A && sym <= XKB_KEY_Z) return static_cast<UINT>('A' + (sym - XKB_KEY_A));
    if (sym >= XKB_KEY_0 && sym <= XKB_KEY_9) return static_cast<UINT>('0' + (sym - XKB_KEY_0));
    if (sym >= XKB_KEY_F1 && sym <= XKB_KEY_F24) return static_cast<UINT>(0x70 + (sym - XKB_KEY_F1));
    if (sym >= XKB_KEY_KP_0 && sym <= XKB_KEY_KP_9) return static_cast<UINT>(0x60 + (sym - XKB_KEY_KP_0));
    switch (sym) {
    case XKB_KEY_BackSpace: return 0x08;
    case XKB_KEY_Tab: return 0x09;
    case XKB_KEY_Return:
    case XKB_KEY_KP_Enter: return 0x0D;
    case XKB_KEY_Shift_L:
    case XKB_KEY_Shift_R: return 0x10;
    case XKB_KEY_Control_L:
    case XKB_KEY_Control_R: return 0x11;
    case XKB_KEY_Alt_L:
    case XKB_KEY_Alt_R:
    case XKB_KEY_Meta_L:
    case XKB_KEY_Meta_R: return VK_MENU;
    case XKB_KEY_Pause: return 0x13;
    case XKB_KEY_Caps_Lock: return 0x14;
    case XKB_KEY_Escape: return 0x1B;
    case XKB_KEY_space: return 0x20;
    case XKB_KEY_Prior: return 0x21;
    case XKB_KEY_Next: return 0x22;
    case XKB_KEY_End: return 0x23;
    case XKB_KEY_Home: return 0x24;
    case XKB_KEY_Left: return 0x25;
    case XKB_KEY_Up: return 0x26;
    case XKB_KEY_Right: return 0x27;
    case XKB_KEY_Down: return 0x28;
    case XKB_KEY_Insert: return 0x2D;
    case XKB_KEY_Delete: return 0x2E;
    case XKB_KEY_Super_L: return 0x5B;
    case XKB_KEY_Super_R: return 0x5C;
    default: return 0;
    }
}

MSG KeyMessage(HWND hwnd, UINT virtualKey, uint32_t scanCode, bool pressed, bool altHeld) {
    const bool alt = altHeld || virtualKey == VK_MENU;
    const UINT msg = pressed ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM l = 1 | (static_cast<LPARAM>(scanCode & 0xFF) << 16) | (alt ? (1L << 29) : 0);
    if (!pressed) l |= (1L << 30) | (1L << 31);
    return {hwnd, msg, virtualKey, l};
}
