#include "platform/gl/frame_status.h"

#include "platform/gl/gl_api.h"

namespace gl {

bool ReportsResets() {
#if defined(_WIN32)
    const bool canAsk = GLAD_GL_VERSION_4_5 || GLAD_GL_KHR_robustness;
#else
    const bool canAsk = epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_KHR_robustness");
#endif
    if (!canAsk) return false;
    // Only a context made to lose itself on a reset says so; others never report one.
    GLint strategy = 0;
    glGetIntegerv(GL_RESET_NOTIFICATION_STRATEGY, &strategy);
    return strategy == GL_LOSE_CONTEXT_ON_RESET;
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
