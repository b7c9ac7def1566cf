#include "platform/wayland/connect_wayland.h"

#include "platform/gtk/gtk_dialog_backend.h"
#include "platform/posix/posix_message_pump.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_display_backend.h"
#include "platform/wayland/wayland_gl_backend.h"
#include "platform/wayland/wayland_presenter.h"
#include "platform/wayland/wayland_window_backend.h"

std::optional<Platform> ConnectWayland() {
    std::shared_ptr<WaylandConnection> connection = WaylandConnection::Connect();
    if (!connection) return std::nullopt;
    Platform p;
    auto pump = std::make_shared<PosixMessagePump>();
    p.windows = std::make_shared<WaylandWindowBackend>(connection, *pump);
    p.pump = std::move(pump);
    p.dialogs = CreateGtkDialogBackend("wayland");
    p.display = MakeWaylandDisplayBackend(connection);
    p.presenters = swr::MakeWaylandPresenter;
    p.gl = MakeWaylandGlBackend(connection->Display());
    return p;
}
