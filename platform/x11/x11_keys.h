// Virtual-key codes for X key symbols.
#pragma once

#include "platform/base/wintypes.h"

#include <X11/Xlib.h>

constexpr UINT VK_MENU = 0x12;

// The virtual-key code of a key symbol; 0 for keys without one.
UINT VirtualKeyFromKeySym(KeySym sym);
