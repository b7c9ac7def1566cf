// Keys as the Linux window systems report them, into the framework's key messages. X11 and XKB
// key symbols have the same values, so one table serves X11 and Wayland.
#pragma once

#include "platform/afx/messages.h"

#include <cstdint>

constexpr UINT VK_MENU = 0x12;

// Mouse-key flags of pointer messages.
constexpr WPARAM MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004, MK_CONTROL = 0x0008, MK_MBUTTON = 0x0010;

// The virtual-key code of a key symbol; 0 for keys without one.
UINT VirtualKeyFromKeysym(uint32_t keysym);
// WM_KEYDOWN/UP, or WM_SYSKEYDOWN/UP while Alt is held or is the key; lParam carries the repeat
// count, the scan code (its low byte) and the transition bits.
MSG KeyMessage(HWND hwnd, UINT virtualKey, uint32_t scanCode, bool pressed, bool altHeld);
