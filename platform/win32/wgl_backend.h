// The Win32 platform's OpenGL service: WGL contexts on the saver window's device context, an
// OpenGL 3.3 core context through the driver's pixel format. The system's generic software
// implementation counts as a software driver.
#pragma once

#include "platform/gl/gl_surface.h"

#include <memory>

std::shared_ptr<gl::Backend> MakeWglBackend();
