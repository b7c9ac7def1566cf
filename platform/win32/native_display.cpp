#include "platform/win32/native.h"

#include <windows.h>

namespace w32 {
namespace {

Mode FromDevMode(const DEVMODEW& dm) {
    return {dm.dmPelsWidth, dm.dmPelsHeight, dm.dmBitsPerPel, dm.dmDisplayFrequency, dm.dmDisplayFlags};
}

} // namespace

std::vector<Mode> ListModes() {
    std::vector<Mode> modes;
    DEVMODEW dm{};
    dm.dmSize = sizeof dm;
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &dm); ++i) modes.push_back(FromDevMode(dm));
    return modes;
}

bool CurrentMode(Mode* mode) {
    DEVMODEW dm{};
    dm.dmSize = sizeof dm;
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &dm)) return false;
    *mode = FromDevMode(dm);
    return true;
}

long ChangeMode(const Mode* mode) {
    if (!mode) return ChangeDisplaySettingsW(nullptr, 0);
    DEVMODEW dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS;
    dm.dmBitsPerPel = mode->bitsPerPixel;
    dm.dmPelsWidth = mode->width;
    dm.dmPelsHeight = mode->height;
    dm.dmDisplayFlags = mode->displayFlags;
    if (mode->frequency > 1) {
        dm.dmFields |= DM_DISPLAYFREQUENCY;
        dm.dmDisplayFrequency = mode->frequency;
    }
    // Temporary, not stored: the dynamic switch the system asks for, which Windows also undoes when
    // the process ends without restoring it (killed from the task manager). The restore above keeps
    // flags 0, the call that returns to the stored mode.
    return ChangeDisplaySettingsW(&dm, CDS_FULLSCREEN);
}

int ScreenDepth() {
    HDC dc = GetDC(nullptr);
    if (!dc) return 0;
    int depth = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(nullptr, dc);
    return depth;
}

} // namespace w32
