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

// A buffer swap attaches, damages and commits the surface: one group of surface requests, held
// together under the lock that the window backend's configure acknowledgements also take.
class CommitLockedSurface : public gl::Surface {
public:
    explicit CommitLockedSurface(std::unique_ptr<gl::Surface> surface) : m_surface(std::move(surface)) {}
    bool IsEs() const override { return m_surface->IsEs(); }
    gl::ChannelBits Bits() const override { return m_surface->Bits(); }
    unsigned Framebuffer() const override { return m_surface->Framebuffer(); }
    bool MakeCurrent() override { return m_surface->MakeCurrent(); }
    bool Present() override {
        std::lock_guard<std::mutex> lock(WaylandCommitLock());
        return m_surface->Present();
    }
    bool Read(uint32_t* pixels) override { return m_surface->Read(pixels); }

private:
    std::unique_ptr<gl::Surface> m_surface;
};

std::unique_ptr<gl::Surface> CreateWindowSurface(const swr::SurfaceTarget& target, int width, int height) {
    if (!target.wlDisplay || !target.wlSurface) return nullptr;
    std::unique_ptr<egl::Context> context =
        egl::Context::Create(EGL_PLATFORM_WAYLAND_KHR, target.wlDisplay, EGL_WINDOW_BIT);
    if (!context) return nullptr;
    wl_egl_window* window = wl_egl_window_create(target.wlSurface, width, height);
    if (!window) return nullptr;
    auto native = std::make_unique<EglWindow>(window);
    {
        // The buffers are drawn at the output's real pixel size: the compositor must not scale them.
        std::lock_guard<std::mutex> lock(WaylandCommitLock());
        wl_surface_set_buffer_scale(target.wlSurface, target.scale > 0 ? target.scale : 1);
    }
    auto surface = egl::WindowSurface::Create(std::move(context), window, std::move(native));
    if (!surface) return nullptr;
    return std::make_unique<CommitLockedSurface>(std::move(surface));
}

} // namespace

std::shared_ptr<gl::Backend> MakeWaylandGlBackend(wl_display* display) {
    return egl::MakeBackend(
        WindowSurface::Kind::Wayland,
        [display] { return egl::ProbeDisplay(EGL_PLATFORM_WAYLAND_KHR, display, EGL_WINDOW_BIT); },
        CreateWindowSurface);
}
