// The program's entry on X11: takes over the signals, installs the X11 platform, then the
// framework's entry runs the application object the program supplies.
#include "platform/afx/app.h"
#include "platform/posix/close_signals.h"
#include "platform/posix/signal_watch.h"
#include "platform/x11/connect_x11.h"

int main(int argc, char** argv) {
    AfxWatchSignals();
    InstallPlatform(ConnectX11());
    AfxInstallCloseSignals();
    const int code = AfxWinMain(argc, argv);
    AfxRemoveCloseSignals();
    return code;
}
