// The display of a program that draws into memory only: one fixed mode, never switched.
#pragma once

#include "platform/display/display.h"
#include "platform/display/display_backend.h"

class HeadlessDisplayBackend final : public DisplayBackend {
public:
    HeadlessDisplayBackend(DWORD width, DWORD height, DWORD bitsPerPixel = 32)
        : m_mode{width, height, bitsPerPixel, 60, 0} {}

    std::vector<DisplayMode> ListModes() override { return {m_mode}; }
    std::optional<DisplayMode> CurrentMode() override { return m_mode; }
    LONG SetMode(const DisplayMode& wanted) override {
        return wanted.width == m_mode.width && wanted.height == m_mode.height &&
                       wanted.bitsPerPixel == m_mode.bitsPerPixel
                   ? DISP_CHANGE_SUCCESSFUL
                   : DISP_CHANGE_BADMODE;
    }
    LONG Restore() override { return DISP_CHANGE_SUCCESSFUL; }
    DWORD Depth() override { return m_mode.bitsPerPixel; }

private:
    DisplayMode m_mode;
};
