// The program's resources as the framework finds them: the system hands its resource module to
// the framework once, before the framework needs a resource.
#pragma once

#include "platform/afx/wintypes.h"

#include <cstddef>

struct AfxStringResource {
    UINT id;
    const char* text; // UTF-8
};

struct DLGTEMPLATEDATA;

struct AfxBitmapResource {
    UINT id;
    const unsigned char* data; // the bitmap file's bytes
    size_t size;
};

struct AfxResourceModule {
    const AfxStringResource* strings;
    size_t stringCount;
    const DLGTEMPLATEDATA* const* dialogs = nullptr;
    size_t dialogCount = 0;
    const AfxBitmapResource* bitmaps = nullptr;
    size_t bitmapCount = 0;
};

void AfxSetResourceModule(const AfxResourceModule* module);
const AfxResourceModule* AfxGetResourceModule();
// The string with that id, or null when the module has none.
LPCSTR AfxLoadString(UINT id);
// The dialog template with that id, or null.
const DLGTEMPLATEDATA* AfxFindDialogTemplate(UINT id);
// The bitmap with that id, or null when the module has none.
const AfxBitmapResource* AfxFindBitmap(UINT id);
