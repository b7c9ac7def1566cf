// Start-up of the hosted mode: the host's window is checked, then the saver runs inside it.
#include "platform/posix/reset_signal.h"
#include "shell/app.h"
#include "shell/host_args.h"
#include "shell/host_options.h"
#include "shell/hosted_wnd.h"

#include <cstdio>
#include <string>

namespace {

std::string Hex(HWND hwnd) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hwnd)));
    return text;
}

} // namespace

BOOL CMyMirlowApp::StartHosted(const HostArgs& args) {
    // Before anything can take long: SIGUSR1's default action would end the program.
    AfxInstallResetSignal(WM_HOSTRESET);
    auto refuse = [this](const std::string& why) {
        std::fprintf(stderr, "quorvel: %s\n", why.c_str());
        m_msgCur.wParam = 1; // the exit code ExitInstance returns
        return FALSE;
    };
    // The host's panel settings, for this run only: nothing here writes the profile.
    std::string badOption;
    if (!ApplyHostOptions(__argc, __argv, m_settings, &badOption)) return refuse(badOption);
    WindowBackend& windows = AfxGetWindowBackend();
    HWND host = nullptr;
    std::string name;
    if (args.kind == HostArgs::Kind::Desktop) {
        host = ::GetDesktopWindow();
        if (!host) {
            const std::string why = windows.WhyNotDrawable(nullptr);
            return refuse("no desktop to draw on" + (why.empty() ? "" : ": " + why));
        }
        name = Hex(host);
    } else {
        name = args.idText;
        host = reinterpret_cast<HWND>(static_cast<uintptr_t>(args.window));
        if (args.kind == HostArgs::Kind::Invalid)
            return refuse("bad window id " + QuoteId(name) + ": not a nonzero decimal or 0x hex number");
        if (!::IsWindow(host)) {
            const std::string why = windows.WhyNotDrawable(host);
            return refuse("bad window id " + QuoteId(name) + ": " + (why.empty() ? "no such window" : why));
        }
    }
    const std::string problem = windows.WhyNotDrawable(host);
    if (!problem.empty()) return refuse("cannot draw in window " + name + ": " + problem);

    // No display-mode switch, no pointer hiding, no profile write: the host owns the screen.
    auto hosted = std::make_unique<CHostedWnd>(m_settings.Number, m_settings.Length, m_settings.Speed);
    if (!hosted->CreateHostedWindow(host))
        return refuse("cannot create a window in window " + name);
    m_pMainWnd = hosted.get();
    m_pSaver = std::move(hosted);
    if (!m_pSaver->StartAnimation()) return refuse("cannot start drawing in window " + name);
    return TRUE;
}
