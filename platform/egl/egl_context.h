// EGL as the Linux platforms use it: one display per connection, a config and context chosen
// the same way for windows (X11, Wayland) and for drawing without a window.
#pragma once

#include "platform/gl/gl_surface.h"

#include <epoxy/egl.h>

#include <functional>
#include <memory>

namespace egl {

// An initialised display with a context of one of its configs: desktop OpenGL 3.3 core where
// the driver offers it, else OpenGL ES 3.0. Terminates the display when it goes.
class Context {
public:
    // platform: EGL_PLATFORM_X11_KHR, EGL_PLATFORM_WAYLAND_KHR or EGL_PLATFORM_SURFACELESS_MESA
    // with its native display (EGL_DEFAULT_DISPLAY for surfaceless). surfaceType: the
    // EGL_SURFACE_TYPE bits the config needs (0 to draw only into framebuffer objects).
    // The configs that `prefer` picks are tried first. Null when no context can be made.
    static std::unique_ptr<Context> Create(EGLenum platform, void* nativeDisplay, EGLint surfaceType,
                                           const std::function<bool(EGLDisplay, EGLConfig)>& prefer = {});
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    EGLDisplay Display() const { return m_display; }
    EGLConfig Config() const { return m_config; }
    EGLContext Handle() const { return m_context; }
    bool IsEs() const { return m_es; }
    gl::ChannelBits Bits() const { return m_bits; }
    EGLint Attribute(EGLint name) const;
    // Current on the calling thread with the surface (EGL_NO_SURFACE: none, for framebuffer
    // objects only).
    bool MakeCurrent(EGLSurface surface) const;

private:
    Context() = default;
    bool Choose(EGLint surfaceType, bool es, const std::function<bool(EGLDisplay, EGLConfig)>& prefer);

    EGLDisplay m_display = EGL_NO_DISPLAY;
    EGLConfig m_config = nullptr;
    EGLContext m_context = EGL_NO_CONTEXT;
    bool m_es = false;
    gl::ChannelBits m_bits;
};

// Probes the driver with a context of the platform whose config can draw into surfaceType
// surfaces: made current without a surface, then tested.
gl::DriverInfo ProbeDisplay(EGLenum platform, void* nativeDisplay, EGLint surfaceType);

} // namespace egl
