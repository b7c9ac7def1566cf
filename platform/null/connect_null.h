// The platform of tests and headless tools: windows in memory, no dialogs, no window presenter
// (devices on memory windows present into memory), and the POSIX wait. Nothing reaches a server.
#pragma once

#include "platform/platform.h"

// A 1920 × 1080 screen without a display behind it: no modes, depth 0, switches refused.
Platform ConnectNull();
// A screen of this size with one fixed display mode of it at 32 bits per pixel.
Platform ConnectNull(int screenWidth, int screenHeight);
