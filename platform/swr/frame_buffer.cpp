#include "platform/swr/frame_buffer.h"

#include <algorithm>

namespace swr {

FrameBuffer::FrameBuffer(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0xFF000000u),
      m_depth(m_pixels.size(), 0.0f) {}

void FrameBuffer::Clear(D3DCOLOR colour) {
    std::fill(m_pixels.begin(), m_pixels.end(), colour | 0xFF000000u);
    std::fill(m_depth.begin(), m_depth.end(), 0.0f);
    AddDamage(0, 0, m_width, m_height);
}

void FrameBuffer::Clear(D3DCOLOR colour, RECT area) {
    const int left = std::max<int>(area.left, 0), top = std::max<int>(area.top, 0);
    const int right = std::min<int>(area.right, m_width), bottom = std::min<int>(area.bottom, m_height);
    if (right <= left || bottom <= top) return;
    for (int y = top; y < bottom; ++y) {
        std::fill_n(m_pixels.begin() + static_cast<std::ptrdiff_t>(Index(left, y)), right - left, colour | 0xFF000000u);
        std::fill_n(m_depth.begin() + static_cast<std::ptrdiff_t>(Index(left, y)), right - left, 0.0f);
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
