#include "platform/win32/wgl_backend.h"

#include "platform/d3drm/window_presenter.h"
#include "platform/gl/probe.h"
#include "platform/win32/native.h"

#include <mutex>

namespace {

class WglSurface : public gl::Surface {
public:
    WglSurface(w32::GlContext* context, const w32::GlFormat& format) : m_context(context), m_format(format) {}
    ~WglSurface() override { w32::DestroyGlContext(m_context); }

    bool IsEs() const override { return false; }
    gl::ChannelBits Bits() const override { return {m_format.red, m_format.green, m_format.blue}; }
    unsigned Framebuffer() const override { return 0; }
    bool MakeCurrent() override { return w32::MakeGlCurrent(m_context); }
    bool Present() override { return w32::SwapGlBuffers(m_context); }
    bool Read(uint32_t*) override { return false; }

private:
    w32::GlContext* m_context;
    w32::GlFormat m_format;
};

class WglBackend : public gl::Backend {
public:
    const gl::DriverInfo& Probe() override {
        std::call_once(m_probed, [this] {
            void* window = w32::MakeHiddenWindow();
            w32::GlFormat format;
            if (w32::GlContext* context = window ? w32::CreateGlContext(window, &format) : nullptr) {
                m_info = gl::ProbeCurrentContext(false);
                m_info.software |= format.generic;
                w32::DestroyGlContext(context);
            }
            w32::DestroyHiddenWindow(window);
        });
        return m_info;
    }

    std::unique_ptr<gl::Surface> CreateSurface(const swr::SurfaceTarget& target, int, int, int) override {
        if (target.kind != WindowSurface::Kind::Win32 || !target.hwnd) return nullptr;
        w32::GlFormat format;
        w32::GlContext* context = w32::CreateGlContext(target.hwnd, &format);
        if (!context) return nullptr;
        return std::make_unique<WglSurface>(context, format);
    }

private:
    std::once_flag m_probed;
    gl::DriverInfo m_info;
};

} // namespace

std::shared_ptr<gl::Backend> MakeWglBackend() {
    return std::make_shared<WglBackend>();
}
