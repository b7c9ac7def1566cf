// Incremental frames of a growing scene of real pipes against full redraws of the same scene.
#include "tests/support/saver_scene.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 640, kHeight = 480;

// The scene drawn from nothing by a new viewport on a second device.
std::vector<uint32_t> FullRedraw(SaverScene& s, IDirect3DRMDevice* device) {
    IDirect3DRMViewport* viewport = nullptr;
    EXPECT_EQ(s.rm->CreateViewport(device, s.camera, 0, 0, kWidth, kHeight, &viewport), S_OK);
    viewport->SetBack(5000.0f);
    viewport->Clear();
    viewport->Render(s.scene);
    EXPECT_FALSE(viewport->Renderer().LastWasIncremental());
    viewport->Release();
    const swr::FrameBuffer& fb = device->GetFrameBuffer();
    return {fb.Pixels(), fb.Pixels() + static_cast<size_t>(kWidth) * kHeight};
}

int CountDifferences(const swr::FrameBuffer& a, const std::vector<uint32_t>& b) {
    int n = 0;
    for (size_t i = 0; i < b.size(); ++i)
        n += a.Pixels()[i] != b[i];
    return n;
}

TEST(IncrementalFrames, EqualFullRedrawsOfGrowingPipes) {
    PipeRandomSeed(3);
    SaverScene s(kWidth, kHeight);
    IDirect3DRMDevice* reference = nullptr;
    ASSERT_EQ(s.rm->CreateDeviceFromClipper(s.clipper, nullptr, 0, 0, &reference), S_OK);
    s.AddPipes(6, 30);
    ASSERT_EQ(s.Frame(), S_OK);

    int incremental = 0, compared = 0, worst = 0;
    long differing = 0;
    for (int step = 1; step <= 6 * 30; ++step) {
        s.GrowNext();
        ASSERT_EQ(s.Frame(), S_OK);
        incremental += s.viewport->Renderer().LastWasIncremental();
        if (step % 6 != 0) continue;
        const int d = CountDifferences(s.Image(), FullRedraw(s, reference));
        differing += d;
        worst = std::max(worst, d);
        ++compared;
    }
    reference->Release();
    EXPECT_EQ(incremental, 6 * 30) << "every growth step draws only its new pieces";
    // Only pixels where two surfaces lie at exactly the same depth may differ.
    EXPECT_LE(worst, kWidth * kHeight / 10000);
    std::printf("incremental vs full redraw: %ld differing pixels over %d comparisons of %d "
                "pixels, worst %d\n",
                differing, compared, kWidth * kHeight, worst);
}

TEST(IncrementalFrames, ChangesOtherThanNewVisualsRedrawEverything) {
    PipeRandomSeed(5);
    SaverScene s(160, 120);
    s.AddPipes(2, 10);
    s.GrowAll(3);
    s.Frame();
    s.GrowNext();
    s.Frame();
    EXPECT_TRUE(s.viewport->Renderer().LastWasIncremental());
    const size_t visuals = s.viewport->Renderer().LastVisualsDrawn();
    EXPECT_GE(visuals, 1u);
    EXPECT_LE(visuals, 2u) << "a growth step adds a straight piece and maybe an elbow";

    s.scene->SetSceneBackgroundRGB(0.5f, 0.5f, 0.5f);
    s.Frame();
    EXPECT_FALSE(s.viewport->Renderer().LastWasIncremental());
    EXPECT_EQ(s.Image().Pixel(0, 0), 0xFF7F7F7Fu);

    // A material changed after its mesh was drawn is seen.
    IDirect3DRMMaterial* material = nullptr;
    const IDirect3DRMMesh* mesh = s.pipes[0]->GetFrame()->Visuals()[0]->AsMesh();
    const_cast<IDirect3DRMMesh*>(mesh)->GetGroupMaterial(0, &material);
    ASSERT_NE(material, nullptr);
    material->SetEmissive(1.0f, 1.0f, 1.0f);
    material->Release();
    s.Frame();
    EXPECT_FALSE(s.viewport->Renderer().LastWasIncremental());

    s.scene->DeleteChild(s.pipes[1]->GetFrame());
    s.Frame();
    EXPECT_FALSE(s.viewport->Renderer().LastWasIncremental());
    s.Frame();
    EXPECT_TRUE(s.viewport->Renderer().LastWasIncremental());
    EXPECT_EQ(s.viewport->Renderer().LastVisualsDrawn(), 0u);
}

TEST(IncrementalFrames, UpdatePresentsOnlyTheChangedRectangle) {
    PipeRandomSeed(9);
    SaverScene s(320, 240);
    s.AddPipes(1, 10);
    s.Frame();
    s.GrowNext();
    s.viewport->Clear();
    s.viewport->Render(s.scene);
    const RECT damage = s.device->GetFrameBuffer().Damage();
    EXPECT_FALSE(swr::IsEmpty(damage));
    EXPECT_LT((damage.right - damage.left) * (damage.bottom - damage.top), 320 * 240 / 4);
    s.device->Update();
    EXPECT_TRUE(swr::IsEmpty(s.device->GetFrameBuffer().Damage()));
}

} // namespace
