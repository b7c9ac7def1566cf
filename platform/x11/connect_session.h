// The platform of the session the program runs in: Wayland where the session and the arguments
// ask for it (platform/wayland/platform_choice.h) and a compositor answers, else X11.
#pragma once

#include "platform/platform.h"

#include <optional>

// Nothing, after one line on stderr, when QUORVEL_PLATFORM=wayland names a compositor that
// cannot be reached.
std::optional<Platform> ConnectSessionPlatform(int argc, const char* const* argv);
