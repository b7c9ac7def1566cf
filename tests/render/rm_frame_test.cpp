#include "render/rm_frame.h"

#include "failing_rm.h"

#include <gtest/gtest.h>

namespace {

class RMFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Direct3DRMCreate(&rm), S_OK);
        ASSERT_TRUE(scene.Create(rm, nullptr));
    }
    void TearDown() override { rm->Release(); }

    void ExpectAxis(const CRMFrame& f, int row, float x, float y, float z) {
        const D3DVECTOR a = f.GetFrame()->WorldTransform().Axis(row);
        EXPECT_NEAR(a.x, x, 1e-3f) << "axis " << row;
        EXPECT_NEAR(a.y, y, 1e-3f) << "axis " << row;
        EXPECT_NEAR(a.z, z, 1e-3f) << "axis " << row;
    }

    IDirect3DRM* rm = nullptr;
    CRMFrame scene;
};

TEST_F(RMFrameTest, PointAtTurnsTheForwardAxisWithoutRolling) {
    CRMFrame camera;
    ASSERT_TRUE(camera.Create(rm, scene.GetFrame()));
    ASSERT_TRUE(camera.PointAt(100, 0, 0));
    ExpectAxis(camera, 2, 1, 0, 0);
    ExpectAxis(camera, 1, 0, 1, 0);
    ExpectAxis(camera, 0, 0, 0, -1);

    CRMFrame lightFrame;
    ASSERT_TRUE(lightFrame.Create(rm, scene.GetFrame()));
    ASSERT_TRUE(lightFrame.SetPosition(0, 20, 0));
    ASSERT_TRUE(lightFrame.PointAt(100, 0, 0));
    ExpectAxis(lightFrame, 2, 0.981f, -0.196f, 0);
    ExpectAxis(lightFrame, 1, 0.196f, 0.981f, 0);
    ExpectAxis(lightFrame, 0, 0, 0, -1);
}

TEST_F(RMFrameTest, PointAtWorksInTheReferenceFramesCoordinates) {
    CRMFrame holder;
    ASSERT_TRUE(holder.Create(rm, scene.GetFrame()));
    ASSERT_TRUE(holder.SetPosition(150, 0, 0));
    CRMFrame inner;
    ASSERT_TRUE(inner.Create(rm, holder.GetFrame()));
    ASSERT_TRUE(inner.SetPosition(0, 0, 10));
    ASSERT_TRUE(inner.PointAt(0, 0, 20)); // straight along the holder's +z
    ExpectAxis(inner, 2, 0, 0, 1);
    D3DVECTOR p;
    inner.GetFrame()->GetPosition(nullptr, &p);
    EXPECT_EQ(p.z, 10.0f);
}

TEST_F(RMFrameTest, AChildFrameStaysInTheSceneAfterItsWrapperIsGone) {
    const long before = IDirect3DRMFrame::LiveCount();
    {
        CRMFrame child;
        ASSERT_TRUE(child.Create(rm, scene.GetFrame()));
        EXPECT_EQ(child.GetFrame()->Parent(), scene.GetFrame());
    }
    EXPECT_EQ(IDirect3DRMFrame::LiveCount(), before + 1);
    EXPECT_EQ(scene.GetFrame()->Children().size(), 1u);
}

TEST_F(RMFrameTest, ASecondCreateIsRefusedAndKeepsTheFrame) {
    IDirect3DRMFrame* held = scene.GetFrame();
    FailingRM* failing = new FailingRM;
    ASSERT_FALSE(scene.Create(failing, nullptr));
    EXPECT_EQ(scene.status, 0);
    EXPECT_EQ(scene.GetFrame(), held);
    failing->Release();
}

TEST_F(RMFrameTest, FailuresSetTheStatusAndEmptyWrappersCallNothing) {
    EXPECT_FALSE(scene.AddVisual(nullptr));
    EXPECT_EQ(scene.status, 1);
    EXPECT_TRUE(scene.SetPosition(1, 2, 3));
    EXPECT_EQ(scene.status, 0);

    const long before = IDirect3DRMFrame::LiveCount();
    {
        CRMFrame empty;
        EXPECT_EQ(empty.GetFrame(), nullptr);
        empty.status = 7;
        EXPECT_FALSE(empty.PointAt(1, 0, 0));
        EXPECT_EQ(empty.status, 7); // PointAt leaves the status alone
        EXPECT_FALSE(empty.AddLight(nullptr));
        EXPECT_EQ(empty.status, 0);
        EXPECT_FALSE(empty.Create(nullptr, nullptr));

        FailingRM* failing = new FailingRM;
        EXPECT_FALSE(empty.Create(failing, nullptr));
        EXPECT_EQ(empty.status, 1);
        EXPECT_EQ(empty.GetFrame(), nullptr);
        failing->Release();
    }
    EXPECT_EQ(IDirect3DRMFrame::LiveCount(), before);
}

} // namespace
