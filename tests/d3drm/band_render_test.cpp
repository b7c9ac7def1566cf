// Frames drawn in bands on several threads against the same frames drawn on one; also run in the
// thread-sanitizer build.
#include "tests/support/saver_scene.h"

#include "platform/d3drm/scene_renderer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <utility>

namespace {

constexpr int kWidth = 400, kHeight = 300;

struct Drawn {
    std::vector<uint32_t> pixels;
    RECT damage;
    unsigned bands;
};

Drawn Draw(SaverScene& s, unsigned threads, const swr::Projection& projection, int width = kWidth,
           int height = kHeight) {
    swr::FrameBuffer fb(width, height);
    fb.Clear(0xFF00FF);
    fb.TakeDamage();
    swr::SceneRenderer renderer(fb);
    renderer.SetThreads(threads);
    renderer.Render(*s.scene, {s.camera, projection}, true, false);
    return {{fb.Pixels(), fb.Pixels() + static_cast<size_t>(width) * height}, fb.TakeDamage(),
            renderer.LastBands()};
}

TEST(BandRendering, AnyThreadCountDrawsTheSameImageAndDamage) {
    PipeRandomSeed(11);
    SaverScene s(kWidth, kHeight);
    s.AddPipes(10, 40);
    s.GrowAll(40);
    const swr::Projection whole{s.viewport->GetField(), s.viewport->GetFront(), 5000.0f, 0, 0, kWidth, kHeight};
    // A viewport that leaves a margin, so damage and bands stop short of the buffer's edges.
    const swr::Projection inset{s.viewport->GetField(), s.viewport->GetFront(), 5000.0f, 17, 23, 300, 200};
    for (const swr::Projection& projection : {whole, inset}) {
        const Drawn single = Draw(s, 1, projection);
        int drawn = 0;
        for (uint32_t p : single.pixels) drawn += (p & 0xFFFFFF) != 0xFF00FF;
        ASSERT_GT(drawn, kWidth * kHeight / 20) << "the scene must cover enough to be a test";
        for (unsigned threads : {2u, 3u, 8u, 100u}) {
            const Drawn banded = Draw(s, threads, projection);
            // As many bands as threads, up to the renderer's limit and one per 32 rows.
            const unsigned rows = static_cast<unsigned>(projection.height);
            EXPECT_EQ(banded.bands, std::min({threads, swr::SceneRenderer::kMaxThreads, rows / 32})) << threads;
            EXPECT_TRUE(banded.pixels == single.pixels) << threads << " threads";
            EXPECT_EQ(banded.damage.left, single.damage.left);
            EXPECT_EQ(banded.damage.top, single.damage.top);
            EXPECT_EQ(banded.damage.right, single.damage.right);
            EXPECT_EQ(banded.damage.bottom, single.damage.bottom);
        }
    }
}

// Screen-sized frames, where triangles crossing a band's top edge are many and tall: each band
// must step their colours and depths from the triangle's own first row, as one thread does.
TEST(BandRendering, FullScreenFramesAreByteIdenticalForAnyBandCount) {
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
        PipeRandomSeed(5);
        SaverScene s(width, height);
        s.AddPipes(10, 60);
        s.GrowAll(60);
        const swr::Projection whole{s.viewport->GetField(), s.viewport->GetFront(), 5000.0f, 0, 0, width, height};
        const Drawn single = Draw(s, 1, whole, width, height);
        for (unsigned threads : {2u, 3u, 8u}) {
            const Drawn banded = Draw(s, threads, whole, width, height);
            ASSERT_EQ(banded.bands, threads);
            size_t differing = 0;
            for (size_t i = 0; i < single.pixels.size(); ++i) differing += banded.pixels[i] != single.pixels[i];
            EXPECT_EQ(differing, 0u) << width << "x" << height << ", " << threads << " bands";
        }
    }
}

} // namespace
