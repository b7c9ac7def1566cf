// The test every platform's probe runs on the context it made: what renders it, and whether
// the device's program builds and draws a known colour where it should.
#pragma once

#include "platform/gl/gl_surface.h"

namespace gl {

// Needs a current context; leaves nothing behind on it.
DriverInfo ProbeCurrentContext(bool es);

} // namespace gl
