#include "platform/afx/gdi.h"

#include "platform/afx/window_backend.h"

BOOL CBitmap::LoadBitmap(UINT id) {
    m_pResource = AfxFindBitmap(id);
    return m_pResource != nullptr;
}

BOOL CBitmap::GetBitmap(BITMAP* info) const {
    if (!m_pResource || !info) return FALSE;
    *info = {0, m_pResource->width, m_pResource->height, (m_pResource->width + 3) & ~3, 1, 8};
    return TRUE;
}

BOOL CBitmap::DeleteObject() {
    BOOL had = m_pResource != nullptr;
    m_pResource = nullptr;
    return had;
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, const CBitmap& source, int srcX,
                int srcY, int srcWidth, int srcHeight, DWORD) {
    const AfxBitmapResource* bitmap = source.GetResource();
    if (!bitmap || !dest) return FALSE;
    // A paint context stands for the window it paints.
    HWND hwnd = reinterpret_cast<HWND>(dest);
    return AfxGetWindowBackend().StretchBitmap(hwnd, {x, y, x + width, y + height}, *bitmap,
                                               {srcX, srcY, srcX + srcWidth, srcY + srcHeight});
}
