#include "platform/egl/surfaceless_backend.h"

#include "platform/afx/window_backend.h"
#include "platform/d3drm/window_presenter.h"
#include "platform/egl/egl_surface.h"

#include <mutex>

namespace egl {
namespace {

class SurfacelessBackend : public gl::Backend {
public:
    const gl::DriverInfo& Probe() override {
        std::call_once(m_probed, [this] {
            m_info = ProbeDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, 0);
        });
        return m_info;
    }

    std::unique_ptr<gl::Surface> CreateSurface(const swr::SurfaceTarget& target, int width, int height,
                                               int bitsPerPixel) override {
        if (target.kind != ::WindowSurface::Kind::Memory) return nullptr;
        return CreateOffscreenSurface(width, height, bitsPerPixel);
    }

private:
    std::once_flag m_probed;
    gl::DriverInfo m_info;
};

} // namespace

std::unique_ptr<gl::Surface> CreateOffscreenSurface(int width, int height, int bitsPerPixel) {
    return OffscreenSurface::Create(Context::Create(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, 0),
                                    width, height, bitsPerPixel);
}

std::shared_ptr<gl::Backend> MakeSurfacelessBackend() {
    return std::make_shared<SurfacelessBackend>();
}

} // namespace egl
