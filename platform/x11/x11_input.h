// Window messages for X input events. Pure functions of the event, so they are tested without a
// server.
#pragma once

#include "platform/afx/messages.h"

#include <X11/Xlib.h>

// The mouse-key flags (MK_LBUTTON, MK_RBUTTON, MK_SHIFT, MK_CONTROL, MK_MBUTTON) of an X state.
WPARAM MouseKeyFlags(unsigned int state);
// WM_MOUSEMOVE at the pointer's position in the window.
MSG TranslateMotion(HWND hwnd, const XMotionEvent& e);
// WM_[LMR]BUTTONDOWN/UP for buttons 1, 2 and 3; false for the wheel and extra buttons.
bool TranslateButton(HWND hwnd, const XButtonEvent& e, MSG* msg);
// WM_KEYDOWN/UP, or WM_SYSKEYDOWN/UP while Alt is held or is the key, for a key event whose
// unshifted key symbol is sym; lParam carries the repeat count, scan code and transition bits.
MSG TranslateKey(HWND hwnd, const XKeyEvent& e, KeySym sym);
// Focus changes that mean another client (or nobody) now has the keyboard.
bool IsRealFocusChange(const XFocusChangeEvent& e);
