#include "platform/x11/x11_window_backend.h"

#include "platform/afx/messages.h"
#include "platform/afx/resources.h"
#include "platform/afx/stretch.h"
#include "platform/afx/wnd.h"
#include "platform/swr/pixel_format.h"
#include "platform/x11/x11_error_trap.h"
#include "platform/x11/x11_input.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

HWND ToHwnd(::Window w) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(w)); }
::Window ToWindow(HWND h) { return static_cast<::Window>(reinterpret_cast<uintptr_t>(h)); }

constexpr long kEventMask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | FocusChangeMask;

constexpr int kGrabAttempts = 20;
constexpr useconds_t kGrabRetryMicroseconds = 50000;
constexpr int kWindowManagerPolls = 100;
constexpr useconds_t kWindowManagerPollMicroseconds = 20000;
} // namespace

X11WindowBackend::X11WindowBackend() {
    // The render thread talks to the server on a connection of its own.
    XInitThreads();
}

X11WindowBackend::~X11WindowBackend() {
    if (!m_display) return;
    m_pump->Remove(this);
    for (auto& [cursor, xcursor] : m_cursors) XFreeCursor(m_display, xcursor);
    XCloseDisplay(m_display);
}

bool X11WindowBackend::Connect() {
    if (m_display) return true;
    if (m_connectFailed) return false;
    X11InstallErrorHandlers();
    m_display = XOpenDisplay(nullptr);
    if (!m_display) {
        m_connectFailed = true;
        return false;
    }
    m_wmDeleteWindow = XInternAtom(m_display, "WM_DELETE_WINDOW", False);
    m_pump = &ThePosixMessagePump();
    m_pump->Add(this);
    return true;
}

int X11WindowBackend::Fd() const { return m_display ? ConnectionNumber(m_display) : -1; }

bool X11WindowBackend::HasWindowManager() {
    Atom check = XInternAtom(m_display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(m_display, DefaultRootWindow(m_display), check, 0, 1, False, XA_WINDOW,
                           &type, &format, &count, &after, &data) == Success &&
        data && count == 1) {
        ::Window wm = *reinterpret_cast<::Window*>(data);
        X11ErrorTrap trap(m_display);
        XWindowAttributes attrs;
        found = XGetWindowAttributes(m_display, wm, &attrs) && trap.Ok();
    }
    if (data) XFree(data);
    return found;
}

bool X11WindowBackend::IsXWayland() {
    // XWayland names its outputs XWAYLAND0, XWAYLAND1, ...
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(m_display, DefaultRootWindow(m_display));
    if (!resources) return false;
    bool xwayland = false;
    for (int i = 0; i < resources->noutput && !xwayland; ++i) {
        X11ErrorTrap trap(m_display);
        XRROutputInfo* info = XRRGetOutputInfo(m_display, resources, resources->outputs[i]);
        if (info && trap.Ok()) xwayland = std::strncmp(info->name, "XWAYLAND", 8) == 0;
        if (info) XRRFreeOutputInfo(info);
    }
    XRRFreeScreenResources(resources);
    return xwayland;
}

bool X11WindowBackend::AwaitWindowManager() {
    for (int poll = 0; poll < kWindowManagerPolls; ++poll) {
        if (HasWindowManager()) return true;
        usleep(kWindowManagerPollMicroseconds);
    }
    return false;
}

void X11WindowBackend::SetTitle(::Window w, const char* title) {
    XStoreName(m_display, w, title);
    XChangeProperty(m_display, w, XInternAtom(m_display, "_NET_WM_NAME", False),
                    XInternAtom(m_display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::strlen(title)));
    XClassHint hint = {const_cast<char*>("quorvel"), const_cast<char*>("Quorvel")};
    XSetClassHint(m_display, w, &hint);
}

void X11WindowBackend::SetIcon(::Window w, HICON icon) {
    const auto* image = reinterpret_cast<const AfxImageResource*>(icon);
    if (!image) return;
    // Format-32 properties travel as longs.
    std::vector<unsigned long> data;
    data.reserve(2 + static_cast<size_t>(image->width * image->height));
    data.push_back(static_cast<unsigned long>(image->width));
    data.push_back(static_cast<unsigned long>(image->height));
    for (int i = 0; i < image->width * image->height; ++i) data.push_back(image->argb[i]);
    XChangeProperty(m_display, w, XInternAtom(m_display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(data.data()),
                    static_cast<int>(data.size()));
}

void X11WindowBackend::RequestFullScreen(::Window w) {
    Atom states[] = {XInternAtom(m_display, "_NET_WM_STATE_FULLSCREEN", False),
                     XInternAtom(m_display, "_NET_WM_STATE_ABOVE", False)};
    XChangeProperty(m_display, w, XInternAtom(m_display, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(states), 2);
    // No frame, even from a manager that shows the window before it makes it full-screen.
    const long noDecorations[5] = {2 /* decorations field set */, 0, 0 /* none */, 0, 0};
    const Atom motif = XInternAtom(m_display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(m_display, w, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(noDecorations), 5);
}

void X11WindowBackend::SendFullScreenRequest(::Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(m_display, "_NET_WM_STATE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = 1; // _NET_WM_STATE_ADD
    e.xclient.data.l[1] = static_cast<long>(XInternAtom(m_display, "_NET_WM_STATE_FULLSCREEN", False));
    e.xclient.data.l[2] = static_cast<long>(XInternAtom(m_display, "_NET_WM_STATE_ABOVE", False));
    e.xclient.data.l[3] = 1; // from an application
    XSendEvent(m_display, DefaultRootWindow(m_display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(m_display);
}

HWND X11WindowBackend::Create(const WindowCreateParams& params) {
    if (!Connect()) return nullptr;
    ::Window root = DefaultRootWindow(m_display);
    ::Window parent = params.parent ? ToWindow(params.parent) : root;
    if (params.parent && !IsWindow(params.parent)) return nullptr;
    const bool fullScreenPopup = !params.parent && (params.style & WS_POPUP);
    const bool managed = fullScreenPopup && (HasWindowManager() || (IsXWayland() && AwaitWindowManager()));
    // A child filling a window of another program (a screen-saver host's, or the desktop).
    const bool filling = params.parent && (params.style & WS_MAXIMIZE);
    WindowCreateParams place = params;
    if (filling) {
        RECT rc;
        if (!GetClientRect(params.parent, &rc)) return nullptr;
        place.x = place.y = 0;
        place.width = rc.right;
        place.height = rc.bottom;
    }

    XSetWindowAttributes swa = {};
    unsigned long mask = CWBackPixel | CWEventMask;
    swa.background_pixel = BlackPixel(m_display, DefaultScreen(m_display));
    // A disabled window leaves the keyboard and pointer to whoever owns the windows below it.
    swa.event_mask = (params.style & WS_DISABLED) ? ExposureMask | StructureNotifyMask : kEventMask;
    if ((fullScreenPopup && !managed) || filling) {
        // Filling the root must not bring a window manager's frame.
        swa.override_redirect = True;
        mask |= CWOverrideRedirect;
    }
    X11ErrorTrap trap(m_display);
    // The parent's visual and depth, whatever they are: a host may hand over a 16-bit or an
    // ARGB window.
    ::Window w = XCreateWindow(m_display, parent, place.x, place.y,
                               static_cast<unsigned>(std::max(1, place.width)),
                               static_cast<unsigned>(std::max(1, place.height)), 0, CopyFromParent,
                               InputOutput, CopyFromParent, mask, &swa);
    if (!trap.Ok() || !w) return nullptr;
    if (filling) {
        if (!m_windows.count(parent)) FollowParent(parent, w);
        // On the desktop it stays under the other windows; in a host's window it covers the
        // host's own children, as a new window does.
        if (parent == DefaultRootWindow(m_display) || ToHwnd(parent) == GetDesktopWindow())
            XLowerWindow(m_display, w);
    }

    HWND hwnd = ToHwnd(w);
    const bool disabled = (params.style & WS_DISABLED) != 0;
    m_windows[w] = {params.windowClass, fullScreenPopup, disabled, managed, place.width, place.height};
    if (!params.parent) {
        SetTitle(w, params.title);
        if (params.windowClass) SetIcon(w, params.windowClass->icon);
        XSetWMProtocols(m_display, w, &m_wmDeleteWindow, 1);
        if (managed) RequestFullScreen(w);
    }
    if (!disabled)
        XDefineCursor(m_display, w, CursorFor(params.windowClass ? params.windowClass->cursor : nullptr));
    if (params.style & WS_VISIBLE) {
        if (params.parent)
            XMapWindow(m_display, w);
        else
            XMapRaised(m_display, w);
    }
    XFlush(m_display);
    return hwnd;
}

void X11WindowBackend::Destroy(HWND hwnd) {
    ::Window w = ToWindow(hwnd);
    if (!m_display || !m_windows.erase(w)) return;
    std::erase_if(m_followers, [w](const auto& f) { return f.second == w; });
    X11ErrorTrap trap(m_display); // the window may already be gone with its parent
    XDestroyWindow(m_display, w);
    trap.Ok();
}

BOOL X11WindowBackend::IsWindow(HWND hwnd) {
    if (!Connect() || !hwnd) return FALSE;
    if (m_windows.count(ToWindow(hwnd))) return TRUE;
    X11ErrorTrap trap(m_display);
    XWindowAttributes attrs;
    Status ok = XGetWindowAttributes(m_display, ToWindow(hwnd), &attrs);
    return trap.Ok() && ok ? TRUE : FALSE;
}

BOOL X11WindowBackend::GetClientRect(HWND hwnd, RECT* rect) {
    if (!rect || !Connect() || !hwnd) return FALSE;
    X11ErrorTrap trap(m_display);
    XWindowAttributes attrs;
    Status ok = XGetWindowAttributes(m_display, ToWindow(hwnd), &attrs);
    if (!trap.Ok() || !ok) return FALSE;
    *rect = {0, 0, attrs.width, attrs.height};
    return TRUE;
}

void X11WindowBackend::EraseBackground(HWND hwnd) {
    if (!m_display || !m_windows.count(ToWindow(hwnd))) return;
    XClearWindow(m_display, ToWindow(hwnd));
    XFlush(m_display);
}

Cursor X11WindowBackend::CursorFor(HCURSOR cursor) {
    auto it = m_cursors.find(cursor);
    if (it != m_cursors.end()) return it->second;
    const auto* image = reinterpret_cast<const AfxImageResource*>(cursor);
    int w = image ? image->width : 1, h = image ? image->height : 1;
    int stride = (w + 7) / 8;
    std::vector<char> source(static_cast<size_t>(stride * h)), mask(source.size());
    for (int y = 0; image && y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t p = image->argb[y * w + x];
            int bit = 1 << (x % 8);
            if ((p >> 24) >= 128) mask[y * stride + x / 8] |= static_cast<char>(bit);
            int luminance = (((p >> 16) & 0xFF) * 3 + ((p >> 8) & 0xFF) * 6 + (p & 0xFF)) / 10;
            if (luminance >= 128) source[y * stride + x / 8] |= static_cast<char>(bit);
        }
    }
    ::Window root = DefaultRootWindow(m_display);
    Pixmap src = XCreateBitmapFromData(m_display, root, source.data(), w, h);
    Pixmap msk = XCreateBitmapFromData(m_display, root, mask.data(), w, h);
    XColor white = {}, black = {};
    white.red = white.green = white.blue = 0xFFFF;
    Cursor c = XCreatePixmapCursor(m_display, src, msk, &white, &black,
                                   image ? image->hotspotX : 0, image ? image->hotspotY : 0);
    XFreePixmap(m_display, src);
    XFreePixmap(m_display, msk);
    m_cursors[cursor] = c;
    return c;
}

void X11WindowBackend::SetCursor(HWND hwnd, HCURSOR cursor) {
    auto it = m_windows.find(ToWindow(hwnd));
    if (!m_display || it == m_windows.end() || it->second.disabled) return;
    XDefineCursor(m_display, ToWindow(hwnd), CursorFor(cursor));
    XFlush(m_display);
}

void X11WindowBackend::UpdateCursor(HWND hwnd) {
    ::SendMessage(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(1, WM_MOUSEMOVE));
    SetCursor(hwnd, ::GetCursor());
}

int X11WindowBackend::GetSystemMetrics(int index) {
    if ((index != SM_CXSCREEN && index != SM_CYSCREEN) || !Connect()) return 0;
    // Asked of the server each time: a display switch changes the screen size under us.
    ::Window root;
    int x, y;
    unsigned width, height, border, depth;
    if (!XGetGeometry(m_display, DefaultRootWindow(m_display), &root, &x, &y, &width, &height,
                      &border, &depth))
        return 0;
    return static_cast<int>(index == SM_CXSCREEN ? width : height);
}

WindowSurface X11WindowBackend::GetSurface(HWND hwnd) {
    RECT rc;
    if (!GetClientRect(hwnd, &rc)) return {};
    WindowSurface s;
    s.kind = WindowSurface::Kind::X11;
    s.displayName = DisplayString(m_display);
    s.xid = ToWindow(hwnd);
    s.width = rc.right;
    s.height = rc.bottom;
    return s;
}

BOOL X11WindowBackend::StretchBitmap(HWND hwnd, RECT dest, const AfxBitmapResource& bitmap,
                                     RECT source) {
    RECT client;
    if (!GetClientRect(hwnd, &client) || client.right <= 0 || client.bottom <= 0) return FALSE;
    const int width = client.right, height = client.bottom;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    StretchPaletteBitmap(bitmap, source, dest, pixels.data(), width, height);
    int screen = DefaultScreen(m_display);
    XWindowAttributes attrs;
    X11ErrorTrap trap(m_display);
    if (!XGetWindowAttributes(m_display, ToWindow(hwnd), &attrs) || !trap.Ok()) return FALSE;
    XImage* image = XCreateImage(m_display, attrs.visual, static_cast<unsigned>(attrs.depth),
                                 ZPixmap, 0, nullptr, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 32, 0);
    if (!image) return FALSE;
    image->data = static_cast<char*>(std::calloc(static_cast<size_t>(image->bytes_per_line), height));
    if (!image->data) {
        XDestroyImage(image);
        return FALSE;
    }
    const swr::PixelFormat format(attrs.visual->red_mask, attrs.visual->green_mask, attrs.visual->blue_mask);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            XPutPixel(image, x, y, format.Pack(pixels[static_cast<size_t>(y) * width + x]));
    XPutImage(m_display, ToWindow(hwnd), DefaultGC(m_display, screen), image, 0, 0, 0, 0,
              static_cast<unsigned>(width), static_cast<unsigned>(height));
    XDestroyImage(image); // frees the data too
    bool ok = trap.Ok();
    return ok ? TRUE : FALSE;
}

void X11WindowBackend::TakeFocus(::Window w) {
    X11ErrorTrap trap(m_display);
    XSetInputFocus(m_display, w, RevertToParent, CurrentTime);
    XWindowAttributes attrs;
    if (XGetWindowAttributes(m_display, w, &attrs) && attrs.override_redirect) {
        // No window manager looks after us: hold the keyboard and pointer ourselves. Another
        // client may hold a grab for a moment as we start, so try for a while; after that the
        // saver runs without the grab (input to other windows then does not close it).
        bool keyboard = false, pointer = false;
        for (int attempt = 0; attempt < kGrabAttempts && !(keyboard && pointer); ++attempt) {
            if (attempt) usleep(kGrabRetryMicroseconds);
            if (!keyboard)
                keyboard = XGrabKeyboard(m_display, w, True, GrabModeAsync, GrabModeAsync, CurrentTime) ==
                           GrabSuccess;
            if (!pointer)
                pointer = XGrabPointer(m_display, w, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                       GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
        }
    }
    trap.Ok();
}

// Judged by where the focus rests now, not by the event: at start-up the window manager's focus
// and our own XSetInputFocus race, and focus passed to nobody, to the root or to the frame around
// the window (weston's XWayland manager does all of these) is no user leaving.
bool X11WindowBackend::FocusIsWithAnotherClient(::Window w) {
    X11ErrorTrap trap(m_display);
    ::Window focus = None;
    int revert;
    XGetInputFocus(m_display, &focus, &revert);
    if (focus == None || focus == PointerRoot) return false;
    auto parentOf = [&](::Window child) {
        ::Window root, parent = None, *children = nullptr;
        unsigned count;
        if (!XQueryTree(m_display, child, &root, &parent, &children, &count)) parent = None;
        if (children) XFree(children);
        return parent;
    };
    for (::Window a = w; a != None; a = parentOf(a))
        if (a == focus) return false;
    for (::Window a = focus; a != None; a = parentOf(a))
        if (m_windows.count(a)) return false;
    return trap.Ok();
}

void X11WindowBackend::Pump() {
    if (!m_display) return;
    while (XPending(m_display)) {
        XEvent e;
        XNextEvent(m_display, &e);
        Translate(e);
    }
}

void X11WindowBackend::FollowParent(::Window parent, ::Window child) {
    XWindowAttributes attrs;
    X11ErrorTrap trap(m_display);
    if (!XGetWindowAttributes(m_display, parent, &attrs) || !trap.Ok()) return;
    XSelectInput(m_display, parent, attrs.your_event_mask | StructureNotifyMask);
    m_followers[parent] = child;
}

void X11WindowBackend::TranslateParentEvent(const XEvent& e, ::Window child) {
    if (e.type == ConfigureNotify && e.xconfigure.window == e.xany.window) {
        X11ErrorTrap trap(m_display);
        XResizeWindow(m_display, child, static_cast<unsigned>(std::max(1, e.xconfigure.width)),
                      static_cast<unsigned>(std::max(1, e.xconfigure.height)));
        trap.Ok();
    } else if (e.type == DestroyNotify && e.xdestroywindow.window == e.xany.window) {
        m_followers.erase(e.xany.window);
    }
}

HWND X11WindowBackend::GetDesktopWindow() {
    if (!Connect()) return nullptr;
    ::Window root = DefaultRootWindow(m_display), rootReturn, parentReturn, *children = nullptr;
    unsigned count = 0;
    ::Window desktop = root;
    Atom vroot = XInternAtom(m_display, "__SWM_VROOT", False);
    X11ErrorTrap trap(m_display);
    if (XQueryTree(m_display, root, &rootReturn, &parentReturn, &children, &count)) {
        for (unsigned i = 0; i < count && desktop == root; ++i) {
            Atom type;
            int format;
            unsigned long items, after;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(m_display, children[i], vroot, 0, 1, False, XA_WINDOW, &type,
                                   &format, &items, &after, &data) == Success &&
                data && items == 1)
                desktop = *reinterpret_cast<::Window*>(data);
            if (data) XFree(data);
        }
        if (children) XFree(children);
    }
    trap.Ok(); // a top-level window may vanish while we look
    return ToHwnd(desktop);
}

std::string X11WindowBackend::WhyNotDrawable(HWND hwnd) {
    if (!Connect()) return "cannot open the X display";
    XWindowAttributes attrs;
    X11ErrorTrap trap(m_display);
    if (!XGetWindowAttributes(m_display, ToWindow(hwnd), &attrs) || !trap.Ok())
        return "no such window";
    if (attrs.visual && attrs.visual->c_class == TrueColor) return {};
    static const char* const kClasses[] = {"StaticGray", "GrayScale", "StaticColor",
                                           "PseudoColor", "TrueColor", "DirectColor"};
    const int cls = attrs.visual ? attrs.visual->c_class : -1;
    char text[160];
    std::snprintf(text, sizeof text, "visual 0x%lx (%s, depth %d) is not TrueColor",
                  attrs.visual ? XVisualIDFromVisual(attrs.visual) : 0ul,
                  cls >= 0 && cls < 6 ? kClasses[cls] : "unknown", attrs.depth);
    return text;
}

void X11WindowBackend::Translate(const XEvent& e) {
    if (auto parent = m_followers.find(e.xany.window); parent != m_followers.end()) {
        TranslateParentEvent(e, parent->second);
        return;
    }
    auto it = m_windows.find(e.xany.window);
    if (it == m_windows.end()) return;
    const HWND hwnd = ToHwnd(e.xany.window);
    if (!QueueInput(hwnd, e)) TrackWindow(it, hwnd, e);
}

bool X11WindowBackend::QueueInput(HWND hwnd, const XEvent& e) {
    switch (e.type) {
    case MotionNotify:
        AfxQueueMouseMove(TranslateMotion(hwnd, e.xmotion));
        return true;
    case ButtonPress:
    case ButtonRelease: {
        MSG msg;
        if (TranslateButton(hwnd, e.xbutton, &msg)) AfxQueueInput(msg);
        return true;
    }
    case KeyPress:
    case KeyRelease: {
        XKeyEvent key = e.xkey;
        AfxQueueInput(TranslateKey(hwnd, key, XLookupKeysym(&key, 0)));
        return true;
    }
    default:
        return false;
    }
}

void X11WindowBackend::TrackWindow(Windows::iterator it, HWND hwnd, const XEvent& e) {
    switch (e.type) {
    case MapNotify:
        if (it->second.managed) SendFullScreenRequest(e.xany.window);
        if (it->second.takesFocus) TakeFocus(e.xany.window);
        UpdateCursor(hwnd);
        break;
    case Expose:
        if (e.xexpose.count == 0) AfxInvalidateWindow(hwnd);
        break;
    case ConfigureNotify:
        if (e.xconfigure.width != it->second.width || e.xconfigure.height != it->second.height) {
            it->second.width = e.xconfigure.width;
            it->second.height = e.xconfigure.height;
            ::PostMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                          MAKELPARAM(static_cast<WORD>(e.xconfigure.width), static_cast<WORD>(e.xconfigure.height)));
            const WindowClass* cls = it->second.windowClass;
            if (cls && (cls->style & (CS_HREDRAW | CS_VREDRAW))) AfxInvalidateWindow(hwnd);
        }
        break;
    case EnterNotify: UpdateCursor(hwnd); break;
    case FocusIn:
        if (IsRealFocusChange(e.xfocus)) AfxQueueActivation(hwnd, true);
        break;
    case FocusOut:
        if (IsRealFocusChange(e.xfocus) && FocusIsWithAnotherClient(e.xany.window)) AfxQueueActivation(hwnd, false);
        break;
    case ClientMessage:
        if (static_cast<Atom>(e.xclient.data.l[0]) == m_wmDeleteWindow)
            AfxQueueInput({hwnd, WM_SYSCOMMAND, SC_CLOSE, 0});
        break;
    case DestroyNotify:
        if (e.xdestroywindow.window == e.xany.window) {
            m_windows.erase(it);
            std::erase_if(m_followers, [&](const auto& f) { return f.second == e.xany.window; });
            AfxOnNativeWindowDestroyed(hwnd); // its parent was destroyed by another program
        }
        break;
    default: break;
    }
}
