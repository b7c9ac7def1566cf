// The GL device's tests draw offscreen through Mesa's surfaceless EGL platform, with the GL
// device listed even on a software driver. Where no context can be made they are skipped.
#pragma once

#include "platform/egl/egl_backend.h"
#include "platform/gl/gl_surface.h"
#include "platform/platform.h"

#include <cstdlib>
#include <gtest/gtest.h>

inline bool InstallOffscreenGl() {
    setenv("QUORVEL_GL", "force", 1);
    if (!ThePlatform().gl) ThePlatform().gl = egl::MakeSurfacelessBackend();
    return ThePlatform().gl->Probe().usable;
}

#define SKIP_WITHOUT_GL()                                                                          \
    if (!InstallOffscreenGl()) GTEST_SKIP() << "no OpenGL context can be made here"
