// SIGUSR1, by which some screen-saver hosts ask for a cheap reset: the main window gets the
// message chosen here, through a self-pipe, on the UI thread, for the rest of the process.
#pragma once

#include "platform/base/wintypes.h"

void AfxInstallResetSignal(UINT message);
