#include "platform/afx/dialog_template.h"

const DLGITEMDATA* DLGTEMPLATEDATA::Find(int itemId) const {
    int index = IndexOf(itemId);
    return index < 0 ? nullptr : &items[index];
}

int DLGTEMPLATEDATA::IndexOf(int itemId) const {
    if (itemId == IDC_STATIC) return -1;
    for (size_t i = 0; i < itemCount; ++i)
        if (items[i].id == itemId) return static_cast<int>(i);
    return -1;
}

size_t DLGTEMPLATEDATA::GroupStart(size_t index) const {
    while (index > 0 && !(items[index].style & WS_GROUP)) --index;
    return index;
}
