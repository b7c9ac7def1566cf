#include "platform/wayland/platform_choice.h"

#include <cstring>
#include <strings.h>

namespace {

bool NamesXWindow(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "-root") || !std::strcmp(arg, "--root") || !std::strcmp(arg, "-window-id") ||
            !std::strcmp(arg, "--window-id") || !std::strncmp(arg, "--window-id=", 12))
            return true;
    }
    if (argc < 2) return false;
    const char* mode = argv[1];
    if (*mode == '-' || *mode == '/') ++mode;
    return strcasecmp(mode, "p") == 0; // the preview's host is an X window
}

} // namespace

PlatformChoice ChoosePlatform(int argc, const char* const* argv, const std::function<const char*(const char*)>& env) {
    const char* forced = env("QUORVEL_PLATFORM");
    if (forced && !std::strcmp(forced, "x11")) return {SessionPlatform::X11, true};
    if (forced && !std::strcmp(forced, "wayland")) return {SessionPlatform::Wayland, true};
    if (NamesXWindow(argc, argv)) return {};
    const char* display = env("WAYLAND_DISPLAY");
    const char* session = env("XDG_SESSION_TYPE");
    if ((display && *display) || (session && !std::strcmp(session, "wayland"))) return {SessionPlatform::Wayland, false};
    return {};
}
