// A platform without a display: nothing listed, the current mode unknown, depth 0, every switch
// refused and nothing to restore.
#pragma once

#include "platform/display/display.h"
#include "platform/display/display_backend.h"

class NoDisplayBackend final : public DisplayBackend {
public:
    std::vector<DisplayMode> ListModes() override { return {}; }
    std::optional<DisplayMode> CurrentMode() override { return std::nullopt; }
    LONG SetMode(const DisplayMode&) override { return DISP_CHANGE_FAILED; }
    LONG Restore() override { return DISP_CHANGE_SUCCESSFUL; }
    DWORD Depth() override { return 0; }
};
