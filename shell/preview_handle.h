// The host window handle given to "p <handle>".
#pragma once

#include "platform/base/wintypes.h"

// The decimal handle, read as atol does (leading blanks, digits up to the first other character),
// or null when there is none or it does not fit a 32-bit window id.
HWND ParsePreviewHandle(LPCSTR text);
