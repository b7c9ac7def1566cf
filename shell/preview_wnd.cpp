#include "shell/preview_wnd.h"

#include "platform/afx/app.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CPreviewWnd, CWnd)
ON_MESSAGE(WM_PAINT, OnPaint)
END_MESSAGE_MAP()

CPreviewWnd::CPreviewWnd() { m_bLoaded = m_bitmap.LoadBitmap(IDB_PIPES); }

CPreviewWnd::~CPreviewWnd() {
    if (m_bLoaded) m_bitmap.DeleteObject();
}

BOOL CPreviewWnd::CreatePreviewWindow(const RECT& rect, CWnd* parent) {
    return CreatePreviewWindow(rect, parent ? parent->GetSafeHwnd() : nullptr);
}

BOOL CPreviewWnd::CreatePreviewWindow(const RECT& rect, HWND parent) {
    CWinApp* app = AfxGetApp();
    LPCSTR cls = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, app->LoadCursor(IDC_SAVER),
                                     GetStockObject(BLACK_BRUSH), app->LoadIcon(IDI_SAVER));
    return CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, 0);
}

void CPreviewWnd::PostNcDestroy() { delete this; }

LRESULT CPreviewWnd::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    BeginPaint(&ps); // the black background covers the client area first
    RECT client;
    GetClientRect(&client);
    BITMAP info;
    // Without the picture the window stays black.
    if (m_bLoaded && m_bitmap.GetBitmap(&info))
        StretchBlt(ps.hdc, 0, 0, client.right, client.bottom, m_bitmap, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
    EndPaint(&ps);
    return 0;
}
