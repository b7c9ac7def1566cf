// The GL device against the software device: the same picture of the saver's scene, and
// frames drawn a piece at a time equal to one frame of the whole scene.
#include "tests/support/gl_available.h"
#include "tests/support/saver_scene.h"

#include "platform/display/fake_display_backend.h"
#include "platform/swr/pixel_format.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 320, kHeight = 240;

std::vector<uint32_t> Drawn(SaverScene& s) {
    EXPECT_EQ(s.Frame(), S_OK);
    const swr::FrameBuffer& fb = s.Image();
    return {fb.Pixels(), fb.Pixels() + static_cast<size_t>(fb.Width()) * fb.Height()};
}

// What a display of this depth shows of a pixel, as 8-bit channels.
uint32_t Shown(uint32_t pixel, int depth) {
    if (depth != 16) return pixel & 0xFFFFFF;
    const uint16_t packed = swr::PackRgb565(pixel);
    const uint32_t r = (packed >> 11) & 31, g = (packed >> 5) & 63, b = packed & 31;
    return (r << 19) | (g << 10) | (b << 3);
}

class GlDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { SKIP_WITHOUT_GL(); }
    void TearDown() override { SetDisplayBackend(nullptr); }
    static void UseDepth(DWORD bits) {
        SetDisplayBackend(std::make_unique<FakeDisplayBackend>(
            std::vector<DisplayMode>{{kWidth, kHeight, bits, 60, 0}}, 0));
    }
    // The saver's pipes from this seed, grown all the way, in a scene on the given device.
    static std::unique_ptr<SaverScene> Scene(GUID device, SaverScene::Light light, unsigned seed) {
        auto s = std::make_unique<SaverScene>(kWidth, kHeight, light, &device);
        PipeRandomSeed(seed);
        s->AddPipes(10, 50);
        s->GrowAll(50);
        return s;
    }
};

TEST_F(GlDeviceTest, DrawsTheSoftwareDevicesPicture) {
    for (int depth : {16, 24, 32}) {
        UseDepth(static_cast<DWORD>(depth));
        for (SaverScene::Light light : {SaverScene::Light::Directional, SaverScene::Light::Spot}) {
            for (unsigned seed : {1u, 7u, 42u}) {
                auto software = Scene(IID_IDirect3DRGBDevice, light, seed);
                auto hardware = Scene(IID_IDirect3DHALDevice, light, seed);
                ASSERT_TRUE(hardware->device->IsHardware());
                const std::vector<uint32_t> a = Drawn(*software), b = Drawn(*hardware);
                ASSERT_EQ(a.size(), b.size());
                size_t close = 0, covered = 0;
                for (size_t i = 0; i < a.size(); ++i) {
                    const uint32_t p = Shown(a[i], depth), q = Shown(b[i], depth);
                    bool within = true;
                    for (int shift : {0, 8, 16})
                        within &= std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)) <= 3;
                    close += within;
                    covered += p != Shown(0x333333, depth);
                }
                const std::string what = "depth " + std::to_string(depth) + ", seed " + std::to_string(seed) +
                                         (light == SaverScene::Light::Spot ? ", spot" : ", directional");
                EXPECT_GT(covered, a.size() / 20) << what << ": the pipes must show";
                EXPECT_GE(close * 100, a.size() * 99) << what << ": " << a.size() - close << " pixels differ";
            }
        }
    }
}

TEST_F(GlDeviceTest, FramesOfNewPiecesEqualOneFrameOfTheWholeScene) {
    UseDepth(32);
    constexpr int kSteps = 100;
    GUID hal = IID_IDirect3DHALDevice;
    SaverScene grown(kWidth, kHeight, SaverScene::Light::Spot, &hal);
    PipeRandomSeed(5);
    grown.AddPipes(4, 25);
    Drawn(grown);
    int incremental = 0;
    for (int i = 0; i < kSteps; ++i) {
        grown.GrowNext();
        Drawn(grown);
        const gl::SceneRenderer& renderer = grown.viewport->GlRenderer();
        incremental += renderer.LastWasIncremental();
        EXPECT_LE(renderer.LastVisualsUploaded(), 2u) << "a step adds a straight piece and maybe an elbow";
    }
    EXPECT_EQ(incremental, kSteps);
    const std::vector<uint32_t> stepwise = Drawn(grown);

    SaverScene once(kWidth, kHeight, SaverScene::Light::Spot, &hal);
    PipeRandomSeed(5);
    once.AddPipes(4, 25);
    for (int i = 0; i < kSteps; ++i) once.GrowNext();
    const std::vector<uint32_t> full = Drawn(once);
    EXPECT_FALSE(once.viewport->GlRenderer().LastWasIncremental());
    size_t differ = 0;
    for (size_t i = 0; i < full.size(); ++i) differ += full[i] != stepwise[i];
    // Only where two surfaces meet at exactly one depth may the earlier drawn differ.
    EXPECT_LE(differ, full.size() / 1000);
}

} // namespace
