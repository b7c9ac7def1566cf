// Display modes on Wayland: the first output's modes, listed and never switched (a client
// cannot change an output's mode).
#pragma once

#include "platform/display/display_backend.h"

#include <memory>

class WaylandConnection;

std::unique_ptr<DisplayBackend> MakeWaylandDisplayBackend(std::shared_ptr<WaylandConnection> connection);
