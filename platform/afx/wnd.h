// CWnd: a window object bound to a backend window, with per-class message maps.
#pragma once

#include "platform/afx/messages.h"
#include "platform/afx/object.h"
#include "platform/afx/window_backend.h"

#include <vector>

class CWnd;
using AFX_PMSG = LRESULT (CWnd::*)(WPARAM, LPARAM);
using AFX_PCMD = void (CWnd::*)();

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode; // WM_COMMAND: notification code
    UINT nID;   // WM_COMMAND: control id
    AFX_PMSG pfnMessage;
    AFX_PCMD pfnCommand;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass = theClass;                                                                \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    {0, 0, 0, nullptr, nullptr}                                                                    \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries};                     \
    return &map;                                                                                   \
    }

// Handler: LRESULT OnSomething(WPARAM, LPARAM); it calls Default() for default processing.
#define ON_MESSAGE(message, memberFxn)                                                             \
    {message, 0, 0, static_cast<AFX_PMSG>(&ThisClass::memberFxn), nullptr},
// Handler: void OnSomething().
#define ON_COMMAND_CODE(id, code, memberFxn)                                                       \
    {WM_COMMAND, code, id, nullptr, static_cast<AFX_PCMD>(&ThisClass::memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND_CODE(id, BN_CLICKED, memberFxn)

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};

// Registers a window class with these attributes and returns its name.
LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                           HICON icon = nullptr);
HBRUSH GetStockObject(int object);
// The cursor for the window that is handling WM_SETCURSOR; null hides the pointer. The backend
// applies what was set once the message has been handled.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

class CWnd : public CObject {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    static CWnd* FromHandlePermanent(HWND hwnd);

    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, UINT_PTR idOrMenu);
    virtual BOOL DestroyWindow();

    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void* callback);
    BOOL KillTimer(UINT_PTR id);
    void GetClientRect(RECT* rect) const;
    void Invalidate();
    HDC BeginPaint(PAINTSTRUCT* ps);
    void EndPaint(const PAINTSTRUCT* ps);

    // Routes a message through the message maps, then default processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled.
    LRESULT Default();

    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The native window is gone (destroyed by us or by its parent): the framework's last step.
    void OnNativeDestroyed();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual void PostNcDestroy();
    // Binds the object to a handle that another window system made (dialogs and their controls).
    void Attach(HWND hwnd);
    void Detach();

private:
    bool Dispatch(const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam, LPARAM lParam,
                  LRESULT* result);

    const WindowClass* m_pClass = nullptr;
    std::vector<MSG> m_current; // messages being handled, innermost last
    bool m_destroying = false;
    // The WindowProc calls running on this object, innermost first: a handler may delete it.
    struct ProcFrame {
        ProcFrame* outer;
        bool deleted;
    };
    ProcFrame* m_procFrames = nullptr;
};

// Sends a message to the CWnd that owns the handle; 0 when none does.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DispatchMessage(const MSG* msg);
// A backend tells the framework that a window went away without DestroyWindow (its parent was
// destroyed by another program): WM_DESTROY and WM_NCDESTROY reach the CWnd.
void AfxOnNativeWindowDestroyed(HWND hwnd);
