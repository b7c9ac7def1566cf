#include "platform/win32/win32_presenter.h"

#include "platform/d3drm/window_presenter.h"
#include "platform/win32/native.h"

#include <algorithm>
#include <vector>

namespace swr {
namespace {

// Keeps the last frame so that a repaint needs no renderer.
class GdiPresenter : public Presenter {
public:
    explicit GdiPresenter(HWND window) : m_window(window) {}

    bool Present(const FrameBuffer& frame, RECT damage) override {
        Resize(frame.Width(), frame.Height());
        const LONG left = std::max<LONG>(damage.left, 0), top = std::max<LONG>(damage.top, 0);
        const LONG right = std::min<LONG>(damage.right, m_width), bottom = std::min<LONG>(damage.bottom, m_height);
        if (left >= right || top >= bottom) return true;
        if (frame.Pixels() != m_last.data()) {
            for (LONG y = top; y < bottom; ++y) {
                const size_t row = static_cast<size_t>(y) * static_cast<size_t>(m_width);
                std::copy(frame.Pixels() + row + left, frame.Pixels() + row + right,
                          m_last.begin() + static_cast<ptrdiff_t>(row + left));
            }
        }
        return Show(left, top, right, bottom);
    }

    // The kept frame is the image GDI shows from: the renderer draws straight into it.
    uint32_t* Surface(int width, int height) override {
        Resize(width, height);
        return m_last.data();
    }

    bool Repaint() override { return m_width == 0 || Show(0, 0, m_width, m_height); }

private:
    void Resize(int width, int height) {
        if (width == m_width && height == m_height) return;
        m_width = width;
        m_height = height;
        m_last.assign(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0xFF000000u);
    }

    bool Show(LONG left, LONG top, LONG right, LONG bottom) {
        const uint32_t* rows = m_last.data() + static_cast<size_t>(top) * static_cast<size_t>(m_width);
        return w32::SetPixels(m_window, left, top, right - left, bottom - top, rows, m_width);
    }

    HWND m_window;
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_last;
};

} // namespace

std::unique_ptr<Presenter> CreateGdiPresenter(HWND window) { return std::make_unique<GdiPresenter>(window); }

std::unique_ptr<Presenter> MakeWin32Presenter(const SurfaceTarget& target) {
    if (target.kind != WindowSurface::Kind::Win32 || !target.hwnd) return nullptr;
    return CreateGdiPresenter(target.hwnd);
}

} // namespace swr
