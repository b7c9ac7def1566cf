#include "platform/swr/raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace swr;

namespace {

constexpr int kW = 64, kH = 48;
constexpr Projection kProjection{0.5f, 1.0f, 100.0f, 0, 0, kW, kH};
constexpr float kScale = 48.0f; // front × height ÷ (2 × field)

// The camera-space point that lands on screen position (sx, sy) at depth z.
CameraVertex OnScreen(float sx, float sy, float z, float grey = 1.0f) {
    return {(sx - kW / 2.0f) * z / kScale, (kH / 2.0f - sy) * z / kScale, z, grey, grey, grey};
}

int CountDrawn(const FrameBuffer& fb) {
    int n = 0;
    for (int y = 0; y < fb.Height(); ++y)
        for (int x = 0; x < fb.Width(); ++x) n += (fb.Pixel(x, y) & 0xFFFFFF) != 0;
    return n;
}

// How many of the triangles cover each pixel, drawing them one at a time.
std::vector<int> Coverage(const std::vector<CameraVertex>& vertices, const std::vector<uint32_t>& triangles) {
    FrameBuffer fb(kW, kH);
    Rasterizer raster(fb);
    raster.SetProjection(kProjection);
    std::vector<int> count(kW * kH, 0);
    for (size_t t = 0; t + 3 <= triangles.size(); t += 3) {
        fb.Clear(0);
        raster.DrawTriangles(vertices, std::span(triangles).subspan(t, 3));
        for (int i = 0; i < kW * kH; ++i) count[i] += (fb.Pixels()[i] & 0xFFFFFF) != 0;
    }
    return count;
}

void ExpectEveryPixelOnce(const std::vector<int>& count, int trial) {
    for (int i = 0; i < kW * kH; ++i) {
        ASSERT_EQ(count[i], 1) << "pixel " << i % kW << "," << i / kW << " in trial " << trial;
    }
}

} // namespace

TEST(Rasterizer, ClosedFanCoversEveryPixelExactlyOnce) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int trial = 0; trial < 300; ++trial) {
        // Every third fan sits on the half-pixel grid, so that edges run through pixel centres.
        const bool onGrid = trial % 3 == 0;
        auto snap = [&](float v) { return onGrid ? std::round(v * 2) / 2 : v; };
        const float cx = snap(unit(random) * kW), cy = snap(unit(random) * kH);
        const int sides = 3 + static_cast<int>(unit(random) * 22);
        // Rims far off screen take the guard-band clipping path.
        const float radius = trial % 2 ? 300.0f : 2.0e6f;
        const float z = 1.5f + unit(random) * 20.0f;
        std::vector<CameraVertex> v{OnScreen(cx, cy, z)};
        for (int i = 0; i < sides; ++i) {
            const float a = 2 * std::numbers::pi_v<float> * (i + 0.4f * unit(random)) / sides;
            v.push_back(OnScreen(snap(cx + radius * std::cos(a)), snap(cy + radius * std::sin(a)), z));
        }
        // On screen (y down) increasing angle runs clockwise.
        std::vector<uint32_t> triangles;
        for (int i = 0; i < sides; ++i) {
            triangles.insert(triangles.end(), {0u, 1u + i, 1u + (i + 1) % sides});
        }
        ExpectEveryPixelOnce(Coverage(v, triangles), trial);
    }
}

TEST(Rasterizer, JitteredQuadGridAtVaryingDepthsCoversEveryPixelExactlyOnce) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    constexpr int kCells = 7;
    for (int trial = 0; trial < 60; ++trial) {
        // Odd trials keep vertices on the half-pixel grid: edges through pixel centres, and
        // horizontal and vertical edges where the jitter is zero.
        auto snap = [&](float v) { return trial % 2 ? std::round(v * 2) / 2 : v; };
        const float cell = 12.0f;
        const float originX = -10.0f - unit(random) * 2, originY = -10.0f - unit(random) * 2;
        std::vector<CameraVertex> v;
        for (int j = 0; j <= kCells; ++j) {
            for (int i = 0; i <= kCells; ++i) {
                const bool inner = i > 0 && j > 0 && i < kCells && j < kCells;
                const bool still = !inner || unit(random) < 0.3f;
                const float jx = still ? 0.0f : (unit(random) - 0.5f) * 0.6f * cell;
                const float jy = still ? 0.0f : (unit(random) - 0.5f) * 0.6f * cell;
                v.push_back(OnScreen(snap(originX + i * cell + jx), snap(originY + j * cell + jy),
                                     2.0f + unit(random) * 50.0f));
            }
        }
        // Quads as a counted face list, clockwise on screen.
        std::vector<uint32_t> faces;
        for (uint32_t j = 0; j < kCells; ++j) {
            for (uint32_t i = 0; i < kCells; ++i) {
                const uint32_t a = j * (kCells + 1) + i;
                faces.insert(faces.end(), {4u, a, a + 1, a + kCells + 2, a + kCells + 1});
            }
        }
        std::vector<uint32_t> triangles;
        ASSERT_EQ(AppendTriangles(faces, 0, triangles), size_t{kCells * kCells});
        ExpectEveryPixelOnce(Coverage(v, triangles), trial);
    }
}

TEST(Rasterizer, DrawsOnlyFacesClockwiseAsTheEyeSeesThem) {
    FrameBuffer fb(kW, kH);
    Rasterizer raster(fb);
    raster.SetProjection(kProjection);
    // (b − a) × (c − a) = (0, 0, −1): towards the eye.
    const std::vector<CameraVertex> v{{0, 0, 5, 1, 1, 1}, {0, 1, 5, 1, 1, 1}, {1, 0, 5, 1, 1, 1}};
    const std::vector<uint32_t> back{0, 2, 1};
    const std::vector<uint32_t> front{0, 1, 2};
    fb.Clear(0);
    raster.DrawTriangles(v, back);
    EXPECT_EQ(CountDrawn(fb), 0);
    raster.DrawTriangles(v, front);
    EXPECT_GT(CountDrawn(fb), 20);
}

TEST(Rasterizer, DrawsNothingNearerThanFrontOrBeyondBack) {
    FrameBuffer fb(kW, kH);
    Rasterizer raster(fb);
    raster.SetProjection(kProjection);
    const std::vector<uint32_t> tri{0, 1, 2};
    fb.Clear(0);
    raster.DrawTriangles(std::vector{OnScreen(0, 0, 0.9f), OnScreen(60, 0, 0.5f), OnScreen(0, 40, 0.99f)}, tri);
    raster.DrawTriangles(std::vector{OnScreen(0, 0, 101), OnScreen(60, 0, 150), OnScreen(0, 40, 100.5f)}, tri);
    EXPECT_EQ(CountDrawn(fb), 0);

    // Spanning depths 50 … 200: the part beyond 100 is cut away, none of it is lost in front.
    raster.DrawTriangles(std::vector{OnScreen(0, 0, 50), OnScreen(64, 0, 200), OnScreen(0, 48, 200)}, tri);
    const int drawn = CountDrawn(fb);
    EXPECT_GT(drawn, 100);
    EXPECT_LT(drawn, 64 * 48 / 2);
    for (int i = 0; i < kW * kH; ++i) {
        if (fb.Depth()[i] != 0) {
            EXPECT_GE(fb.Depth()[i], 1.0f / 100.0f - 1e-6f);
        }
    }
}

TEST(Rasterizer, ClipsATriangleCrossingTheFrontPlaneInsteadOfDroppingIt) {
    FrameBuffer fb(kW, kH);
    Rasterizer raster(fb);
    raster.SetProjection(kProjection);
    fb.Clear(0);
    // A floor under the eye from behind it (z = −5) to z = 20, clockwise seen from above.
    const std::vector<CameraVertex> floor{{-30, -1, -5, 1, 1, 1}, {0, -1, 20, 1, 1, 1}, {30, -1, -5, 1, 1, 1}};
    raster.DrawTriangles(floor, std::vector<uint32_t>{0, 1, 2});
    EXPECT_EQ(fb.Pixel(32, 47) & 0xFFFFFF, 0xFFFFFFu); // just below the centre, bottom edge
    EXPECT_EQ(fb.Pixel(32, 10) & 0xFFFFFF, 0u);        // above the horizon
    for (int i = 0; i < kW * kH; ++i) EXPECT_LE(fb.Depth()[i], 1.0f + 1e-5f);
}

TEST(Rasterizer, NearerSurfaceWinsWhateverTheDrawingOrder) {
    // Two triangles that pierce each other, so each is in front over part of the overlap.
    const std::vector<CameraVertex> v{
        OnScreen(2, 2, 5, 1.0f),  OnScreen(60, 10, 5, 1.0f),  OnScreen(10, 46, 30, 1.0f),
        OnScreen(4, 40, 5, 0.5f), OnScreen(30, 2, 30, 0.5f), OnScreen(62, 40, 5, 0.5f)};
    const std::vector<uint32_t> first{0, 1, 2, 3, 4, 5}, second{3, 4, 5, 0, 1, 2};
    FrameBuffer a(kW, kH), b(kW, kH);
    Rasterizer ra(a), rb(b);
    ra.SetProjection(kProjection);
    rb.SetProjection(kProjection);
    a.Clear(0);
    b.Clear(0);
    ra.DrawTriangles(v, first);
    rb.DrawTriangles(v, second);
    int bright = 0, dim = 0;
    for (int i = 0; i < kW * kH; ++i) {
        ASSERT_EQ(a.Pixels()[i], b.Pixels()[i]) << "pixel " << i;
        bright += (a.Pixels()[i] & 0xFF) == 0xFF;
        dim += (a.Pixels()[i] & 0xFF) == 0x7F;
    }
    EXPECT_GT(bright, 50);
    EXPECT_GT(dim, 50);
}

TEST(Rasterizer, InterpolatesColoursLinearlyOnScreen) {
    FrameBuffer fb(kW, kH);
    Rasterizer raster(fb);
    raster.SetProjection(kProjection);
    fb.Clear(0);
    // Red runs 0 → 1 from left to right; depth varies, which must not bend the gradient.
    std::vector<CameraVertex> v{OnScreen(0, -10, 2), OnScreen(64, 24, 40), OnScreen(0, 60, 3)};
    v[0].r = v[2].r = 0.0f;
    v[1].r = 1.0f;
    raster.DrawTriangles(v, std::vector<uint32_t>{0, 1, 2});
    for (int x : {4, 16, 32, 48}) {
        const float expected = (x + 0.5f) / 64.0f * 255.0f;
        EXPECT_NEAR(static_cast<float>((fb.Pixel(x, 24) >> 16) & 0xFF), expected, 1.0f) << "x " << x;
    }
}

TEST(Rasterizer, DamageCoversWhatWasDrawnOnly) {
    FrameBuffer fb(kW, kH);
    Rasterizer raster(fb);
    raster.SetProjection(kProjection);
    fb.Clear(0);
    fb.TakeDamage();
    raster.DrawTriangles(std::vector{OnScreen(10.2f, 5.7f, 3), OnScreen(20.9f, 5.7f, 3), OnScreen(10.2f, 15.1f, 3)},
                         std::vector<uint32_t>{0, 1, 2});
    EXPECT_TRUE(IsEmpty(fb.TakeDamage())) << "the buffer's own damage is the caller's to add";
    const RECT d = raster.TakeDamage();
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const bool inside = x >= d.left && x < d.right && y >= d.top && y < d.bottom;
            if (!inside) {
                ASSERT_EQ(fb.Pixel(x, y) & 0xFFFFFF, 0u);
            }
        }
    EXPECT_EQ(d.left, 10);
    EXPECT_EQ(d.top, 6);
    EXPECT_EQ(d.right, 21);
    EXPECT_EQ(d.bottom, 15);
    EXPECT_TRUE(IsEmpty(raster.TakeDamage()));
}

TEST(Rasterizer, RejectsBadInputWithoutDrawing) {
    FrameBuffer fb(kW, kH);
    Rasterizer raster(fb);
    const std::vector<CameraVertex> v{OnScreen(0, 0, 5), OnScreen(60, 0, 5), OnScreen(0, 40, 5)};
    fb.Clear(0);
    raster.DrawTriangles(v, std::vector<uint32_t>{0, 1, 2}); // no projection yet
    raster.SetProjection({0.5f, 2.0f, 2.0f, 0, 0, kW, kH});   // back not beyond front
    raster.DrawTriangles(v, std::vector<uint32_t>{0, 1, 2});
    raster.SetProjection(kProjection);
    raster.DrawTriangles(v, std::vector<uint32_t>{0, 1, 3, 0, 1}); // index out of range, partial
    std::vector<CameraVertex> bad = v;
    bad[1].x = NAN;
    raster.DrawTriangles(bad, std::vector<uint32_t>{0, 1, 2});
    EXPECT_EQ(CountDrawn(fb), 0);
}

TEST(Rasterizer, ViewportOffsetConfinesDrawing) {
    FrameBuffer fb(kW, kH);
    Rasterizer raster(fb);
    raster.SetProjection({0.5f, 1.0f, 100.0f, 40, 30, 100, 100}); // runs past the buffer
    fb.Clear(0);
    raster.DrawTriangles(std::vector<CameraVertex>{{-100, 100, 2, 1, 1, 1}, {100, 100, 2, 1, 1, 1}, {0, -100, 2, 1, 1, 1}},
                         std::vector<uint32_t>{0, 1, 2});
    EXPECT_EQ(CountDrawn(fb), (kW - 40) * (kH - 30));
}

TEST(AppendTriangles, SplitsFacesIntoFans) {
    std::vector<uint32_t> out;
    EXPECT_EQ(AppendTriangles(std::vector<uint32_t>{3, 0, 1, 2, 4, 3, 4, 5, 6, 5, 7, 8, 9, 10, 11}, 0, out), 3u);
    EXPECT_EQ(out, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5, 3, 5, 6, 7, 8, 9, 7, 9, 10, 7, 10, 11}));
    out.clear();
    EXPECT_EQ(AppendTriangles(std::vector<uint32_t>{0, 1, 2, 3, 4, 5, 6, 7}, 4, out), 2u); // partial third dropped
    EXPECT_EQ(out, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}));
    out.clear();
    EXPECT_EQ(AppendTriangles(std::vector<uint32_t>{4, 0, 1}, 0, out), 0u); // count runs past the end
    EXPECT_TRUE(out.empty());
}
