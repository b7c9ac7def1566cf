#include "platform/wayland/wayland_gl_backend.h"

#include "platform/d3drm/window_presenter.h"
#include "platform/egl/egl_backend.h"
#include "platform/egl/egl_surface.h"
#include "platform/wayland/wayland_shm.h"

#include <wayland-client.h>
#include <wayland-egl.h>

namespace {

class EglWindow : public egl::NativeWindow {
public:
    explicit EglWindow(wl_egl_window* window) : window(window) {}
    ~EglWindow() override { wl_egl_window_destroy(window); }
    wl_egl_window* window;
};

std::unique_ptr<gl::Surface> CreateWindowSurface(const swr::SurfaceTarget& target, int width, int height) {
    if (!target.wlDisplay || !target.wlSurface) return nullptr;
    std::unique_ptr<egl::Context> context =
        egl::Context::Create(EGL_PLATFORM_WAYLAND_KHR, target.wlDisplay, EGL_WINDOW_BIT);
    if (!context) return nullptr;
    wl_egl_window* window = wl_egl_window_create(target.wlSurface, width, height);
    if (!window) return nullptr;
    auto native = std::make_unique<EglWindow>(window);
    // A buffer swap attaches, damages and commits the surface: one group of surface requests, kept
    // together under the lock that the window backend's configure acknowledgements also take.
    return egl::WindowSurface::Create(std::move(context), window, std::move(native), &WaylandCommitLock());
}

} // namespace

std::shared_ptr<gl::Backend> MakeWaylandGlBackend(wl_display* display) {
    return egl::MakeBackend(
        WindowSurface::Kind::Wayland,
        [display] { return egl::ProbeDisplay(EGL_PLATFORM_WAYLAND_KHR, display, EGL_WINDOW_BIT); },
        CreateWindowSurface);
}
