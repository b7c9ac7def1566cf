// Finding and switching the display mode, shared by the start-up and the configuration dialog.
#pragma once

#include "platform/display/display.h"

// Searches the platform's mode list for the current size and depth; the record receives the
// entry on which the search stopped. TRUE when the current mode was found.
BOOL FindCurrentDisplayMode(DEVMODE* mode);
// Switches to the mode for this run only; a 24-bit request the platform refuses is tried once
// more at 16 bits. A null mode returns to the mode stored in the system.
BOOL ChangeDisplayMode(DEVMODE* mode);
