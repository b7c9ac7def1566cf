#include "platform/gl/frame_status.h"

#include "platform/gl/gl_api.h"

namespace gl {

bool ReportsResets() {
#if defined(_WIN32)
    return GLAD_GL_VERSION_4_5 || GLAD_GL_KHR_robustness;
#else
    return epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_KHR_robustness");
#endif
}

bool FrameSucceeded(bool reportsResets) {
    if (reportsResets && glGetGraphicsResetStatus() != GL_NO_ERROR) return false;
    bool ok = true;
    // Errors queue up; an error of this frame may sit behind one of an earlier call.
    for (int i = 0; i < 8; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) break;
        ok = false;
    }
    return ok;
}

} // namespace gl
