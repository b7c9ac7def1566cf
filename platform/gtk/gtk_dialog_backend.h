// The GTK 3 dialog toolkit for CDialog and the message box.
#pragma once

#include "platform/afx/dialog_host.h"

#include <memory>

// The toolkit starts when the first dialog or message box needs it; without a display every
// dialog fails to open. gdkBackend names the window system GTK is to use ("x11", "wayland"):
// the platform's.
std::unique_ptr<DialogBackend> CreateGtkDialogBackend(const char* gdkBackend);
