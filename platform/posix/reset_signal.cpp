#include "platform/posix/reset_signal.h"

#include "platform/afx/app.h"
#include "platform/afx/msgqueue.h"
#include "platform/afx/wnd.h"
#include "platform/posix/posix_message_pump.h"
#include "platform/posix/signal_pipe.h"

#include <csignal>

namespace {

UINT g_message = 0;
bool g_installed = false;

void OnSignal(int) { ResetSignalPipe().Note(1); }

class ResetSignalSource : public EventSource {
public:
    int Fd() const override { return ResetSignalPipe().ReadFd(); }
    void Pump() override {
        CWinApp* app = AfxGetApp();
        // Signals that arrive together ask for one reset.
        if (ResetSignalPipe().Drain() && app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->PostMessage(g_message);
    }
};

ResetSignalSource g_source;

} // namespace

void AfxInstallResetSignal(UINT message) {
    g_message = message;
    if (g_installed || !ResetSignalPipe().Open()) return;
    g_installed = true;
    struct sigaction sa = {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &sa, nullptr);
    ThePosixMessagePump().Add(&g_source);
}
