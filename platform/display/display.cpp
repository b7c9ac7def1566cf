#include "platform/display/display.h"

#include "platform/display/display_backend.h"
#ifdef _WIN32
#include "platform/win32/win32_display_backend.h"
#else
#include "platform/display/xrandr_display_backend.h"
#endif

#include <mutex>

namespace {

struct DisplayState {
    std::mutex lock;
    std::unique_ptr<DisplayBackend> backend;
    std::vector<DisplayMode> listed;  // the reading that EnumDisplaySettingsA serves
};

// Never destroyed: the backend keeps its connection for the life of the process, and callers
// restoring the display from static destructors still find it.
DisplayState& State() {
    static DisplayState* state = new DisplayState;
    return *state;
}

DisplayBackend& Backend(DisplayState& state) {
#ifdef _WIN32
    if (!state.backend) state.backend = MakeWin32DisplayBackend();
#else
    if (!state.backend) state.backend = MakeXRandRDisplayBackend();
#endif
    return *state.backend;
}

void Fill(DEVMODE* out, const DisplayMode& mode) {
    out->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY;
    out->dmBitsPerPel = mode.bitsPerPixel;
    out->dmPelsWidth = mode.width;
    out->dmPelsHeight = mode.height;
    out->dmDisplayFlags = mode.displayFlags;
    out->dmDisplayFrequency = mode.frequency;
}

} // namespace

void SetDisplayBackend(std::unique_ptr<DisplayBackend> backend) {
    DisplayState& state = State();
    std::lock_guard guard(state.lock);
    state.backend = std::move(backend);
    state.listed.clear();
}

BOOL EnumDisplaySettingsA(LPCSTR device, DWORD modeNum, DEVMODE* mode) {
    if (device || !mode) return FALSE;
    DisplayState& state = State();
    std::lock_guard guard(state.lock);
    if (modeNum == ENUM_CURRENT_SETTINGS) {
        std::optional<DisplayMode> current = Backend(state).CurrentMode();
        if (!current) return FALSE;
        Fill(mode, *current);
        return TRUE;
    }
    if (modeNum == 0 || state.listed.empty()) state.listed = Backend(state).ListModes();
    if (modeNum >= state.listed.size()) return FALSE;
    Fill(mode, state.listed[modeNum]);
    return TRUE;
}

LONG ChangeDisplaySettingsA(DEVMODE* mode, DWORD flags) {
    if (flags != 0) return DISP_CHANGE_BADFLAGS;
    DisplayState& state = State();
    std::lock_guard guard(state.lock);
    DisplayBackend& backend = Backend(state);
    if (!mode) return backend.Restore();

    DisplayMode wanted = backend.CurrentMode().value_or(DisplayMode{});
    wanted.frequency = 0;
    if (mode->dmFields & DM_PELSWIDTH) wanted.width = mode->dmPelsWidth;
    if (mode->dmFields & DM_PELSHEIGHT) wanted.height = mode->dmPelsHeight;
    if (mode->dmFields & DM_BITSPERPEL) wanted.bitsPerPixel = mode->dmBitsPerPel;
    if ((mode->dmFields & DM_DISPLAYFREQUENCY) && mode->dmDisplayFrequency > 1)
        wanted.frequency = mode->dmDisplayFrequency;
    return backend.SetMode(wanted);
}

int GetDisplayDeviceCaps(int index) {
    DisplayState& state = State();
    std::lock_guard guard(state.lock);
    DisplayBackend& backend = Backend(state);
    switch (index) {
    case HORZRES:
        return static_cast<int>(backend.CurrentMode().value_or(DisplayMode{}).width);
    case VERTRES:
        return static_cast<int>(backend.CurrentMode().value_or(DisplayMode{}).height);
    case BITSPIXEL:
        return static_cast<int>(backend.Depth());
    default:
        return 0;
    }
}
