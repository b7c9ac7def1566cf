#include "shell/hosted_wnd.h"

#include "platform/afx/app.h"
#include "res/resource.h"

#include <unistd.h>

BEGIN_MESSAGE_MAP(CHostedWnd, CSaverWnd)
ON_MESSAGE(WM_SIZE, OnSize)
ON_MESSAGE(WM_HOSTRESET, OnHostReset)
END_MESSAGE_MAP()

CHostedWnd::CHostedWnd(LONG number, LONG length, LONG speed) : CSaverWnd(number, length, speed, FALSE) {}

BOOL CHostedWnd::CreateHostedWindow(HWND host) {
    CWinApp* app = AfxGetApp();
    LPCSTR cls = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, app->LoadCursor(IDC_SAVER),
                                     GetStockObject(BLACK_BRUSH), app->LoadIcon(IDI_SAVER));
    RECT client;
    if (!::GetClientRect(host, &client)) return FALSE;
    // The host keeps the keyboard and pointer; the backend keeps the child at the host's size.
    return CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_MAXIMIZE, 0, 0,
                    client.right, client.bottom, host, 0);
}

unsigned CHostedWnd::RandomSeed() const {
    return CSaverWnd::RandomSeed() ^ (static_cast<unsigned>(getpid()) * 2654435761u);
}

SIZE CHostedWnd::ViewSize() const {
    RECT client;
    GetClientRect(&client);
    return {client.right, client.bottom};
}

LRESULT CHostedWnd::OnSize(WPARAM, LPARAM) {
    // Sizes come in bursts while a host resizes; only the size the window has now matters.
    RECT client;
    GetClientRect(&client);
    CRenderContext& render = GetRenderContext();
    IDirect3DRMDevice* device = render.GetDevice();
    if (device && client.right > 0 && client.bottom > 0 &&
        (device->GetWidth() != static_cast<DWORD>(client.right) ||
         device->GetHeight() != static_cast<DWORD>(client.bottom))) {
        if (render.Resize(this)) render.RequestFrame();
    }
    return Default();
}

LRESULT CHostedWnd::OnHostReset(WPARAM, LPARAM) {
    {
        CSingleLock lock(&GetRenderContext().GetSceneLock(), TRUE);
        if (!GetRenderContext().GetDevice()) return 0; // the animation never started
        StartNewCycle();
    }
    GetRenderContext().RequestFrame();
    return 0;
}
