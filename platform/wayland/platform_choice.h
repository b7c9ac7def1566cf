// Which window system the program runs on: Wayland in a Wayland session, X11 for the arguments
// that name X windows (a screen-saver host's, the preview's host) and everywhere else.
#pragma once

#include <functional>

enum class SessionPlatform { X11, Wayland };

struct PlatformChoice {
    SessionPlatform platform = SessionPlatform::X11;
    bool forced = false; // by QUORVEL_PLATFORM
};

// env looks up an environment variable (null when unset): QUORVEL_PLATFORM=x11|wayland decides
// alone; otherwise -root, --window-id (every spelling) or the switch p keep X11, and
// WAYLAND_DISPLAY or XDG_SESSION_TYPE=wayland choose Wayland.
PlatformChoice ChoosePlatform(int argc, const char* const* argv, const std::function<const char*(const char*)>& env);
