#include "platform/egl/egl_context.h"

#include "platform/gl/probe.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

namespace egl {
namespace {

// One native display gives one EGL display, shared by every context made on it (the
// surfaceless one by all): it is terminated when the last of them goes.
std::mutex g_displayMutex;
std::map<EGLDisplay, int> g_displayUsers;

bool InitializeDisplay(EGLDisplay display) {
    std::lock_guard lock(g_displayMutex);
    int& users = g_displayUsers[display];
    if (users == 0) {
        EGLint major = 0, minor = 0;
        if (!eglInitialize(display, &major, &minor)) {
            g_displayUsers.erase(display);
            return false;
        }
    }
    ++users;
    return true;
}

void TerminateDisplay(EGLDisplay display) {
    std::lock_guard lock(g_displayMutex);
    if (--g_displayUsers[display] > 0) return;
    g_displayUsers.erase(display);
    eglTerminate(display);
}

bool HasExtension(EGLDisplay display, const char* name) {
    return epoxy_has_egl_extension(display, name);
}

} // namespace

std::unique_ptr<Context> Context::Create(EGLenum platform, void* nativeDisplay, EGLint surfaceType,
                                         const std::function<bool(EGLDisplay, EGLConfig)>& prefer) {
    // No EGL library at all, or one without the client extension that names the platform.
    if (!epoxy_has_egl() || !HasExtension(EGL_NO_DISPLAY, "EGL_EXT_platform_base")) return nullptr;
    std::unique_ptr<Context> c(new Context);
    const EGLDisplay display = eglGetPlatformDisplayEXT(platform, nativeDisplay, nullptr);
    if (display == EGL_NO_DISPLAY || !InitializeDisplay(display)) return nullptr;
    c->m_display = display;
    if (!c->Choose(surfaceType, false, prefer) && !c->Choose(surfaceType, true, prefer)) return nullptr;
    c->m_bits = {c->Attribute(EGL_RED_SIZE), c->Attribute(EGL_GREEN_SIZE), c->Attribute(EGL_BLUE_SIZE)};
    return c;
}

bool Context::Choose(EGLint surfaceType, bool es, const std::function<bool(EGLDisplay, EGLConfig)>& prefer) {
    if (!eglBindAPI(es ? EGL_OPENGL_ES_API : EGL_OPENGL_API)) return false;
    const EGLint wanted[] = {EGL_SURFACE_TYPE, surfaceType,
                             EGL_RENDERABLE_TYPE, es ? EGL_OPENGL_ES3_BIT : EGL_OPENGL_BIT,
                             EGL_COLOR_BUFFER_TYPE, EGL_RGB_BUFFER,
                             EGL_RED_SIZE, 5, EGL_GREEN_SIZE, 5, EGL_BLUE_SIZE, 5,
                             EGL_DEPTH_SIZE, 16,
                             EGL_NONE};
    EGLint count = 0;
    if (!eglChooseConfig(m_display, wanted, nullptr, 0, &count) || count <= 0) return false;
    std::vector<EGLConfig> configs(static_cast<size_t>(count));
    if (!eglChooseConfig(m_display, wanted, configs.data(), count, &count)) return false;
    configs.resize(static_cast<size_t>(count));
    if (prefer)
        std::stable_partition(configs.begin(), configs.end(), [&](EGLConfig c) { return prefer(m_display, c); });

    // A lost GPU is then reported to us instead of ending the process. ES asks for it through
    // the EXT extension; desktop GL through KHR_create_context (the EXT token is ES-only in Mesa).
    const bool robust = HasExtension(m_display, es ? "EGL_EXT_create_context_robustness" : "EGL_KHR_create_context");
    const EGLint strategy = es ? EGL_CONTEXT_OPENGL_RESET_NOTIFICATION_STRATEGY_EXT
                               : EGL_CONTEXT_OPENGL_RESET_NOTIFICATION_STRATEGY_KHR;
    for (EGLConfig config : configs) {
        for (bool tryRobust : {robust, false}) {
            std::vector<EGLint> attributes = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, es ? 0 : 3};
            if (!es) attributes.insert(attributes.end(), {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                                          EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT});
            if (tryRobust)
                attributes.insert(attributes.end(), {strategy, EGL_LOSE_CONTEXT_ON_RESET_EXT});
            attributes.push_back(EGL_NONE);
            m_context = eglCreateContext(m_display, config, EGL_NO_CONTEXT, attributes.data());
            if (m_context != EGL_NO_CONTEXT) {
                m_config = config;
                m_es = es;
                return true;
            }
            if (!tryRobust) break;
        }
    }
    return false;
}

Context::~Context() {
    if (m_display == EGL_NO_DISPLAY) return;
    if (eglGetCurrentContext() == m_context)
        eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (m_context != EGL_NO_CONTEXT) eglDestroyContext(m_display, m_context);
    TerminateDisplay(m_display);
}

EGLint Context::Attribute(EGLint name) const {
    EGLint value = 0;
    eglGetConfigAttrib(m_display, m_config, name, &value);
    return value;
}

bool Context::MakeCurrent(EGLSurface surface) const {
    return eglMakeCurrent(m_display, surface, surface, m_context) == EGL_TRUE;
}

gl::DriverInfo ProbeDisplay(EGLenum platform, void* nativeDisplay, EGLint surfaceType) {
    std::unique_ptr<Context> context = Context::Create(platform, nativeDisplay, surfaceType);
    if (!context || !context->MakeCurrent(EGL_NO_SURFACE)) return {};
    return gl::ProbeCurrentContext(context->IsEs());
}

} // namespace egl
