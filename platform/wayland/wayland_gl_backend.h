// The Wayland platform's OpenGL service: EGL on the compositor connection, drawing into a
// wl_egl_window of the window's surface at its buffer scale.
#pragma once

#include "platform/gl/gl_surface.h"

#include <memory>

struct wl_display;

std::shared_ptr<gl::Backend> MakeWaylandGlBackend(wl_display* display);
