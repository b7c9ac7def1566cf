// The program's resources as the framework finds them: the system hands its resource module to
// the framework once, before the framework needs a resource.
#pragma once

#include "platform/afx/wintypes.h"

#include <cstddef>

struct AfxStringResource {
    UINT id;
    const char* text; // UTF-8
};

struct AfxResourceModule {
    const AfxStringResource* strings;
    size_t stringCount;
};

void AfxSetResourceModule(const AfxResourceModule* module);
const AfxResourceModule* AfxGetResourceModule();
// The string with that id, or null when the module has none.
LPCSTR AfxLoadString(UINT id);
