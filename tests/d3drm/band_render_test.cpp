// Frames drawn in bands on several threads against the same frames drawn on one; also run in the
// thread-sanitizer build.
#include "tests/support/saver_scene.h"

#include "platform/d3drm/scene_renderer.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 400, kHeight = 300;

struct Drawn {
    std::vector<uint32_t> pixels;
    RECT damage;
    unsigned bands;
};

Drawn Draw(SaverScene& s, unsigned threads, const swr::Projection& projection) {
    swr::FrameBuffer fb(kWidth, kHeight);
    fb.Clear(0xFF00FF);
    fb.TakeDamage();
    swr::SceneRenderer renderer(fb);
    renderer.SetThreads(threads);
    renderer.Render(*s.scene, {s.camera, projection}, true, false);
    return {{fb.Pixels(), fb.Pixels() + static_cast<size_t>(kWidth) * kHeight}, fb.TakeDamage(),
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

} // namespace
