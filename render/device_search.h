// The search for the Direct3D device to render with. The record belongs to whoever searches (the
// render context); the enumeration callback receives it as its context.
#pragma once

#include "platform/d3drm/d3drm.h"

constexpr int kMaxSearchDevices = 5;

struct DEVICESEARCH {
    int32_t depth;                   // bits per pixel of the display
    BOOL preferHardware;             // the Hard setting
    GUID devices[kMaxSearchDevices]; // acceptable devices in enumeration order
    int32_t count;
    int32_t selected;      // index into devices; -1 while none
    BOOL selectedHardware; // judged by its hardware description
    BOOL selectedMono;
};

// The render-depth flag (DDBD_) for a display depth; 0 for a depth without one.
DWORD DepthToRenderFlag(int bitsPerPixel);

// Starts a new search in `search` for this display depth and preference, enumerates the devices
// and selects one. TRUE when at least one device was acceptable.
BOOL SearchDevices(DEVICESEARCH& search, int depth, BOOL preferHardware);
// The GUID of the selected device; null when none was selected.
const GUID* SelectedDeviceGuid(const DEVICESEARCH& search);
