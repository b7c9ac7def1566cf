#include "platform/gl/offscreen_target.h"

#include <vector>

namespace gl {

OffscreenTarget::~OffscreenTarget() {
    if (m_framebuffer) glDeleteFramebuffers(1, &m_framebuffer);
    for (GLuint name : {m_colour, m_depth})
        if (name) glDeleteRenderbuffers(1, &name);
}

bool OffscreenTarget::Create(int width, int height, int bitsPerPixel) {
    m_width = width;
    m_height = height;
    const bool narrow = bitsPerPixel == 16;
    m_bits = narrow ? ChannelBits{5, 6, 5} : ChannelBits{8, 8, 8};
    glGenRenderbuffers(1, &m_colour);
    glBindRenderbuffer(GL_RENDERBUFFER, m_colour);
    glRenderbufferStorage(GL_RENDERBUFFER, narrow ? GL_RGB565 : GL_RGBA8, width, height);
    glGenRenderbuffers(1, &m_depth);
    glBindRenderbuffer(GL_RENDERBUFFER, m_depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glGenFramebuffers(1, &m_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_depth);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE &&
           glGetError() == GL_NO_ERROR;
}

void OffscreenTarget::Read(uint32_t* pixels) const {
    // RGBA bytes are what every GL and GL ES implementation can read back.
    std::vector<uint8_t> rgba(static_cast<size_t>(m_width) * m_height * 4);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    // GL's rows run bottom to top.
    for (int y = 0; y < m_height; ++y) {
        const uint8_t* in = rgba.data() + static_cast<size_t>(m_height - 1 - y) * m_width * 4;
        uint32_t* out = pixels + static_cast<size_t>(y) * m_width;
        for (int x = 0; x < m_width; ++x, in += 4)
            out[x] = 0xFF000000u | (uint32_t{in[0]} << 16) | (uint32_t{in[1]} << 8) | in[2];
    }
}

} // namespace gl
