#include "platform/x11/connect_x11.h"

#include "platform/gtk/gtk_dialog_backend.h"
#include "platform/posix/posix_message_pump.h"
#include "platform/x11/x11_error_trap.h"
#include "platform/x11/x11_gl_backend.h"
#include "platform/x11/x11_presenter.h"
#include "platform/x11/x11_window_backend.h"
#include "platform/x11/xrandr_display_backend.h"

Platform ConnectX11() {
    // Installed here, on the main thread, before any connection exists: the render thread's
    // connection reports into the same handler.
    X11InstallErrorHandlers();
    Platform p;
    p.pump = std::make_shared<PosixMessagePump>();
    p.windows = std::make_shared<X11WindowBackend>();
    p.dialogs = CreateGtkDialogBackend("x11");
    p.display = MakeXRandRDisplayBackend();
    p.presenters = swr::MakeX11Presenter;
    p.gl = MakeX11GlBackend();
    return p;
}
