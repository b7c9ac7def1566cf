// Display settings on Windows: the system's own EnumDisplaySettingsW and ChangeDisplaySettingsW.
#pragma once

#include "platform/display/display_backend.h"

std::unique_ptr<DisplayBackend> MakeWin32DisplayBackend();
