// The program's resources as the framework finds them: the system hands its resource module to
// the framework once, before the framework needs a resource.
#pragma once

#include "platform/base/wintypes.h"

#include <cstddef>
#include <cstdint>

struct AfxStringResource {
    UINT id;
    const char* text; // UTF-8
};

// An icon or cursor: straight (not premultiplied) ARGB pixels, rows top to bottom.
struct AfxImageResource {
    UINT id;
    int width, height;
    int hotspotX, hotspotY; // cursors only
    const uint32_t* argb;
};

// A palette bitmap: one byte per pixel indexing a table of 0x00RRGGBB colours, rows top to bottom.
struct AfxBitmapResource {
    UINT id;
    int width, height;
    const uint8_t* pixels;
    const uint32_t* palette;
    int paletteSize;
};

struct DLGTEMPLATEDATA;

struct AfxResourceModule {
    const AfxStringResource* strings;
    size_t stringCount;
    const AfxImageResource* icons = nullptr;
    size_t iconCount = 0;
    const AfxImageResource* cursors = nullptr;
    size_t cursorCount = 0;
    const AfxBitmapResource* bitmaps = nullptr;
    size_t bitmapCount = 0;
    const DLGTEMPLATEDATA* const* dialogs = nullptr;
    size_t dialogCount = 0;
};

void AfxSetResourceModule(const AfxResourceModule* module);
const AfxResourceModule* AfxGetResourceModule();
// The string with that id, or null when the module has none.
LPCSTR AfxLoadString(UINT id);
const AfxImageResource* AfxFindIcon(UINT id);
const AfxImageResource* AfxFindCursor(UINT id);
const AfxBitmapResource* AfxFindBitmap(UINT id);
// The dialog template with that id, or null.
const DLGTEMPLATEDATA* AfxFindDialogTemplate(UINT id);
