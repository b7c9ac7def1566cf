#include "platform/swr/frame_buffer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace swr;

TEST(FrameBuffer, ClearFillsOpaqueColourResetsDepthAndDamagesAll) {
    FrameBuffer fb(5, 3);
    fb.Depth()[7] = 0.5f;
    fb.Clear(0x00123456);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(fb.Pixel(x, y), 0xFF123456u);
            EXPECT_EQ(fb.DepthAt(x, y), 0.0f);
        }
    const RECT d = fb.TakeDamage();
    EXPECT_EQ(d.left, 0);
    EXPECT_EQ(d.top, 0);
    EXPECT_EQ(d.right, 5);
    EXPECT_EQ(d.bottom, 3);
}

TEST(FrameBuffer, DamageIsTheClippedUnionUntilTaken) {
    FrameBuffer fb(100, 50);
    EXPECT_TRUE(IsEmpty(fb.TakeDamage()));
    fb.AddDamage(10, 20, 15, 25);
    fb.AddDamage(-5, 22, 3, 60);
    fb.AddDamage(200, 0, 300, 10); // wholly outside: ignored
    fb.AddDamage(30, 30, 30, 40);  // empty: ignored
    const RECT d = fb.TakeDamage();
    EXPECT_EQ(d.left, 0);
    EXPECT_EQ(d.top, 20);
    EXPECT_EQ(d.right, 15);
    EXPECT_EQ(d.bottom, 50);
    EXPECT_TRUE(IsEmpty(fb.TakeDamage()));
}

TEST(FrameBuffer, ExternalPixelsTakeOverThePicture) {
    FrameBuffer fb(4, 3);
    fb.Clear(0x00ABCDEF);
    std::vector<uint32_t> image(12, 0);
    fb.UseExternalPixels(image.data());
    EXPECT_EQ(fb.Pixels(), image.data());
    EXPECT_EQ(image[11], 0xFFABCDEFu);
    fb.Clear(0x000001, RECT{0, 0, 1, 1});
    EXPECT_EQ(image[0], 0xFF000001u);
    EXPECT_EQ(image[1], 0xFFABCDEFu);

    // A buffer whose own pixels were never made hands over plain black.
    FrameBuffer later(2, 2, true);
    std::vector<uint32_t> other(4, 7);
    later.UseExternalPixels(other.data());
    EXPECT_EQ(other, std::vector<uint32_t>(4, 0xFF000000u));
}
