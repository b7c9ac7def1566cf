#include "platform/afx/wnd.h"

#include "platform/afx/app.h"
#include "platform/afx/msgqueue.h"

#include <cstdio>
#include <map>
#include <string>

namespace {

std::map<HWND, CWnd*>& HandleMap() {
    static std::map<HWND, CWnd*> map;
    return map;
}

std::map<std::string, WindowClass>& ClassRegistry() {
    static std::map<std::string, WindowClass> classes;
    return classes;
}

// Handles of stock objects: distinct non-null values the backends recognise by identity.
HBRUSH StockBrush(int object) {
    static char brushes[8];
    return object >= 0 && object < 8 ? reinterpret_cast<HBRUSH>(&brushes[object]) : nullptr;
}

HCURSOR g_currentCursor = nullptr;

} // namespace

LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    char name[96];
    std::snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    auto [it, added] = ClassRegistry().try_emplace(name, WindowClass{classStyle, cursor, background, icon});
    return it->first.c_str();
}

HBRUSH GetStockObject(int object) { return StockBrush(object); }

HCURSOR GetCursor() { return g_currentCursor; }

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR old = g_currentCursor;
    g_currentCursor = cursor;
    return old;
}

CWnd::~CWnd() {
    // Only the base part is left here: a class that handles WM_DESTROY destroys its window in
    // its own destructor.
    if (m_hWnd) CWnd::DestroyWindow();
    for (ProcFrame* frame = m_procFrames; frame; frame = frame->outer) frame->deleted = true;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    auto it = HandleMap().find(hwnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

void CWnd::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    HandleMap()[hwnd] = this;
}

void CWnd::Detach() {
    HandleMap().erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, UINT_PTR) {
    if (m_hWnd) return FALSE;
    auto cls = ClassRegistry().find(className ? className : "");
    if (cls == ClassRegistry().end()) return FALSE;
    WindowCreateParams params;
    params.windowClass = &cls->second;
    params.title = windowName ? windowName : "";
    params.style = style;
    params.exStyle = exStyle;
    params.x = x;
    params.y = y;
    params.width = width;
    params.height = height;
    params.parent = parent;
    HWND hwnd = AfxGetWindowBackend().Create(params);
    if (!hwnd) return FALSE;
    Attach(hwnd);
    m_pClass = &cls->second;
    SendMessage(WM_CREATE, 0, 0);
    if (m_hWnd && (style & WS_VISIBLE)) Invalidate();
    return m_hWnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd || m_destroying) return FALSE;
    m_destroying = true;
    HWND hwnd = m_hWnd;
    SendMessage(WM_DESTROY, 0, 0);
    AfxGetWindowBackend().Destroy(hwnd);
    OnNativeDestroyed(); // may delete this
    return TRUE;
}

void CWnd::OnNativeDestroyed() {
    if (!m_hWnd) return;
    if (!m_destroying) {
        m_destroying = true;
        SendMessage(WM_DESTROY, 0, 0);
    }
    SendMessage(WM_NCDESTROY, 0, 0);
    HWND hwnd = m_hWnd;
    AfxForgetWindow(hwnd);
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    Detach();
    m_destroying = false;
    PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_hWnd ? ::PostMessage(m_hWnd, message, wParam, lParam) : FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProc(message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void*) {
    return m_hWnd ? ::SetTimer(m_hWnd, id, elapse) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR id) { return m_hWnd ? ::KillTimer(m_hWnd, id) : FALSE; }

void CWnd::GetClientRect(RECT* rect) const {
    if (!m_hWnd || !::GetClientRect(m_hWnd, rect)) *rect = {0, 0, 0, 0};
}

void CWnd::Invalidate() {
    if (m_hWnd) AfxInvalidateWindow(m_hWnd);
}

HDC CWnd::BeginPaint(PAINTSTRUCT* ps) {
    AfxValidateWindow(m_hWnd);
    AfxGetWindowBackend().EraseBackground(m_hWnd);
    ps->hdc = reinterpret_cast<HDC>(m_hWnd); // a paint context is its window here
    ps->fErase = FALSE;
    GetClientRect(&ps->rcPaint);
    return ps->hdc;
}

void CWnd::EndPaint(const PAINTSTRUCT*) {}

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

bool CWnd::Dispatch(const AFX_MSGMAP_ENTRY& e, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT* result) {
    if (e.nMessage != message) return false;
    if (message == WM_COMMAND) {
        if (e.nID != LOWORD(wParam) || e.nCode != HIWORD(wParam)) return false;
        (this->*e.pfnCommand)();
        *result = 0;
        return true;
    }
    *result = (this->*e.pfnMessage)(wParam, lParam);
    return true;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    ProcFrame frame{m_procFrames, false};
    m_procFrames = &frame;
    m_current.push_back({m_hWnd, message, wParam, lParam});
    LRESULT result = 0;
    bool handled = false;
    for (const AFX_MSGMAP* map = GetMessageMap(); map && !handled;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nMessage && !handled; ++e)
            handled = Dispatch(*e, message, wParam, lParam, &result);
    }
    if (!handled) result = DefWindowProc(message, wParam, lParam);
    if (frame.deleted) return result; // a self-deleting window went with its last message
    m_current.pop_back();
    m_procFrames = frame.outer;
    return result;
}

LRESULT CWnd::Default() {
    const MSG& m = m_current.back();
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: DestroyWindow(); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(&ps);
        EndPaint(&ps);
        return 0;
    }
    case WM_NCACTIVATE: return TRUE;
    case WM_SETCURSOR: ::SetCursor(m_pClass ? m_pClass->cursor : nullptr); return FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            PostMessage(WM_CLOSE, 0, 0);
            return 0;
        }
        return AfxGetWindowBackend().DefaultProcessing(m_hWnd, message, wParam, lParam);
    default: return AfxGetWindowBackend().DefaultProcessing(m_hWnd, message, wParam, lParam);
    }
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    return wnd ? wnd->SendMessage(message, wParam, lParam) : 0;
}

LRESULT DispatchMessage(const MSG* msg) { return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam); }

void AfxOnNativeWindowDestroyed(HWND hwnd) {
    if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd)) wnd->OnNativeDestroyed();
}
