// The GL service of a Linux platform over EGL: the driver probed once, window surfaces made by the
// platform's own function, memory surfaces drawn offscreen (EGL without a surface).
#pragma once

#include "platform/afx/window_backend.h"
#include "platform/gl/gl_surface.h"

#include <functional>
#include <memory>

namespace egl {

using Prober = std::function<gl::DriverInfo()>;
// A surface for a window of the platform's kind, width × height buffer pixels.
using WindowSurfaceMaker =
    std::function<std::unique_ptr<gl::Surface>(const swr::SurfaceTarget& target, int width, int height)>;

// windows may be empty for a platform without windows (kind then Unknown).
std::shared_ptr<gl::Backend> MakeBackend(::WindowSurface::Kind kind, Prober probe, WindowSurfaceMaker windows);

// Without a window system: Mesa's surfaceless platform, memory surfaces only (tools, tests).
std::shared_ptr<gl::Backend> MakeSurfacelessBackend();

} // namespace egl
