#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace {
// Never destroyed: static destructors (the application object restoring the display) still
// reach the services.
Platform* g_platform = nullptr;
} // namespace

void InstallPlatform(Platform platform) {
    if (!g_platform)
        g_platform = new Platform(std::move(platform));
    else
        *g_platform = std::move(platform);
}

bool IsPlatformInstalled() { return g_platform != nullptr; }

Platform& ThePlatform() {
    if (!g_platform) PlatformServiceMissing("platform");
    return *g_platform;
}

void PlatformServiceMissing(const char* service) {
    std::fprintf(stderr, "quorvel: no %s: the entry point installs one (ConnectX11, ConnectWin32, ConnectNull)\n", service);
    std::abort();
}
