// The little of the graphics device interface the program uses: a bitmap object and a stretched
// copy of it into a window's paint context.
#pragma once

#include "platform/afx/object.h"
#include "platform/afx/resources.h"

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
};

constexpr DWORD SRCCOPY = 0x00CC0020;

class CBitmap : public CObject {
public:
    // Takes the program's bitmap resource; FALSE when there is none with that id.
    BOOL LoadBitmap(UINT id);
    BOOL GetBitmap(BITMAP* info) const;
    BOOL DeleteObject();
    const AfxBitmapResource* GetResource() const { return m_pResource; }

private:
    const AfxBitmapResource* m_pResource = nullptr;
};

// Copies the source rectangle of the bitmap onto the destination rectangle of the paint
// context, stretching or squeezing it.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, const CBitmap& source, int srcX,
                int srcY, int srcWidth, int srcHeight, DWORD rop);
