// The program's entry on Linux: takes over the signals, installs the platform of the session
// (platform/x11/connect_session.h), then the framework's entry runs the application object the
// program supplies.
#include "platform/afx/app.h"
#include "platform/posix/close_signals.h"
#include "platform/posix/signal_watch.h"
#include "platform/x11/connect_session.h"

int main(int argc, char** argv) {
    AfxWatchSignals();
    std::optional<Platform> platform = ConnectSessionPlatform(argc, argv);
    if (!platform) return 1;
    InstallPlatform(std::move(*platform));
    AfxInstallCloseSignals();
    const int code = AfxWinMain(argc, argv);
    AfxRemoveCloseSignals();
    return code;
}
