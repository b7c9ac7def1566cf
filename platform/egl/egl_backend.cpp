#include "platform/egl/egl_backend.h"

#include "platform/d3drm/window_presenter.h"
#include "platform/egl/egl_surface.h"

#include <mutex>

namespace egl {
namespace {

class Backend : public gl::Backend {
public:
    Backend(::WindowSurface::Kind kind, Prober probe, WindowSurfaceMaker windows)
        : m_kind(kind), m_probe(std::move(probe)), m_windows(std::move(windows)) {}

    const gl::DriverInfo& Probe() override {
        std::call_once(m_probed, [this] { m_info = m_probe(); });
        return m_info;
    }

    std::unique_ptr<gl::Surface> CreateSurface(const swr::SurfaceTarget& target, int width, int height,
                                               int bitsPerPixel) override {
        if (target.kind == ::WindowSurface::Kind::Memory) {
            return OffscreenSurface::Create(
                Context::Create(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, 0), width, height, bitsPerPixel);
        }
        if (target.kind == m_kind && m_windows) return m_windows(target, width, height);
        return nullptr;
    }

private:
    ::WindowSurface::Kind m_kind;
    Prober m_probe;
    WindowSurfaceMaker m_windows;
    std::once_flag m_probed;
    gl::DriverInfo m_info;
};

} // namespace

std::shared_ptr<gl::Backend> MakeBackend(::WindowSurface::Kind kind, Prober probe, WindowSurfaceMaker windows) {
    return std::make_shared<Backend>(kind, std::move(probe), std::move(windows));
}

std::shared_ptr<gl::Backend> MakeSurfacelessBackend() {
    return MakeBackend(::WindowSurface::Kind::Unknown,
                       [] { return ProbeDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, 0); }, {});
}

} // namespace egl
