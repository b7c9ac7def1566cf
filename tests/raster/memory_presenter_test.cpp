#include "platform/swr/memory_presenter.h"

#include <gtest/gtest.h>

using namespace swr;

namespace {
void Paint(FrameBuffer& fb, uint32_t base) {
    for (int i = 0; i < fb.Width() * fb.Height(); ++i) fb.Pixels()[i] = 0xFF000000u | (base + static_cast<uint32_t>(i));
}
} // namespace

TEST(MemoryPresenter, CopiesExactlyTheDamageRectangle) {
    FrameBuffer fb(8, 6);
    Paint(fb, 0x100);
    MemoryPresenter presenter;
    ASSERT_TRUE(presenter.Present(fb, RECT{2, 1, 5, 4}));
    ASSERT_EQ(presenter.Width(), 8);
    ASSERT_EQ(presenter.Height(), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 4;
            EXPECT_EQ(presenter.Pixel(x, y), inside ? fb.Pixel(x, y) : 0xFF000000u) << x << "," << y;
        }

    // A later frame changes only its own damage; the rest is the earlier frame. Out-of-frame
    // parts of the rectangle are cut off.
    FrameBuffer next(8, 6);
    Paint(next, 0x9000);
    ASSERT_TRUE(presenter.Present(next, RECT{4, -3, 20, 2}));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            uint32_t expected = 0xFF000000u;
            if (x >= 4 && y < 2) expected = next.Pixel(x, y);
            else if (x >= 2 && x < 5 && y >= 1 && y < 4) expected = fb.Pixel(x, y);
            EXPECT_EQ(presenter.Pixel(x, y), expected) << x << "," << y;
        }
    EXPECT_TRUE(presenter.Repaint());
    EXPECT_EQ(presenter.PresentCount(), 2);
    EXPECT_EQ(presenter.RepaintCount(), 1);
}

TEST(MemoryPresenter, NewFrameSizeStartsFromBlack) {
    MemoryPresenter presenter;
    FrameBuffer small(4, 4);
    Paint(small, 1);
    presenter.Present(small, RECT{0, 0, 4, 4});
    FrameBuffer wide(6, 2);
    Paint(wide, 0x500);
    presenter.Present(wide, RECT{0, 0, 1, 1});
    ASSERT_EQ(presenter.Width(), 6);
    ASSERT_EQ(presenter.Height(), 2);
    EXPECT_EQ(presenter.Pixel(0, 0), wide.Pixel(0, 0));
    EXPECT_EQ(presenter.Pixel(1, 0), 0xFF000000u);
    EXPECT_EQ(presenter.Pixel(5, 1), 0xFF000000u);
}

TEST(MemoryPresenter, FrameDrawnInItsSurfaceIsShownWithoutACopy) {
    MemoryPresenter presenter;
    FrameBuffer fb(8, 6, true);
    fb.UseExternalPixels(presenter.Surface(8, 6));
    EXPECT_EQ(fb.Pixels(), presenter.Pixels().data());
    fb.Clear(0x123456);
    ASSERT_TRUE(presenter.Present(fb, RECT{0, 0, 1, 1}));
    EXPECT_EQ(presenter.Pixel(7, 5), 0xFF123456u);
    EXPECT_EQ(presenter.PresentCount(), 1);
}
