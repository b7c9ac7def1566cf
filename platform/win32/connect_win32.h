// The Win32 platform: the system's own windows, dialog manager, display settings, and frames
// shown with GDI. The message queue is the system's too: win32_msgqueue.cpp is linked in place of
// afx/msgqueue.cpp, so the record holds no pump.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/platform.h"

// `dialogOwner` owns the dialogs that have no dialog above them (the window passed with the
// configuration switch), or null.
Platform ConnectWin32(HWND dialogOwner);
