// Which OpenGL drivers count as hardware, and what the user asked for with QUORVEL_GL.
#pragma once

#include "platform/gl/gl_surface.h"

namespace gl {

enum class Preference {
    Hardware, // the default: a GL device only where the driver is not a software renderer
    Force,    // QUORVEL_GL=force: also on a software renderer
    Off,      // QUORVEL_GL=off: never
};

Preference PreferenceFromEnvironment();
// Renderers that draw on the processor (Mesa's llvmpipe, softpipe and swrast; Windows' GDI
// generic implementation), by their GL_RENDERER string.
bool IsSoftwareRenderer(const std::string& renderer);
// Whether a probed driver gives a device under the preference.
bool OffersDevice(const DriverInfo& driver, Preference preference);

} // namespace gl
