// A presenter whose target is an image in memory, for tests and tools.
#pragma once

#include "platform/swr/presenter.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace swr {

// The image takes the frame's size at the first Present or Surface (and again whenever the size
// changes, starting black). Pixels are 0xAARRGGBB like the frame buffer's.
class MemoryPresenter : public Presenter {
public:
    bool Present(const FrameBuffer& frame, RECT damage) override;
    // The image already is the last frame; only counted.
    bool Repaint() override;
    uint32_t* Surface(int width, int height) override;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const std::vector<uint32_t>& Pixels() const { return m_pixels; }
    uint32_t Pixel(int x, int y) const { return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)]; }
    int PresentCount() const { return m_presents; }
    int RepaintCount() const { return m_repaints; }

private:
    void Resize(int width, int height);

    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
    int m_presents = 0;
    int m_repaints = 0;
};

} // namespace swr
