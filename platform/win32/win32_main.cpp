// The program's entry on Windows: windows, timers and messages are the system's own, frames are
// shown with GDI, dialogs come from the system's dialog manager.
#include "platform/afx/app.h"
#include "platform/win32/connect_win32.h"
#include "platform/win32/native.h"
#include "platform/win32/settings_switch.h"

#include <vector>

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    args.push_back(nullptr);
    // "/c:<HWND>" is the configuration switch with an owner: compared whole it would select
    // nothing, and the settings page's button would silently do nothing.
    char configSwitch[] = "/c";
    HWND owner = nullptr;
    if (argc > 1 && ParseSettingsSwitch(argv[1], &owner)) args[1] = configSwitch;
    // A handle that names no window would make the dialog fail to open: it goes unowned instead.
    if (owner && !w32::IsWindow(owner)) owner = nullptr;
    InstallPlatform(ConnectWin32(owner));
    return AfxWinMain(argc, args.data());
}
