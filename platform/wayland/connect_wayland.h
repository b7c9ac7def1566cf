// The Wayland platform: windows and input on the compositor of $WAYLAND_DISPLAY, GTK dialogs on
// GTK's Wayland backend, the outputs' modes (never switched), frames presented through wl_shm,
// and the POSIX wait on the compositor connection and the close signals.
#pragma once

#include "platform/platform.h"

#include <optional>

// Nothing when no compositor can be reached (or it lacks the basic globals).
std::optional<Platform> ConnectWayland();
