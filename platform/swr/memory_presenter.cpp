#include "platform/swr/memory_presenter.h"

#include <algorithm>

namespace swr {

bool MemoryPresenter::Present(const FrameBuffer& frame, RECT damage) {
    if (frame.Width() != m_width || frame.Height() != m_height) {
        m_width = frame.Width();
        m_height = frame.Height();
        m_pixels.assign(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0xFF000000u);
    }
    ++m_presents;
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
