// Every raster path (scalar, SSE2, AVX2, as far as this processor has them) draws the same bytes.
#include "platform/swr/raster.h"
#include "platform/swr/raster_path.h"
#include "tests/support/saver_scene.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct Image {
    std::vector<uint32_t> pixels;
    std::vector<float> depth;
};

Image Capture(const swr::FrameBuffer& fb) {
    const size_t n = static_cast<size_t>(fb.Width()) * static_cast<size_t>(fb.Height());
    return {{fb.Pixels(), fb.Pixels() + n}, {fb.Depth(), fb.Depth() + n}};
}

// Draws with each path the processor has, restoring the one in use; the scalar path first.
template <typename Draw>
std::vector<Image> OnEveryPath(Draw draw) {
    const swr::RasterPath was = swr::CurrentRasterPath();
    std::vector<Image> images;
    for (swr::RasterPath path : {swr::RasterPath::Scalar, swr::RasterPath::Sse2, swr::RasterPath::Avx2}) {
        if (!swr::UseRasterPath(path)) continue;
        images.push_back(draw());
    }
    swr::UseRasterPath(was);
    return images;
}

void ExpectIdentical(const std::vector<Image>& images, const char* what) {
    ASSERT_FALSE(images.empty());
    for (size_t p = 1; p < images.size(); ++p) {
        EXPECT_EQ(images[p].pixels, images[0].pixels) << what << ": colours of path " << p;
        EXPECT_EQ(images[p].depth, images[0].depth) << what << ": depths of path " << p;
    }
}

// Overlapping random triangles from below a pixel to far past the screen, slivers, ones crossing
// the front plane, flat ones at a shared depth (ties) and saturated colours, in a viewport whose
// rows do not end on a multiple of eight pixels.
Image RandomTriangles(unsigned seed) {
    constexpr int kW = 75, kH = 53;
    swr::FrameBuffer fb(kW, kH);
    fb.Clear(0x00203040);
    swr::Rasterizer raster(fb);
    raster.SetProjection({0.5f, 1.0f, 100.0f, 3, 2, 69, 49});
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<swr::CameraVertex> vertices;
    std::vector<uint32_t> indices;
    for (int t = 0; t < 400; ++t) {
        const float size = std::vector<float>{0.6f, 3.0f, 12.0f, 40.0f, 400.0f}[t % 5];
        const float cx = unit(random) * kW, cy = unit(random) * kH;
        const bool flat = t % 3 == 0;
        for (int v = 0; v < 3; ++v) {
            float z = t % 17 == 0 && v == 0 ? 0.5f : 1.2f + unit(random) * 60.0f;
            if (flat) z = t % 2 ? 6.0f : 9.0f;
            const float sx = cx + (unit(random) - 0.5f) * size, sy = cy + (unit(random) - 0.5f) * size;
            const float scale = 49.0f; // front × height ÷ (2 × field)
            const float red = t % 7 == 0 ? 1.5f : unit(random) * 1.2f - 0.1f;
            vertices.push_back({(sx - 3 - 34.5f) * z / scale, (2 + 24.5f - sy) * z / scale, z, red,
                                unit(random), flat ? 0.0f : unit(random)});
        }
        const uint32_t base = static_cast<uint32_t>(vertices.size() - 3);
        // Both windings, so that half face the eye whichever way the vertices fell.
        indices.insert(indices.end(), {base, base + 1, base + 2, base, base + 2, base + 1});
    }
    raster.DrawTriangles(vertices, indices);
    return Capture(fb);
}

} // namespace

TEST(RasterPaths, DrawIdenticalRandomTriangles) {
    for (unsigned seed : {1u, 2u, 3u}) ExpectIdentical(OnEveryPath([&] { return RandomTriangles(seed); }), "random");
}

// The saver's scene under both of its lights, drawn whole and then growing piece by piece.
TEST(RasterPaths, DrawIdenticalSaverScenesWholeAndIncremental) {
    for (SaverScene::Light light : {SaverScene::Light::Directional, SaverScene::Light::Spot}) {
        std::vector<std::vector<Image>> frames; // per path, the frames in order
        OnEveryPath([&] {
            PipeRandomSeed(9);
            SaverScene scene(203, 120, light);
            scene.AddPipes(5, 20);
            std::vector<Image> shots;
            for (int step = 0; step < 60; ++step) {
                scene.GrowNext();
                EXPECT_EQ(scene.Frame(), S_OK);
                if (step % 10 == 9) shots.push_back(Capture(scene.Image()));
            }
            frames.push_back(std::move(shots));
            return Image{};
        });
        for (size_t shot = 0; shot < frames[0].size(); ++shot) {
            std::vector<Image> sameShot;
            for (const auto& path : frames) sameShot.push_back(path[shot]);
            ExpectIdentical(sameShot, light == SaverScene::Light::Spot ? "spot" : "directional");
        }
    }
}

TEST(RasterPaths, TheWidestSupportedIsInUse) {
    const swr::RasterPath current = swr::CurrentRasterPath();
    EXPECT_TRUE(swr::UseRasterPath(current));
    if (!std::getenv("QUORVEL_RASTER_PATH") && swr::UseRasterPath(swr::RasterPath::Avx2)) {
        EXPECT_EQ(current, swr::RasterPath::Avx2);
    }
    swr::UseRasterPath(current);
    std::printf("raster path in use: %s\n", swr::RasterPathName(current));
}
