// A display that exists only in memory, for unit tests: a fixed list of modes, a current
// one, a log of every switch asked for, and sizes at given depths that it refuses.
#pragma once

#include "platform/display/display.h"
#include "platform/display/display_backend.h"

#include <vector>

class FakeDisplayBackend final : public DisplayBackend {
public:
    struct Request {
        bool restore;         // true for a return to the remembered mode
        DisplayMode wanted;   // the requested mode of a switch
        LONG result;
    };

    FakeDisplayBackend(std::vector<DisplayMode> modes, size_t current);

    // Switches to this size at this depth fail with `result` although the mode is listed.
    void Refuse(DWORD width, DWORD height, DWORD bitsPerPixel, LONG result = DISP_CHANGE_BADMODE);
    const std::vector<Request>& Log() const { return log_; }

    std::vector<DisplayMode> ListModes() override { return modes_; }
    std::optional<DisplayMode> CurrentMode() override { return modes_.at(current_); }
    LONG SetMode(const DisplayMode& wanted) override;
    LONG Restore() override;
    DWORD Depth() override { return modes_.at(current_).bitsPerPixel; }

private:
    struct Refusal {
        DWORD width, height, bitsPerPixel;
        LONG result;
    };

    LONG Switch(const DisplayMode& wanted);

    std::vector<DisplayMode> modes_;
    size_t current_;
    std::optional<size_t> saved_;
    std::vector<Refusal> refusals_;
    std::vector<Request> log_;
};
