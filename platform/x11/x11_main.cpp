// The program's entry on Linux: takes over the signals, installs the Wayland platform where the
// session and the arguments ask for it (platform/wayland/platform_choice.h), else the X11
// platform; then the framework's entry runs the application object the program supplies.
#include "platform/afx/app.h"
#include "platform/posix/close_signals.h"
#include "platform/posix/signal_watch.h"
#include "platform/wayland/connect_wayland.h"
#include "platform/wayland/platform_choice.h"
#include "platform/x11/connect_x11.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    AfxWatchSignals();
    const PlatformChoice choice = ChoosePlatform(argc, argv, std::getenv);
    std::optional<Platform> wayland;
    if (choice.platform == SessionPlatform::Wayland) wayland = ConnectWayland();
    if (!wayland && choice.platform == SessionPlatform::Wayland && choice.forced) {
        std::fprintf(stderr, "quorvel: QUORVEL_PLATFORM=wayland, but no Wayland compositor can be reached\n");
        return 1;
    }
    InstallPlatform(wayland ? std::move(*wayland) : ConnectX11());
    AfxInstallCloseSignals();
    const int code = AfxWinMain(argc, argv);
    AfxRemoveCloseSignals();
    return code;
}
