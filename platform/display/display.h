// Display settings with the Windows API's names: enumerate the modes of the primary
// display, switch to one for the run, switch back, and read the current size and depth.
#pragma once

#include "platform/base/wintypes.h"

struct DEVMODE {
    DWORD dmFields;  // which of the fields below are meaningful (DM_*)
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;  // Hz; 0 or 1 in a request means any rate
};

constexpr DWORD DM_BITSPERPEL = 0x40000;
constexpr DWORD DM_PELSWIDTH = 0x80000;
constexpr DWORD DM_PELSHEIGHT = 0x100000;
constexpr DWORD DM_DISPLAYFLAGS = 0x200000;
constexpr DWORD DM_DISPLAYFREQUENCY = 0x400000;

// modeNum asking EnumDisplaySettingsA for the mode in use instead of a listed one.
constexpr DWORD ENUM_CURRENT_SETTINGS = 0xFFFFFFFFu;

constexpr LONG DISP_CHANGE_SUCCESSFUL = 0;
constexpr LONG DISP_CHANGE_FAILED = -1;
constexpr LONG DISP_CHANGE_BADMODE = -2;
constexpr LONG DISP_CHANGE_BADFLAGS = -4;

constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;

// Fills `mode` with mode number `modeNum` of the primary display (`device` must be null) and
// returns TRUE, or returns FALSE past the end of the list. Mode 0 re-reads the list from the
// display; higher numbers are served from that reading. All five DM_ fields are set.
BOOL EnumDisplaySettingsA(LPCSTR device, DWORD modeNum, DEVMODE* mode);

// Switches the primary display to the listed mode with the requested width, height, bits per
// pixel and (when nonzero) frequency; fields not named in dmFields keep their current value.
// Only the dynamic switch (flags 0) exists; other flags give DISP_CHANGE_BADFLAGS. A null
// `mode` returns the display to the mode it had before the first switch of this process
// (DISP_CHANGE_SUCCESSFUL when nothing was switched). A size or depth the display does not
// offer gives DISP_CHANGE_BADMODE; a refused switch DISP_CHANGE_FAILED.
LONG ChangeDisplaySettingsA(DEVMODE* mode, DWORD flags);

// HORZRES, VERTRES: the size of the primary display's current mode in pixels; BITSPIXEL: the
// bits per pixel of the screen. 0 for any other index or when there is no display.
int GetDisplayDeviceCaps(int index);
