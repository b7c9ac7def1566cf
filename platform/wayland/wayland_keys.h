// Virtual-key codes for XKB key symbols.
#pragma once

#include "platform/base/wintypes.h"

#include <cstdint>

// The virtual-key code of a key symbol; 0 for keys without one.
UINT VirtualKeyFromXkbKeysym(uint32_t sym);
