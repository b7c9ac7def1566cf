#include "platform/egl/egl_surface.h"

namespace egl {

std::unique_ptr<WindowSurface> WindowSurface::Create(std::unique_ptr<Context> context, void* nativeWindow,
                                                     std::unique_ptr<NativeWindow> native,
                                                     std::mutex* presentLock) {
    if (!context) return nullptr;
    std::unique_ptr<WindowSurface> s(new WindowSurface);
    s->m_presentLock = presentLock;
    s->m_native = std::move(native);
    s->m_context = std::move(context);
    s->m_surface = eglCreatePlatformWindowSurfaceEXT(s->m_context->Display(), s->m_context->Config(),
                                                     nativeWindow, nullptr);
    if (s->m_surface == EGL_NO_SURFACE || !s->m_context->MakeCurrent(s->m_surface)) return nullptr;
    // One frame per tick: waiting for the vertical blank would only hold the scene lock longer.
    eglSwapInterval(s->m_context->Display(), 0);
    return s;
}

WindowSurface::~WindowSurface() {
    if (m_context && m_surface != EGL_NO_SURFACE) {
        if (eglGetCurrentSurface(EGL_DRAW) == m_surface)
            eglMakeCurrent(m_context->Display(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroySurface(m_context->Display(), m_surface);
    }
    m_context.reset();
    m_native.reset();
}

bool WindowSurface::MakeCurrent() {
    if (eglGetCurrentContext() == m_context->Handle() && eglGetCurrentSurface(EGL_DRAW) == m_surface) return true;
    return m_context->MakeCurrent(m_surface);
}

bool WindowSurface::Present() {
    std::unique_lock<std::mutex> lock;
    if (m_presentLock) lock = std::unique_lock<std::mutex>(*m_presentLock);
    return eglSwapBuffers(m_context->Display(), m_surface) == EGL_TRUE;
}

std::unique_ptr<OffscreenSurface> OffscreenSurface::Create(std::unique_ptr<Context> context, int width,
                                                           int height, int bitsPerPixel) {
    if (!context || !context->MakeCurrent(EGL_NO_SURFACE)) return nullptr;
    std::unique_ptr<OffscreenSurface> s(new OffscreenSurface);
    s->m_context = std::move(context);
    s->m_target = std::make_unique<gl::OffscreenTarget>();
    if (!s->m_target->Create(width, height, bitsPerPixel)) return nullptr;
    return s;
}

OffscreenSurface::~OffscreenSurface() {
    // The target's objects go with the context, which must be current for that.
    if (m_context && MakeCurrent()) m_target.reset();
    m_context.reset();
}

bool OffscreenSurface::MakeCurrent() {
    if (eglGetCurrentContext() == m_context->Handle()) return true;
    return m_context->MakeCurrent(EGL_NO_SURFACE);
}

bool OffscreenSurface::Present() {
    glFinish();
    return glGetError() == GL_NO_ERROR;
}

bool OffscreenSurface::Read(uint32_t* pixels) {
    m_target->Read(pixels);
    return glGetError() == GL_NO_ERROR;
}

} // namespace egl
