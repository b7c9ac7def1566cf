#include "config/display_mode.h"

BOOL FindCurrentDisplayMode(DEVMODE* mode) {
    const DWORD width = static_cast<DWORD>(GetDisplayDeviceCaps(HORZRES));
    const DWORD height = static_cast<DWORD>(GetDisplayDeviceCaps(VERTRES));
    const DWORD bits = static_cast<DWORD>(GetDisplayDeviceCaps(BITSPIXEL));
    for (DWORD index = 0;; ++index) {
        if (!EnumDisplaySettingsA(nullptr, index, mode)) return FALSE;
        if (mode->dmPelsWidth == width && mode->dmPelsHeight == height && mode->dmBitsPerPel == bits)
            return TRUE;
    }
}

BOOL ChangeDisplayMode(DEVMODE* mode) {
    if (mode)
        mode->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS |
                         DM_DISPLAYFREQUENCY;
    if (ChangeDisplaySettingsA(mode, 0) == DISP_CHANGE_SUCCESSFUL) return TRUE;
    if (mode && mode->dmBitsPerPel == 24) {
        mode->dmBitsPerPel = 16;
        if (ChangeDisplaySettingsA(mode, 0) == DISP_CHANGE_SUCCESSFUL) return TRUE;
    }
    return FALSE;
}
