#include "platform/win32/win32_display_backend.h"

#include "platform/display/display.h"
#include "platform/win32/native.h"

namespace {

DisplayMode FromNative(const w32::Mode& m) {
    return {m.width, m.height, m.bitsPerPixel, m.frequency, m.displayFlags};
}

class Win32DisplayBackend : public DisplayBackend {
public:
    std::vector<DisplayMode> ListModes() override {
        std::vector<DisplayMode> modes;
        for (const w32::Mode& m : w32::ListModes()) modes.push_back(FromNative(m));
        return modes;
    }

    std::optional<DisplayMode> CurrentMode() override {
        w32::Mode m;
        if (!w32::CurrentMode(&m)) return std::nullopt;
        return FromNative(m);
    }

    LONG SetMode(const DisplayMode& wanted) override {
        w32::Mode m{wanted.width, wanted.height, wanted.bitsPerPixel, wanted.frequency, wanted.displayFlags};
        LONG result = static_cast<LONG>(w32::ChangeMode(&m));
        if (result == DISP_CHANGE_SUCCESSFUL) m_switched = true;
        return result;
    }

    // The system keeps the mode to return to: a null mode asks for it.
    LONG Restore() override {
        if (!m_switched) return DISP_CHANGE_SUCCESSFUL;
        m_switched = false;
        return static_cast<LONG>(w32::ChangeMode(nullptr));
    }

    DWORD Depth() override { return static_cast<DWORD>(w32::ScreenDepth()); }

private:
    bool m_switched = false;
};

} // namespace

std::unique_ptr<DisplayBackend> MakeWin32DisplayBackend() { return std::make_unique<Win32DisplayBackend>(); }
