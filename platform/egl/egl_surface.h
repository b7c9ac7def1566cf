// gl::Surface over EGL: a context drawing into a native window, or into a framebuffer object
// without any window.
#pragma once

#include "platform/egl/egl_context.h"
#include "platform/gl/offscreen_target.h"

#include <memory>
#include <mutex>

namespace egl {

// What a window surface draws into on the native side (a connection, a window made for the
// purpose); destroyed after the surface and context.
class NativeWindow {
public:
    virtual ~NativeWindow() = default;
};

class WindowSurface : public gl::Surface {
public:
    // nativeWindow as eglCreatePlatformWindowSurfaceEXT takes it (X11: a pointer to the
    // Window; Wayland: the wl_egl_window). Where the window system wants each commit's requests
    // kept together, presentLock is held around every buffer swap. Current on the calling
    // thread; null on failure.
    static std::unique_ptr<WindowSurface> Create(std::unique_ptr<Context> context, void* nativeWindow,
                                                 std::unique_ptr<NativeWindow> native,
                                                 std::mutex* presentLock = nullptr);
    ~WindowSurface() override;

    bool IsEs() const override { return m_context->IsEs(); }
    gl::ChannelBits Bits() const override { return m_context->Bits(); }
    unsigned Framebuffer() const override { return 0; }
    bool MakeCurrent() override;
    bool Present() override;
    bool Read(uint32_t*) override { return false; }

private:
    WindowSurface() = default;

    std::unique_ptr<NativeWindow> m_native;
    std::unique_ptr<Context> m_context;
    EGLSurface m_surface = EGL_NO_SURFACE;
    std::mutex* m_presentLock = nullptr;
};

class OffscreenSurface : public gl::Surface {
public:
    // A context made current without a surface, drawing into a width × height target.
    static std::unique_ptr<OffscreenSurface> Create(std::unique_ptr<Context> context, int width,
                                                    int height, int bitsPerPixel);
    ~OffscreenSurface() override;

    bool IsEs() const override { return m_context->IsEs(); }
    gl::ChannelBits Bits() const override { return m_target->Bits(); }
    unsigned Framebuffer() const override { return m_target->Framebuffer(); }
    bool MakeCurrent() override;
    bool Present() override;
    bool Read(uint32_t* pixels) override;

private:
    OffscreenSurface() = default;

    std::unique_ptr<Context> m_context;
    std::unique_ptr<gl::OffscreenTarget> m_target;
};

} // namespace egl
