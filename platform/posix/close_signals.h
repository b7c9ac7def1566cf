// SIGTERM, SIGINT and SIGHUP end the program through its normal shut-down: the main window gets
// WM_CLOSE (or, without one, the loop gets the quit message), through a self-pipe.
#pragma once

void AfxInstallCloseSignals();
void AfxRemoveCloseSignals();
// Readable once a close signal arrived; for modal loops that do not run the framework's queue.
int AfxCloseSignalFd();
// Reads the pending signals and delivers the close request. TRUE when one was pending.
bool AfxHandleCloseSignals();
