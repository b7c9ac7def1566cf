// The GL service of programs without a window system (tools, tests): Mesa's surfaceless EGL
// platform, drawing memory surfaces offscreen.
#pragma once

#include "platform/gl/gl_surface.h"

#include <memory>

namespace egl {

std::shared_ptr<gl::Backend> MakeSurfacelessBackend();

// A context and target for a memory surface, shared by every Linux platform's backend.
std::unique_ptr<gl::Surface> CreateOffscreenSurface(int width, int height, int bitsPerPixel);

} // namespace egl
