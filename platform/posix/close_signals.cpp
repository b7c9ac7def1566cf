#include "platform/posix/close_signals.h"

#include "platform/afx/app.h"
#include "platform/afx/wnd.h"
#include "platform/posix/posix_message_pump.h"
#include "platform/posix/signal_pipe.h"
#include "platform/profile/profile_section.h"

#include <csignal>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
bool g_installed = false;

void OnSignal(int signo) { CloseSignalPipe().Note(static_cast<unsigned char>(signo)); }

// A close request not yet delivered: the program is ending, so a long read need not finish.
bool ClosePending() { return CloseSignalPipe().Pending(); }

class CloseSignalSource : public EventSource {
public:
    int Fd() const override { return CloseSignalPipe().ReadFd(); }
    void Pump() override { AfxHandleCloseSignals(); }
};

CloseSignalSource g_source;

} // namespace

void AfxInstallCloseSignals() {
    if (g_installed || !CloseSignalPipe().Open()) return;
    g_installed = true;
    struct sigaction sa = {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : kSignals) sigaction(s, &sa, nullptr);
    ThePosixMessagePump().Add(&g_source);
    SetProfileReadStop(ClosePending);
}

void AfxRemoveCloseSignals() {
    if (!g_installed) return;
    g_installed = false;
    SetProfileReadStop(nullptr);
    for (int s : kSignals) signal(s, SIG_DFL);
    ThePosixMessagePump().Remove(&g_source);
    // The pipe stays: the signal watcher may still write to it. What it holds is no one's now.
    CloseSignalPipe().Drain();
}

int AfxCloseSignalFd() { return CloseSignalPipe().ReadFd(); }

bool AfxHandleCloseSignals() {
    if (!CloseSignalPipe().Drain()) return false;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
        app->m_pMainWnd->PostMessage(WM_CLOSE);
    else
        PostQuitMessage(0);
    return true;
}
