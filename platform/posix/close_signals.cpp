#include "platform/posix/close_signals.h"

#include "platform/afx/app.h"
#include "platform/afx/wnd.h"
#include "platform/posix/posix_message_pump.h"
#include "platform/posix/signal_pipes.h"
#include "platform/profile/profile_section.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int g_pipe[2] = {-1, -1};
bool g_installed = false;
// The write end as the handler and the signal watcher see it: set before either can run,
// cleared before the pipe closes.
volatile sig_atomic_t g_signalFd = -1;

void OnSignal(int signo) { NoteCloseSignal(signo); }

// A close request not yet delivered: the program is ending, so a long read need not finish.
bool ClosePending() {
    pollfd fd{g_pipe[0], POLLIN, 0};
    return g_pipe[0] >= 0 && poll(&fd, 1, 0) > 0;
}

class CloseSignalSource : public EventSource {
public:
    int Fd() const override { return g_pipe[0]; }
    void Pump() override { AfxHandleCloseSignals(); }
};

CloseSignalSource g_source;

} // namespace

void OpenCloseSignalPipe() {
    if (g_pipe[0] >= 0 || pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    g_signalFd = g_pipe[1];
}

void NoteCloseSignal(int signo) {
    int saved = errno;
    unsigned char byte = static_cast<unsigned char>(signo);
    int fd = g_signalFd;
    if (fd >= 0 && write(fd, &byte, 1) < 0) {
        // A full pipe already holds a pending close request.
    }
    errno = saved;
}

void AfxInstallCloseSignals() {
    OpenCloseSignalPipe();
    if (g_installed || g_pipe[0] < 0) return;
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
    g_signalFd = -1;
    ThePosixMessagePump().Remove(&g_source);
    close(g_pipe[0]);
    close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

int AfxCloseSignalFd() { return g_pipe[0]; }

bool AfxHandleCloseSignals() {
    if (g_pipe[0] < 0) return false;
    unsigned char buf[16];
    bool pending = false;
    while (read(g_pipe[0], buf, sizeof buf) > 0) pending = true;
    if (!pending) return false;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
        app->m_pMainWnd->PostMessage(WM_CLOSE);
    else
        PostQuitMessage(0);
    return true;
}
