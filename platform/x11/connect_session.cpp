#include "platform/x11/connect_session.h"

#include "platform/wayland/connect_wayland.h"
#include "platform/wayland/platform_choice.h"
#include "platform/x11/connect_x11.h"

#include <cstdio>
#include <cstdlib>

std::optional<Platform> ConnectSessionPlatform(int argc, const char* const* argv) {
    const PlatformChoice choice = ChoosePlatform(argc, argv, std::getenv);
    if (choice.platform == SessionPlatform::Wayland) {
        if (std::optional<Platform> wayland = ConnectWayland()) return wayland;
        if (choice.forced) {
            std::fprintf(stderr, "quorvel: QUORVEL_PLATFORM=wayland, but no Wayland compositor can be reached\n");
            return std::nullopt;
        }
    }
    return ConnectX11();
}
