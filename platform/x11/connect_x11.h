// The X11 platform: windows on the server named by $DISPLAY (connected when first needed), GTK
// dialogs, XRandR display modes, frames presented on the render thread's own connection, and the
// POSIX wait on the server connection and the close signals.
#pragma once

#include "platform/platform.h"

Platform ConnectX11();
