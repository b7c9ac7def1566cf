// Runs under a private X server (see tests/x11/with-xvfb.sh).
#include "platform/x11/x11_presenter.h"

#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool, …) clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace swr;

namespace {

constexpr int kW = 96, kH = 64;

class X11PresenterTest : public ::testing::TestWithParam<X11Presenter::Transfer> {
protected:
    void SetUp() override {
        m_display = XOpenDisplay(nullptr);
        ASSERT_NE(m_display, nullptr);
        m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, kW, kH, 0, 0, 0);
        XSelectInput(m_display, m_window, ExposureMask);
        XMapWindow(m_display, m_window);
        XEvent event;
        do XNextEvent(m_display, &event);
        while (event.type != Expose);
        Visual* visual = DefaultVisual(m_display, DefaultScreen(m_display));
        m_masks[0] = visual->red_mask;
        m_masks[1] = visual->green_mask;
        m_masks[2] = visual->blue_mask;
        m_mask = visual->red_mask | visual->green_mask | visual->blue_mask;
    }
    void TearDown() override {
        if (!m_display) return;
        XDestroyWindow(m_display, m_window);
        XCloseDisplay(m_display);
    }

    // What the window should hold for a frame pixel: each channel field filled from the top with
    // the channel's bits, most significant first, repeated when the field is wider than a byte.
    unsigned long Expected(uint32_t argb) const {
        unsigned long pixel = 0;
        for (int c = 0; c < 3; ++c) {
            const uint32_t channel = (argb >> (16 - 8 * c)) & 0xFF;
            int i = 0;
            for (int bit = 63; bit >= 0; --bit) {
                if (!(m_masks[c] >> bit & 1)) continue;
                if (channel >> (7 - i % 8) & 1) pixel |= 1ul << bit;
                ++i;
            }
        }
        return pixel;
    }

    // Compares the window with frame inside rect and with outside everywhere else.
    void ExpectWindow(const FrameBuffer& frame, RECT rect, uint32_t outside) {
        XImage* image = XGetImage(m_display, m_window, 0, 0, kW, kH, AllPlanes, ZPixmap);
        ASSERT_NE(image, nullptr);
        const unsigned long mask = m_mask;
        int wrong = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
                const unsigned long want = Expected(inside ? frame.Pixel(x, y) : outside);
                const unsigned long got = XGetPixel(image, x, y) & mask;
                if (got != want && wrong++ < 5) ADD_FAILURE() << x << "," << y << ": " << std::hex << got << " != " << want;
            }
        XDestroyImage(image);
        EXPECT_EQ(wrong, 0);
    }

    Display* m_display = nullptr;
    Window m_window = 0;
    unsigned long m_masks[3] = {};
    unsigned long m_mask = 0;
};

void Pattern(FrameBuffer& fb, uint32_t seed) {
    for (int y = 0; y < fb.Height(); ++y)
        for (int x = 0; x < fb.Width(); ++x)
            fb.Pixels()[y * fb.Width() + x] =
                0xFF000000u | ((x * 9 + seed) & 0xFF) << 16 | ((y * 13 + seed * 3) & 0xFF) << 8 | ((x * y + seed) & 0xFF);
}

} // namespace

TEST_P(X11PresenterTest, PresentsDamageAndRepaintsTheLastFrame) {
    auto presenter = X11Presenter::Create(nullptr, m_window, GetParam());
    ASSERT_NE(presenter, nullptr);
    EXPECT_FALSE(presenter->Repaint()); // nothing presented yet

    FrameBuffer frame(kW, kH);
    Pattern(frame, 1);
    ASSERT_TRUE(presenter->Present(frame, RECT{0, 0, kW, kH}));
    EXPECT_EQ(presenter->UsesSharedMemory(), GetParam() == X11Presenter::Transfer::SharedMemoryIfAvailable);
    ExpectWindow(frame, RECT{0, 0, kW, kH}, 0);

    // Only the damage of the next frame reaches the window.
    FrameBuffer next(kW, kH);
    Pattern(next, 77);
    const RECT damage{10, 5, 41, 30};
    ASSERT_TRUE(presenter->Present(next, damage));
    XImage* image = XGetImage(m_display, m_window, 0, 0, kW, kH, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    const unsigned long mask = m_mask;
    EXPECT_EQ(XGetPixel(image, 10, 5) & mask, Expected(next.Pixel(10, 5)));
    EXPECT_EQ(XGetPixel(image, 40, 29) & mask, Expected(next.Pixel(40, 29)));
    EXPECT_EQ(XGetPixel(image, 41, 29) & mask, Expected(frame.Pixel(41, 29)));
    EXPECT_EQ(XGetPixel(image, 9, 5) & mask, Expected(frame.Pixel(9, 5)));
    XDestroyImage(image);

    // After the window lost its contents, Repaint restores the whole last frame.
    XClearWindow(m_display, m_window);
    XSync(m_display, False);
    ASSERT_TRUE(presenter->Repaint());
    FrameBuffer combined = frame;
    for (int y = damage.top; y < damage.bottom; ++y)
        for (int x = damage.left; x < damage.right; ++x) combined.Pixels()[y * kW + x] = next.Pixel(x, y);
    ExpectWindow(combined, RECT{0, 0, kW, kH}, 0);
}

TEST_P(X11PresenterTest, RefusesAWindowThatDoesNotExist) {
    EXPECT_EQ(X11Presenter::Create(nullptr, m_window + 1000, GetParam()), nullptr);
    // The failed attempt must not have broken the process's own connection.
    XSync(m_display, False);
}

INSTANTIATE_TEST_SUITE_P(Transfers, X11PresenterTest,
                         ::testing::Values(X11Presenter::Transfer::SharedMemoryIfAvailable,
                                           X11Presenter::Transfer::PlainOnly),
                         [](const auto& info) {
                             return info.param == X11Presenter::Transfer::PlainOnly ? "Plain" : "SharedMemory";
                         });

TEST(X11Presenter, ReportsADisplayThatCannotBeOpened) {
    EXPECT_EQ(X11Presenter::Create(":9999", 1), nullptr);
}
