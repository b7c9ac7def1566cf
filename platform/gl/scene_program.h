// The one shader program of the GL device: camera-space vertices with their lit colours in,
// projected as the software rasterizer projects them, colours interpolated linearly in screen
// space and rounded as the software device rounds them.
#pragma once

#include "platform/gl/gl_api.h"
#include "platform/gl/gl_surface.h"
#include "platform/swr/raster.h"

namespace gl {

// The value a target with `bits` bits per channel stores for an 8-bit channel value: its top
// bits, as the software device's pixel formats take them.
float ChannelValue(unsigned byte, int bits);

class SceneProgram {
public:
    SceneProgram() = default;
    // Needs the context it was built on to be current.
    ~SceneProgram();
    SceneProgram(const SceneProgram&) = delete;
    SceneProgram& operator=(const SceneProgram&) = delete;

    // Compiles and links for the current context; false when the driver refuses.
    bool Build(bool es);
    // Makes the program and the device's fixed state current (depth test, back faces culled,
    // no dithering) for drawing a viewport under the projection into a target with these channel
    // bits. The caller sets the GL viewport.
    void Use(const swr::Projection& projection, ChannelBits bits) const;

private:
    GLuint m_program = 0;
    GLint m_scale = -1, m_depth = -1, m_step = -1, m_levels = -1;
};

} // namespace gl
