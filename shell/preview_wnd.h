// CPreviewWnd: a child of a host window that shows the saver's picture stretched over its
// client area, until the host destroys it.
#pragma once

#include "platform/afx/gdi.h"
#include "platform/afx/wnd.h"

class CPreviewWnd : public CWnd {
public:
    CPreviewWnd();
    ~CPreviewWnd() override;

    BOOL CreatePreviewWindow(const RECT& rect, CWnd* parent);
    BOOL CreatePreviewWindow(const RECT& rect, HWND parent);

protected:
    void PostNcDestroy() override;
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bLoaded;
    CBitmap m_bitmap;
};
