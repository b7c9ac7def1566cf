// The X11 platform's OpenGL service: EGL on the X display. A window is drawn into with a config
// of its own visual where there is one, else through a child window of the config's visual that
// covers it (and takes no input: events go on to the window under it).
#pragma once

#include "platform/gl/gl_surface.h"

#include <memory>

std::shared_ptr<gl::Backend> MakeX11GlBackend();
