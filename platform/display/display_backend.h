// The display driver under the display-settings functions: the installed platform's display
// (platform/platform.h).
#pragma once

#include "platform/base/wintypes.h"

#include <memory>
#include <optional>
#include <vector>

struct DisplayMode {
    DWORD width = 0;
    DWORD height = 0;
    DWORD bitsPerPixel = 0;
    DWORD frequency = 0;  // Hz, 0 when unknown; in a request 0 means any
    DWORD displayFlags = 0;
    bool operator==(const DisplayMode&) const = default;
};

class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;
    // The modes of the primary display in the driver's order; empty when there is no display.
    virtual std::vector<DisplayMode> ListModes() = 0;
    virtual std::optional<DisplayMode> CurrentMode() = 0;
    // Switches to a listed mode matching size, depth and (when nonzero) frequency; the first
    // switch remembers the mode it leaves. Returns a DISP_CHANGE_ code.
    virtual LONG SetMode(const DisplayMode& wanted) = 0;
    // Returns to the remembered mode, if any, and forgets it. Returns a DISP_CHANGE_ code.
    virtual LONG Restore() = 0;
    // Bits per pixel of the screen, 0 when there is no display.
    virtual DWORD Depth() = 0;
};

// Replaces the installed platform's display (tests put their own in place); null leaves the
// platform without a display (NoDisplayBackend).
void SetDisplayBackend(std::unique_ptr<DisplayBackend> backend);
