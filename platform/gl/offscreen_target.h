// A framebuffer object with colour and depth storage, for drawing without a window (memory
// surfaces, the probe), and reading the picture back.
#pragma once

#include "platform/gl/gl_api.h"
#include "platform/gl/gl_surface.h"

#include <cstdint>

namespace gl {

class OffscreenTarget {
public:
    OffscreenTarget() = default;
    // Needs the context it was created on to be current.
    ~OffscreenTarget();
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    // width × height pixels of 8-bit channels, or 5-6-5 for a 16-bit display; false when the
    // driver cannot make them.
    bool Create(int width, int height, int bitsPerPixel);
    GLuint Framebuffer() const { return m_framebuffer; }
    ChannelBits Bits() const { return m_bits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The picture as 0xFFRRGGBB words, rows top to bottom, width × height of them.
    void Read(uint32_t* pixels) const;

private:
    GLuint m_framebuffer = 0, m_colour = 0, m_depth = 0;
    int m_width = 0, m_height = 0;
    ChannelBits m_bits;
};

} // namespace gl
