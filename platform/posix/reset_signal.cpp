#include "platform/posix/reset_signal.h"

#include "platform/afx/app.h"
#include "platform/afx/msgqueue.h"
#include "platform/afx/wnd.h"
#include "platform/posix/posix_message_pump.h"
#include "platform/posix/signal_pipes.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};
UINT g_message = 0;
bool g_installed = false;
// The write end as the handler and the signal watcher see it (as for the close signals).
volatile sig_atomic_t g_signalFd = -1;

void OnSignal(int) { NoteResetSignal(); }

class ResetSignalSource : public EventSource {
public:
    int Fd() const override { return g_pipe[0]; }
    void Pump() override {
        unsigned char buf[16];
        bool pending = false;
        while (read(g_pipe[0], buf, sizeof buf) > 0) pending = true;
        CWinApp* app = AfxGetApp();
        // Signals that arrive together ask for one reset.
        if (pending && app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->PostMessage(g_message);
    }
};

ResetSignalSource g_source;

} // namespace

void OpenResetSignalPipe() {
    if (g_pipe[0] >= 0 || pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    g_signalFd = g_pipe[1];
}

void NoteResetSignal() {
    int saved = errno;
    unsigned char byte = 1;
    int fd = g_signalFd;
    if (fd >= 0 && write(fd, &byte, 1) < 0) {
        // A full pipe already holds a pending reset request.
    }
    errno = saved;
}

void AfxInstallResetSignal(UINT message) {
    g_message = message;
    OpenResetSignalPipe();
    if (g_installed || g_pipe[0] < 0) return;
    g_installed = true;
    struct sigaction sa = {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &sa, nullptr);
    ThePosixMessagePump().Add(&g_source);
}
