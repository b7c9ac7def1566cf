#include "platform/x11/x11_gl_backend.h"

#include "platform/d3drm/window_presenter.h"
#include "platform/egl/egl_backend.h"
#include "platform/egl/egl_surface.h"
#include "platform/x11/x11_error_trap.h"

#include <X11/Xutil.h>

namespace {

// The connection a surface draws through, opened on the drawing thread (as the presenter's
// is), with the child window made for the config where one was.
class X11Native : public egl::NativeWindow {
public:
    explicit X11Native(Display* display) : display(display) {}
    ~X11Native() override {
        if (child) XDestroyWindow(display, child);
        if (colormap) XFreeColormap(display, colormap); // freed earlier, it would leave the child without one
        XCloseDisplay(display);
    }

    Display* display;
    Window child = 0;
    Colormap colormap = 0;
};

// A child of parent filling it, of the config's visual; 0 when the server refuses.
Window CreateChild(X11Native& native, Window parent, EGLint visualId, int width, int height) {
    Display* display = native.display;
    XVisualInfo wanted{};
    wanted.visualid = static_cast<VisualID>(visualId);
    int count = 0;
    XVisualInfo* info = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    if (!info) return 0;
    X11ErrorTrap trap(display);
    XSetWindowAttributes attributes{};
    attributes.colormap = native.colormap = XCreateColormap(display, parent, info->visual, AllocNone);
    attributes.border_pixel = 0;
    attributes.background_pixmap = None;
    Window child = XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                                 0, info->depth, InputOutput, info->visual,
                                 CWColormap | CWBorderPixel | CWBackPixmap, &attributes);
    XFree(info);
    if (child) XMapWindow(display, child);
    if (!trap.Ok()) return 0;
    return child;
}

std::unique_ptr<gl::Surface> CreateWindowSurface(const swr::SurfaceTarget& target, int width, int height) {
    Display* display = XOpenDisplay(target.displayName.empty() ? nullptr : target.displayName.c_str());
    if (!display) return nullptr;
    auto native = std::make_unique<X11Native>(display);
    XWindowAttributes attributes{};
    {
        X11ErrorTrap trap(display);
        if (!XGetWindowAttributes(display, target.xid, &attributes) || !trap.Ok()) return nullptr;
    }
    const auto own = static_cast<EGLint>(XVisualIDFromVisual(attributes.visual));
    std::unique_ptr<egl::Context> context =
        egl::Context::Create(EGL_PLATFORM_X11_KHR, display, EGL_WINDOW_BIT, [own](EGLDisplay d, EGLConfig c) {
            EGLint visual = 0;
            return eglGetConfigAttrib(d, c, EGL_NATIVE_VISUAL_ID, &visual) && visual == own;
        });
    if (!context) return nullptr;
    Window drawable = target.xid;
    if (const EGLint visual = context->Attribute(EGL_NATIVE_VISUAL_ID); visual != own) {
        native->child = CreateChild(*native, target.xid, visual, width, height);
        if (!native->child) return nullptr;
        drawable = native->child;
    }
    return egl::WindowSurface::Create(std::move(context), &drawable, std::move(native));
}

} // namespace

std::shared_ptr<gl::Backend> MakeX11GlBackend() {
    return egl::MakeBackend(
        WindowSurface::Kind::X11,
        [] {
            gl::DriverInfo info;
            if (Display* display = XOpenDisplay(nullptr)) {
                info = egl::ProbeDisplay(EGL_PLATFORM_X11_KHR, display, EGL_WINDOW_BIT);
                XCloseDisplay(display);
            }
            return info;
        },
        CreateWindowSurface);
}
