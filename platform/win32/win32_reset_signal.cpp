// Windows has no user signals: the reset request of Linux screen-saver hosts never arrives here.
#include "platform/posix/reset_signal.h"

void AfxInstallResetSignal(UINT) {}
