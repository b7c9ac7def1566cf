// Dialog templates held as constant data: the dialog's caption, size and font, and its controls
// in tab order with their rectangles in dialog units and their styles.
#pragma once

#include "platform/afx/controls.h"

#include <cstddef>

// The control's window class.
enum class DlgItemClass { Button, Edit, Static, ComboBox, UpDown, Trackbar };

constexpr int IDC_STATIC = -1;

struct DLGITEMDATA {
    DlgItemClass kind;
    int id; // IDC_STATIC for controls the program never addresses
    const char* text;
    short x, y, cx, cy;
    DWORD style;
    UINT imageId = 0; // SS_BITMAP: the bitmap resource shown
};

struct DLGTEMPLATEDATA {
    UINT id;
    const char* caption;
    short cx, cy;
    DWORD style;
    const char* fontName;
    WORD pointSize;
    const DLGITEMDATA* items;
    size_t itemCount;

    // The item with that id, or null.
    const DLGITEMDATA* Find(int itemId) const;
    // Index of the item in template order, or -1.
    int IndexOf(int itemId) const;
    // Index of the first item of the group that the item at index belongs to: the nearest item
    // at or before it that carries WS_GROUP (or the first item).
    size_t GroupStart(size_t index) const;
};
