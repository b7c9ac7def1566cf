// CRenderContext without the render thread: initialisation by display depth, failure paths and
// the scene operations.
#include "platform/null/null_window_backend.h"
#include "platform/afx/wnd.h"
#include "platform/display/fake_display_backend.h"
#include "render/device_search.h"
#include "render/render_context.h"

#include <gtest/gtest.h>

namespace {

class RenderContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* backend = dynamic_cast<NullWindowBackend*>(&AfxGetWindowBackend());
        ASSERT_NE(backend, nullptr);
        window.m_hWnd = backend->CreateForeignWindow(200, 100);
        UseDepth(32);
    }
    void TearDown() override {
        AfxGetWindowBackend().Destroy(window.m_hWnd);
        window.m_hWnd = nullptr;
        SetDisplayBackend(nullptr);
        D3DSetDeviceListForTesting(nullptr);
    }
    static void UseDepth(DWORD bits) {
        SetDisplayBackend(std::make_unique<FakeDisplayBackend>(
            std::vector<DisplayMode>{{1920, 1080, bits, 60, 0}}, 0));
    }
    static void ExpectNothingAlive() {
        EXPECT_EQ(IDirect3DRM::LiveCount(), 0);
        EXPECT_EQ(IDirect3DRMFrame::LiveCount(), 0);
        EXPECT_EQ(IDirect3DRMDevice::LiveCount(), 0);
        EXPECT_EQ(IDirect3DRMViewport::LiveCount(), 0);
        EXPECT_EQ(IDirectDrawClipper::LiveCount(), 0);
        EXPECT_EQ(IDirectDraw::LiveCount(), 0);
    }

    CWnd window;
};

TEST_F(RenderContextTest, FieldAndFrontWithoutViewport) {
    CRenderContext context;
    EXPECT_EQ(context.GetField(), 0.0f);
    EXPECT_EQ(context.GetFront(), -1.0f);
    ASSERT_TRUE(context.Initialize(&window, FALSE));
    EXPECT_EQ(context.GetField(), 0.5f);
    EXPECT_EQ(context.GetFront(), 1.0f);
    context.ReleaseAll();
    EXPECT_EQ(context.GetField(), 0.0f);
    EXPECT_EQ(context.GetFront(), -1.0f);
    context.ReleaseAll(); // twice is harmless
    ExpectNothingAlive();
}

TEST_F(RenderContextTest, InitializeBuildsDeviceAndViewportForTheWindow) {
    CRenderContext context;
    ASSERT_TRUE(context.Initialize(&window, FALSE));
    ASSERT_NE(context.GetDevice(), nullptr);
    EXPECT_EQ(context.GetDevice()->GetWidth(), 200u);
    EXPECT_EQ(context.GetDevice()->GetHeight(), 100u);
    EXPECT_EQ(context.GetDevice()->GetQuality(), D3DRMRENDER_GOURAUD);
    EXPECT_EQ(context.GetDevice()->GetShades(), 256u);
    EXPECT_EQ(context.GetD3DRM()->GetDefaultTextureColors(), 64u);
    EXPECT_EQ(context.GetD3DRM()->GetDefaultTextureShades(), 256u);
    EXPECT_EQ(context.GetViewport()->GetBack(), 5000.0f);
    EXPECT_EQ(IDirectDraw::LiveCount(), 0) << "the search releases what it opened";
    D3DVECTOR camera{1, 1, 1};
    IDirect3DRMFrame* scene = context.GetScene();
    ASSERT_EQ(scene->Children().size(), 1u);
    scene->Children()[0]->GetPosition(scene, &camera);
    EXPECT_EQ(camera.x, 0.0f);
    EXPECT_EQ(camera.y, 0.0f);
    EXPECT_EQ(camera.z, 0.0f);
}

TEST_F(RenderContextTest, SixteenBitDisplayGetsThirtyTwoShades) {
    UseDepth(16);
    CRenderContext context;
    ASSERT_TRUE(context.Initialize(&window, FALSE));
    EXPECT_EQ(context.GetDevice()->GetShades(), 32u);
    EXPECT_EQ(context.GetD3DRM()->GetDefaultTextureShades(), 32u);
}

TEST_F(RenderContextTest, EightBitDisplayFailsAfterSelectingAndReleasesEverything) {
    UseDepth(8);
    D3DDeviceEntry eightBit = D3DBuiltInDevices()[0];
    eightBit.software.dwDeviceRenderBitDepth |= DDBD_8;
    const std::vector<D3DDeviceEntry> list{eightBit};
    D3DSetDeviceListForTesting(&list);
    CRenderContext context;
    EXPECT_FALSE(context.Initialize(&window, FALSE));
    EXPECT_EQ(context.GetDeviceSearch().selected, 0) << "a device was selected";
    EXPECT_EQ(context.GetD3DRM(), nullptr);
    EXPECT_EQ(context.GetScene(), nullptr);
    EXPECT_EQ(context.GetDevice(), nullptr);
    EXPECT_EQ(context.GetViewport(), nullptr);
    ExpectNothingAlive();
}

TEST_F(RenderContextTest, NoDeviceForTheDepthFailsBeforeCreatingAnything) {
    UseDepth(8);
    CRenderContext context;
    EXPECT_FALSE(context.Initialize(&window, TRUE));
    EXPECT_EQ(context.GetDeviceSearch().count, 0);
    ExpectNothingAlive();
}

TEST_F(RenderContextTest, SecondInitializeReplacesTheFirstWithoutLeaking) {
    CRenderContext context;
    ASSERT_TRUE(context.Initialize(&window, FALSE));
    ASSERT_TRUE(context.Initialize(&window, FALSE));
    EXPECT_EQ(IDirect3DRM::LiveCount(), 1);
    EXPECT_EQ(IDirect3DRMDevice::LiveCount(), 1);
}

TEST_F(RenderContextTest, SceneOperationsNeedAScene) {
    CRenderContext context;
    EXPECT_FALSE(context.SetCameraPosition(0, 0, 0));
    EXPECT_FALSE(context.PointCamera(100, 0, 0));
    EXPECT_FALSE(context.AddSceneLight(nullptr));
    EXPECT_FALSE(context.AddToScene(nullptr));
    EXPECT_FALSE(context.RemoveFromScene(nullptr));
    EXPECT_FALSE(context.SetBackgroundRGB(0, 0, 0));
    EXPECT_FALSE(context.HandlePaint(nullptr));
    EXPECT_FALSE(context.HandleActivate(1));
    EXPECT_FALSE(context.StartRendering(0));
    EXPECT_FALSE(context.RequestFrame());
}

TEST_F(RenderContextTest, SceneOperations) {
    CRenderContext context;
    ASSERT_TRUE(context.Initialize(&window, FALSE));
    EXPECT_FALSE(context.HandlePaint(nullptr)) << "not before rendering has started";
    ASSERT_TRUE(context.SetCameraPosition(0, 20, 0));
    ASSERT_TRUE(context.PointCamera(100, 0, 0));
    const IDirect3DRMFrame* camera = context.GetScene()->Children()[0];
    const D3DVECTOR forward = camera->WorldTransform().Axis(2),
                    up = camera->WorldTransform().Axis(1);
    EXPECT_NEAR(forward.x, 0.981, 1e-3);
    EXPECT_NEAR(forward.y, -0.196, 1e-3);
    EXPECT_NEAR(up.x, 0.196, 1e-3);
    EXPECT_NEAR(up.y, 0.981, 1e-3);

    IDirect3DRMFrame* pipe = nullptr;
    context.GetD3DRM()->CreateFrame(nullptr, &pipe);
    EXPECT_TRUE(context.AddToScene(pipe));
    EXPECT_EQ(context.GetScene()->Children().size(), 2u);
    EXPECT_TRUE(context.RemoveFromScene(pipe));
    EXPECT_FALSE(context.RemoveFromScene(pipe));
    pipe->Release();
    EXPECT_TRUE(context.SetBackgroundRGB(0.2f, 0.2f, 0.2f));
    EXPECT_EQ(context.GetScene()->GetSceneBackground(), 0xFF333333u);
}

} // namespace
