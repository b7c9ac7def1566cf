#include "platform/swr/frame_buffer.h"

#include "platform/swr/raster_kernels.h"

#include <algorithm>
#include <cstring>

namespace swr {

FrameBuffer::FrameBuffer(int width, int height, bool allocateLater)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_depth(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0.0f) {
    if (!allocateLater) Allocate();
}

uint32_t* FrameBuffer::Allocate() const {
    m_ownPixels.assign(m_depth.size(), 0xFF000000u);
    m_pixelData = m_ownPixels.data();
    return m_pixelData;
}

void FrameBuffer::UseExternalPixels(uint32_t* external) {
    if (!external || external == m_pixelData) return;
    if (m_pixelData) {
        std::memcpy(external, m_pixelData, m_depth.size() * sizeof(uint32_t));
    } else {
        kernels::Active().fill(external, m_depth.size(), 0xFF000000u);
    }
    std::vector<uint32_t>().swap(m_ownPixels);
    m_pixelData = external;
}

void FrameBuffer::Clear(D3DCOLOR colour) {
    kernels::Active().fill(Pixels(), m_depth.size(), colour | 0xFF000000u);
    std::memset(m_depth.data(), 0, m_depth.size() * sizeof(float)); // 0.0f is all zero bits
    AddDamage(0, 0, m_width, m_height);
}

void FrameBuffer::Clear(D3DCOLOR colour, RECT area) {
    const int left = std::max<int>(area.left, 0), top = std::max<int>(area.top, 0);
    const int right = std::min<int>(area.right, m_width), bottom = std::min<int>(area.bottom, m_height);
    if (right <= left || bottom <= top) return;
    const kernels::Kernels& wide = kernels::Active();
    uint32_t* pixels = Pixels();
    const size_t width = static_cast<size_t>(right - left);
    if (width == static_cast<size_t>(m_width)) { // whole rows: one run
        const size_t start = Index(0, top), count = width * static_cast<size_t>(bottom - top);
        wide.fill(pixels + start, count, colour | 0xFF000000u);
        std::memset(m_depth.data() + start, 0, count * sizeof(float));
    } else {
        for (int y = top; y < bottom; ++y) {
            wide.fill(pixels + Index(left, y), width, colour | 0xFF000000u);
            std::memset(m_depth.data() + Index(left, y), 0, width * sizeof(float));
        }
    }
    AddDamage(left, top, right, bottom);
}

void FrameBuffer::AddDamage(int left, int top, int right, int bottom) {
    Unite(m_damage, {std::max(left, 0), std::max(top, 0), std::min(right, m_width), std::min(bottom, m_height)});
}

RECT FrameBuffer::TakeDamage() {
    RECT taken = m_damage;
    m_damage = {0, 0, 0, 0};
    return taken;
}

} // namespace swr
