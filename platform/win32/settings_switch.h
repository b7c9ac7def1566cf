// The Windows settings page starts a saver's configuration as "/c:<HWND>", the handle of the
// window that owns the dialog.
#pragma once

#include "platform/base/wintypes.h"

// TRUE when `arg` is that form (an optional '-' or '/', c or C, ':', decimal digits); *owner
// receives the handle.
BOOL ParseSettingsSwitch(const char* arg, HWND* owner);
