// The GL device's tests draw offscreen through Mesa's surfaceless EGL platform, with the GL
// device listed even on a software driver. Where no context can be made they are skipped.
#pragma once

#include "platform/egl/egl_backend.h"
#include "platform/egl/egl_context.h"
#include "platform/gl/gl_surface.h"
#include "platform/platform.h"

#include <cstdlib>
#include <gtest/gtest.h>

inline bool InstallOffscreenGl() {
    // Held for the whole process: Mesa's driver then stays loaded, so that the leak checker can
    // name what it keeps (tests/lsan.supp) instead of reporting an unloaded module's memory.
    static egl::Context* const held =
        egl::Context::Create(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, 0).release();
    (void)held;
    setenv("QUORVEL_GL", "force", 1);
    if (!ThePlatform().gl) ThePlatform().gl = egl::MakeSurfacelessBackend();
    return ThePlatform().gl->Probe().usable;
}

#define SKIP_WITHOUT_GL()                                                                          \
    if (!InstallOffscreenGl()) GTEST_SKIP() << "no OpenGL context can be made here"
