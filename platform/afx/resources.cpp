#include "platform/afx/resources.h"

#include "platform/afx/dialog_template.h"

namespace {
const AfxResourceModule* g_module = nullptr;
}

void AfxSetResourceModule(const AfxResourceModule* module) { g_module = module; }
const AfxResourceModule* AfxGetResourceModule() { return g_module; }

LPCSTR AfxLoadString(UINT id) {
    if (!g_module) return nullptr;
    for (size_t i = 0; i < g_module->stringCount; ++i)
        if (g_module->strings[i].id == id) return g_module->strings[i].text;
    return nullptr;
}

const DLGTEMPLATEDATA* AfxFindDialogTemplate(UINT id) {
    if (!g_module) return nullptr;
    for (size_t i = 0; i < g_module->dialogCount; ++i)
        if (g_module->dialogs[i]->id == id) return g_module->dialogs[i];
    return nullptr;
}

const AfxBitmapResource* AfxFindBitmap(UINT id) {
    if (!g_module) return nullptr;
    for (size_t i = 0; i < g_module->bitmapCount; ++i)
        if (g_module->bitmaps[i].id == id) return &g_module->bitmaps[i];
    return nullptr;
}
