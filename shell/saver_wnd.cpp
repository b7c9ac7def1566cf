#include "shell/saver_wnd.h"

#include "pipes/pipe.h"
#include "platform/afx/msgqueue.h"
#include "res/resource.h"
#include "shell/app.h"

#include <ctime>

BEGIN_MESSAGE_MAP(CSaverWnd, CWnd)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
ON_MESSAGE(WM_LBUTTONDOWN, OnButtonDown)
ON_MESSAGE(WM_MBUTTONDOWN, OnButtonDown)
ON_MESSAGE(WM_RBUTTONDOWN, OnButtonDown)
ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
ON_MESSAGE(WM_SYSKEYDOWN, OnKeyDown)
ON_MESSAGE(WM_ACTIVATE, OnActivate)
ON_MESSAGE(WM_ACTIVATEAPP, OnActivateApp)
ON_MESSAGE(WM_NCACTIVATE, OnNcActivate)
ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_TIMER, OnTimer)
ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP()

CSaverWnd::CSaverWnd(LONG number, LONG length, LONG speed, BOOL autoDelete)
    : m_nSpeed(speed), m_nLength(length), m_nNumber(number), m_bAutoDelete(autoDelete) {
    auto* app = static_cast<CMyMirlowApp*>(AfxGetApp());
    m_nBackground = app->GetBackgroundRGB();
    m_nSpecular = app->GetSpecular();
    m_nPower = app->GetPower();
    m_nType = app->GetType();
    m_bHard = app->GetHard();
    m_nLighting = app->GetLighting();
}

CSaverWnd::~CSaverWnd() {
    // A window still up when its object goes must shut down as if closed, or its pipes leak.
    if (m_hWnd) DestroyWindow();
}

BOOL CSaverWnd::CreateSaverWindow() {
    CWinApp* app = AfxGetApp();
    LPCSTR cls = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, app->LoadCursor(IDC_SAVER),
                                     GetStockObject(BLACK_BRUSH), app->LoadIcon(IDI_SAVER));
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    return CreateEx(0, cls, "DirectX Quorvel", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                    nullptr, 0);
}

unsigned CSaverWnd::RandomSeed() const { return static_cast<unsigned>(std::time(nullptr)); }

void CSaverWnd::PostNcDestroy() {
    if (m_bAutoDelete) delete this;
}

LRESULT CSaverWnd::OnMouseMove(WPARAM, LPARAM lParam) {
    if (m_nMoveCount > 1) {
        if (m_ptMouse.x == -1 && m_ptMouse.y == -1)
            m_ptMouse = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        else
            Close();
    }
    // Counting stops mattering after the fourth move; it must not wrap back to "ignored".
    if (m_nMoveCount < 3) ++m_nMoveCount;
    return Default();
}

LRESULT CSaverWnd::OnButtonDown(WPARAM, LPARAM) {
    Close();
    return Default();
}

LRESULT CSaverWnd::OnKeyDown(WPARAM, LPARAM) {
    Close();
    return Default();
}

LRESULT CSaverWnd::OnActivate(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == WA_INACTIVE) Close();
    LRESULT result = Default();
    m_render.HandleActivate(LOWORD(wParam));
    return result;
}

LRESULT CSaverWnd::OnActivateApp(WPARAM wParam, LPARAM) {
    if (!wParam) Close();
    return Default();
}

LRESULT CSaverWnd::OnNcActivate(WPARAM wParam, LPARAM) {
    if (!wParam) return FALSE;
    return Default();
}

LRESULT CSaverWnd::OnSysCommand(WPARAM wParam, LPARAM) {
    if (wParam == SC_SCREENSAVE || wParam == SC_CLOSE) return 0;
    return Default();
}

LRESULT CSaverWnd::OnSetCursor(WPARAM, LPARAM) {
    SetCursor(nullptr);
    return TRUE;
}

LRESULT CSaverWnd::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    BeginPaint(&ps);
    m_render.HandlePaint(ps.hdc);
    EndPaint(&ps);
    return 0;
}

void CSaverWnd::RemovePipes() {
    POSITION pos = m_pipes.GetHeadPosition();
    while (pos) {
        auto* pipe = static_cast<CPipe*>(m_pipes.GetNext(pos));
        if (!pipe) break;
        m_render.RemoveFromScene(pipe->GetFrame());
        delete pipe;
    }
    m_pipes.RemoveAll();
}

LRESULT CSaverWnd::OnDestroy(WPARAM, LPARAM) {
    StopAnimation();
    PostQuitMessage(0);
    return Default();
}

void CSaverWnd::StopAnimation() {
    m_render.PauseRendering();
    if (m_nTimer) KillTimer(m_nTimer);
    CSingleLock lock(&m_render.GetSceneLock(), TRUE);
    if (!m_pipes.IsEmpty()) RemovePipes();
    m_render.ReleaseAll();
}
