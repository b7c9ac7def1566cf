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

namespace {
template <class T> const T* FindById(const T* items, size_t count, UINT id) {
    for (size_t i = 0; i < count; ++i)
        if (items[i].id == id) return &items[i];
    return nullptr;
}
} // namespace

const AfxImageResource* AfxFindIcon(UINT id) {
    return g_module ? FindById(g_module->icons, g_module->iconCount, id) : nullptr;
}

const AfxImageResource* AfxFindCursor(UINT id) {
    return g_module ? FindById(g_module->cursors, g_module->cursorCount, id) : nullptr;
}

const AfxBitmapResource* AfxFindBitmap(UINT id) {
    return g_module ? FindById(g_module->bitmaps, g_module->bitmapCount, id) : nullptr;
}

const DLGTEMPLATEDATA* AfxFindDialogTemplate(UINT id) {
    if (!g_module) return nullptr;
    for (size_t i = 0; i < g_module->dialogCount; ++i)
        if (g_module->dialogs[i]->id == id) return g_module->dialogs[i];
    return nullptr;
}
