// Windows on an X server: creation, the translation of server events into window messages,
// full-screen focus and grabs, cursors and icons.
#pragma once

#include "platform/afx/window_backend.h"
#include "platform/posix/posix_message_pump.h"

#include <X11/Xlib.h>
#include <map>

class X11WindowBackend : public WindowBackend, public EventSource {
public:
    // Connects to $DISPLAY only when a window or a metric is first needed.
    X11WindowBackend();
    ~X11WindowBackend() override;

    HWND Create(const WindowCreateParams& params) override;
    void Destroy(HWND hwnd) override;
    BOOL IsWindow(HWND hwnd) override;
    BOOL GetClientRect(HWND hwnd, RECT* rect) override;
    void EraseBackground(HWND hwnd) override;
    void SetCursor(HWND hwnd, HCURSOR cursor) override;
    int GetSystemMetrics(int index) override;
    WindowSurface GetSurface(HWND hwnd) override;
    BOOL StretchBitmap(HWND hwnd, RECT dest, const AfxBitmapResource& bitmap, RECT source) override;
    HWND GetDesktopWindow() override;
    std::string WhyNotDrawable(HWND hwnd) override;

    int Fd() const override;
    void Pump() override;

private:
    struct OwnWindow {
        const WindowClass* windowClass;
        bool takesFocus; // a full-screen pop-up: focus (and, without a window manager, grabs)
        bool disabled;   // no input: the pointer's look is left to the window below, too
        bool managed;    // a full-screen pop-up that a window manager places
        int width, height;
    };

    bool Connect();
    bool HasWindowManager();
    // XWayland: the compositor always manages X windows, but its manager may still be starting
    // when the first X client (which started XWayland) makes its window.
    bool IsXWayland();
    bool AwaitWindowManager();
    void SetTitle(::Window w, const char* title);
    void SetIcon(::Window w, HICON icon);
    void RequestFullScreen(::Window w);
    // After mapping, as EWMH asks for a mapped window: a manager that read the state before it
    // saw our property (wlroots' XWayland manager can) makes the window full-screen now.
    void SendFullScreenRequest(::Window w);
    void TakeFocus(::Window w);
    void UpdateCursor(HWND hwnd);
    Cursor CursorFor(HCURSOR cursor);
    using Windows = std::map<::Window, OwnWindow>;
    // An event for one of our windows: input is queued as messages, the rest changes the window.
    void Translate(const XEvent& e);
    // Pointer and keyboard events; false for any other.
    bool QueueInput(HWND hwnd, const XEvent& e);
    // Mapping, exposure, size, focus, closing and destruction.
    void TrackWindow(Windows::iterator it, HWND hwnd, const XEvent& e);
    // A filling child follows its parent's size: the parent's structure events are watched.
    void FollowParent(::Window parent, ::Window child);
    void TranslateParentEvent(const XEvent& e, ::Window child);
    bool FocusIsWithAnotherClient(::Window w);

    Display* m_display = nullptr;
    PosixMessagePump* m_pump = nullptr; // the pump waiting on the connection
    bool m_connectFailed = false;
    Windows m_windows;
    std::map<HCURSOR, Cursor> m_cursors;
    std::map<::Window, ::Window> m_followers; // foreign parent -> the child that fills it
    Atom m_wmDeleteWindow = None;
};
