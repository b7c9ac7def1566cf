// Window messages for Wayland seat events. Pure functions of what the events carry, so they are
// tested without a compositor.
#pragma once

#include "platform/afx/messages.h"

#include <cstdint>
#include <vector>

// The MK_LBUTTON, MK_RBUTTON or MK_MBUTTON bit of a pointer button (a Linux input code such as
// BTN_LEFT); 0 for the others.
WPARAM MouseKeyOfButton(uint32_t button);
// The mouse-key flags of the buttons held (MK_ bits) and the modifiers.
WPARAM WaylandMouseKeyFlags(WPARAM buttonsHeld, bool shift, bool control);
// WM_MOUSEMOVE at a surface position (24.8 fixed point, surface coordinates) in the window's
// pixels: surface coordinates times the buffer scale.
MSG TranslateWaylandMotion(HWND hwnd, int32_t fixedX, int32_t fixedY, int scale, WPARAM flags);
// WM_[LMR]BUTTONDOWN/UP for the left, middle and right buttons at the last pointer position;
// false for the others (extra buttons; the wheel comes as axis events, never as buttons). flags
// are those after the change, as the message reports them.
bool TranslateWaylandButton(HWND hwnd, uint32_t button, bool pressed, WPARAM flags, LPARAM point, MSG* msg);
// WM_KEYDOWN/UP, or WM_SYSKEYDOWN/UP while Alt is held or is the key, for the key with the Linux
// input code key whose unshifted key symbol is sym; lParam carries the repeat count, scan code
// and transition bits.
MSG TranslateWaylandKey(HWND hwnd, uint32_t key, uint32_t sym, bool pressed, bool altHeld);
// Whether the states of an xdg_toplevel configure include "activated".
bool IsActivatedState(const std::vector<uint32_t>& states);
