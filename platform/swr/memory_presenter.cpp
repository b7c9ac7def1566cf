#include "platform/swr/memory_presenter.h"

#include <algorithm>

namespace swr {

void MemoryPresenter::Resize(int width, int height) {
    if (width == m_width && height == m_height) return;
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0xFF000000u);
}

uint32_t* MemoryPresenter::Surface(int width, int height) {
    Resize(width, height);
    return m_pixels.data();
}

bool MemoryPresenter::Present(const FrameBuffer& frame, RECT damage) {
    Resize(frame.Width(), frame.Height());
    ++m_presents;
    if (frame.Pixels() == m_pixels.data()) return true; // drawn in place
    const LONG left = std::max<LONG>(damage.left, 0), top = std::max<LONG>(damage.top, 0);
    const LONG right = std::min<LONG>(damage.right, m_width), bottom = std::min<LONG>(damage.bottom, m_height);
    for (LONG y = top; y < bottom; ++y) {
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(m_width);
        std::copy(frame.Pixels() + row + left, frame.Pixels() + row + right, m_pixels.begin() + static_cast<std::ptrdiff_t>(row + left));
    }
    return true;
}

bool MemoryPresenter::Repaint() {
    ++m_repaints;
    return true;
}

} // namespace swr
