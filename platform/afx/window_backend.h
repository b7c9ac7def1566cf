// The window system under CWnd: the installed platform's window backend (platform/platform.h).
#pragma once

#include "platform/afx/resources.h"
#include "platform/base/wintypes.h"

#include <memory>
#include <string>
#include <vector>

// Cursor and icon handles stand for the program's image resources (AfxImageResource).
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct HICON__;
using HICON = HICON__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct wl_display;
struct wl_surface;
struct wl_shm;

// What a registered window class carries.
struct WindowClass {
    UINT style = 0;
    HCURSOR cursor = nullptr; // null: the pointer is invisible over the window
    HBRUSH background = nullptr;
    HICON icon = nullptr;
};

struct WindowCreateParams {
    const WindowClass* windowClass = nullptr;
    const char* title = "";
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
};

// Where a window's pixels go, for the 3D layer's presenters.
struct WindowSurface {
    // Unknown: not a window this process can draw into. (Not "None": X11 defines that.)
    enum class Kind { Unknown, Memory, X11, Win32, Wayland } kind = Kind::Unknown;
    const char* displayName = nullptr; // X11: the display the window lives on
    unsigned long xid = 0;             // X11: the window id
    HWND hwnd = nullptr;               // Win32: the system's own window handle
    wl_display* wlDisplay = nullptr;   // Wayland: the connection the surface belongs to
    wl_surface* wlSurface = nullptr;   // Wayland: the window's surface (its buffer scale is set
                                       // by the window backend)
    wl_shm* wlShm = nullptr;           // Wayland: the connection's shared-memory global
    int width = 0, height = 0;         // in pixels (Wayland: buffer pixels)
};

class WindowBackend {
public:
    virtual ~WindowBackend() = default;
    // A new native window, or null when the window system refuses.
    virtual HWND Create(const WindowCreateParams& params) = 0;
    // Destroys a native window made by Create (the backend reports no destroy message for it).
    virtual void Destroy(HWND hwnd) = 0;
    virtual BOOL IsWindow(HWND hwnd) = 0;
    virtual BOOL GetClientRect(HWND hwnd, RECT* rect) = 0;
    // Paints the class background over the client area before WM_PAINT's work.
    virtual void EraseBackground(HWND hwnd) = 0;
    // Cursor shown over the window from now on; null hides the pointer.
    virtual void SetCursor(HWND hwnd, HCURSOR cursor) = 0;
    virtual int GetSystemMetrics(int index) = 0;
    virtual WindowSurface GetSurface(HWND hwnd) = 0;
    // Copies the source rectangle of a palette bitmap onto the destination rectangle of the
    // window, stretched (nearest pixel).
    virtual BOOL StretchBitmap(HWND hwnd, RECT dest, const AfxBitmapResource& bitmap, RECT source) = 0;
    // The window the desktop is drawn in (on X11 the virtual root when a window manager keeps
    // one, else the root); null where there is none.
    virtual HWND GetDesktopWindow() { return nullptr; }
    // Empty when frames can be presented in the window; otherwise what stands in the way, for
    // a message (for example its visual).
    virtual std::string WhyNotDrawable(HWND) { return {}; }
    // The window system's own processing of a message no handler took (Win32: DefWindowProc).
    virtual LRESULT DefaultProcessing(HWND, UINT, WPARAM, LPARAM) { return 0; }

    // Background layers: windows under all others that each cover one output (monitor).
    // Empty when they can be made; otherwise why not, for a message.
    virtual std::string WhyNoBackgroundLayers() {
        return "background layers need a Wayland compositor with the layer shell";
    }
    // The outputs now. Each handle is the parent of a WS_CHILD | WS_MAXIMIZE window that is the
    // output's background layer; when the output goes, that window is destroyed.
    virtual std::vector<HWND> GetOutputs() { return {}; }
    // From now on the window is posted WM_DISPLAYCHANGE whenever an output comes or changes.
    virtual void WatchOutputs(HWND) {}
};

// The installed platform's backend; stops the process when there is none.
WindowBackend& AfxGetWindowBackend();
// Replaces the installed platform's backend (tests put their own in place).
void AfxSetWindowBackend(std::unique_ptr<WindowBackend> backend);

int GetSystemMetrics(int index);
BOOL IsWindow(HWND hwnd);
BOOL GetClientRect(HWND hwnd, RECT* rect);
HWND GetDesktopWindow();
