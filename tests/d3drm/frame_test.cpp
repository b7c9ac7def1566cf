#include "platform/d3drm/d3drm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Direct3DRMCreate(&rm), S_OK);
        ASSERT_EQ(rm->CreateFrame(nullptr, &root), S_OK);
    }
    void TearDown() override {
        root->Release();
        rm->Release();
    }
    IDirect3DRMFrame* Child(IDirect3DRMFrame* parent) {
        IDirect3DRMFrame* f = nullptr;
        EXPECT_EQ(rm->CreateFrame(parent, &f), S_OK);
        return f;
    }

    IDirect3DRM* rm = nullptr;
    IDirect3DRMFrame* root = nullptr;
};

void ExpectVector(const D3DVECTOR& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-4f);
    EXPECT_NEAR(v.y, y, 1e-4f);
    EXPECT_NEAR(v.z, z, 1e-4f);
}

TEST_F(FrameTest, ParentKeepsItsChildrenAliveUntilDeleteChild) {
    const long before = IDirect3DRMFrame::LiveCount();
    IDirect3DRMFrame* child = Child(root);
    IDirect3DRMFrame* grandchild = Child(child);
    grandchild->Release();
    child->AddRef(); // a witness reference
    child->Release();
    child->Release(); // only the parent's reference is left
    EXPECT_EQ(IDirect3DRMFrame::LiveCount(), before + 2);
    ASSERT_EQ(root->Children().size(), 1u);

    child->AddRef();
    EXPECT_EQ(root->DeleteChild(child), S_OK);
    EXPECT_EQ(root->DeleteChild(child), D3DRMERR_NOTFOUND);
    EXPECT_TRUE(root->Children().empty());
    EXPECT_EQ(child->Parent(), nullptr);
    EXPECT_EQ(IDirect3DRMFrame::LiveCount(), before + 2);
    child->Release(); // the last reference: the child and its own child go
    EXPECT_EQ(IDirect3DRMFrame::LiveCount(), before);
}

TEST_F(FrameTest, AddChildMovesAFrameAndKeepsItsLocalTransform) {
    IDirect3DRMFrame* a = Child(root);
    IDirect3DRMFrame* b = Child(root);
    IDirect3DRMFrame* c = Child(a);
    a->SetPosition(nullptr, 10, 0, 0);
    b->SetPosition(nullptr, 0, 5, 0);
    c->SetPosition(nullptr, 1, 2, 3);
    ExpectVector(c->WorldTransform().Origin(), 11, 2, 3);

    const uint64_t before = c->Revision();
    ASSERT_EQ(b->AddChild(c), S_OK);
    EXPECT_TRUE(a->Children().empty());
    EXPECT_EQ(c->Parent(), b);
    ExpectVector(c->LocalTransform().Origin(), 1, 2, 3);
    ExpectVector(c->WorldTransform().Origin(), 1, 7, 3);
    EXPECT_GT(c->Revision(), before);

    // The reference moved with the child: a second AddChild and a release of a change nothing.
    EXPECT_EQ(b->AddChild(c), S_OK);
    const long live = IDirect3DRMFrame::LiveCount();
    a->Release();
    c->Release();
    b->Release(); // only the scene's references are left
    EXPECT_EQ(IDirect3DRMFrame::LiveCount(), live);
    EXPECT_EQ(root->DeleteChild(a), S_OK);
    EXPECT_EQ(IDirect3DRMFrame::LiveCount(), live - 1); // c lives on under b
}

TEST_F(FrameTest, AFrameCannotBecomeItsOwnDescendant) {
    IDirect3DRMFrame* child = Child(root);
    IDirect3DRMFrame* grandchild = Child(child);
    EXPECT_EQ(grandchild->AddChild(root), D3DRMERR_BADVALUE);
    EXPECT_EQ(child->AddChild(child), D3DRMERR_BADVALUE);
    EXPECT_EQ(root->AddChild(nullptr), D3DRMERR_BADOBJECT);
    EXPECT_EQ(grandchild->Parent(), child);
    EXPECT_EQ(root->Parent(), nullptr);
    grandchild->Release();
    child->Release();
}

TEST_F(FrameTest, PositionsAndOrientationsAreRelativeToTheReferenceFrame) {
    IDirect3DRMFrame* pipe = Child(root);
    ASSERT_EQ(pipe->SetPosition(root, 150, 0, 0), S_OK);
    // Forward along world +x, up along +y: right is world -z.
    ASSERT_EQ(pipe->SetOrientation(root, 2, 0, 0, 0, 5, 0), S_OK);
    ExpectVector(pipe->WorldTransform().Axis(0), 0, 0, -1);
    ExpectVector(pipe->WorldTransform().Axis(1), 0, 1, 0);
    ExpectVector(pipe->WorldTransform().Axis(2), 1, 0, 0);
    ExpectVector(pipe->WorldTransform().Origin(), 150, 0, 0);

    IDirect3DRMFrame* part = Child(pipe);
    part->SetPosition(nullptr, 0, 0, 2); // along the pipe's forward axis
    D3DVECTOR p;
    ASSERT_EQ(part->GetPosition(root, &p), S_OK);
    ExpectVector(p, 152, 0, 0);
    part->SetPosition(root, 150, 3, 1);
    ASSERT_EQ(part->GetPosition(nullptr, &p), S_OK);
    ExpectVector(p, -1, 3, 0);
    ASSERT_EQ(part->GetPosition(part, &p), S_OK);
    ExpectVector(p, 0, 0, 0);
    EXPECT_EQ(part->GetPosition(root, nullptr), D3DRMERR_BADVALUE);

    // Orientation relative to root while the parent is turned: world axes follow root's.
    ASSERT_EQ(part->SetOrientation(root, 0, 0, 1, 0, 1, 0), S_OK);
    ExpectVector(part->WorldTransform().Axis(2), 0, 0, 1);
    ExpectVector(part->WorldTransform().Origin(), 150, 3, 1);
    part->Release();
    pipe->Release();
}

TEST_F(FrameTest, MovingAnAncestorUpdatesWorldTransformsAndRevisions) {
    IDirect3DRMFrame* a = Child(root);
    IDirect3DRMFrame* b = Child(a);
    b->SetPosition(nullptr, 1, 0, 0);
    const uint64_t stamp = IDirect3DRMObject::CurrentRevision();
    root->SetPosition(nullptr, 0, 0, 10);
    ExpectVector(b->WorldTransform().Origin(), 1, 0, 10);
    EXPECT_GT(a->Revision(), stamp);
    EXPECT_GT(b->Revision(), stamp);
    b->Release();
    a->Release();
}

TEST_F(FrameTest, AddingVisualsLeavesTheRevisionAlone) {
    IDirect3DRMMesh* mesh = nullptr;
    ASSERT_EQ(rm->CreateMesh(&mesh), S_OK);
    const uint64_t before = root->Revision();
    ASSERT_EQ(root->AddVisual(mesh), S_OK);
    ASSERT_EQ(root->AddVisual(mesh), S_OK); // already there: not added twice
    EXPECT_EQ(root->Visuals().size(), 1u);
    EXPECT_EQ(root->Revision(), before);
    EXPECT_EQ(root->Move(1.0f), S_OK);
    EXPECT_EQ(root->Revision(), before);
    EXPECT_EQ(root->AddVisual(nullptr), D3DRMERR_BADOBJECT);
    mesh->Release();
}

TEST_F(FrameTest, OrientationNeedsAForwardAndAnUpThatIsNotParallel) {
    IDirect3DRMFrame* f = Child(root);
    f->SetPosition(nullptr, 1, 2, 3);
    const RMTransform before = f->LocalTransform();
    EXPECT_EQ(f->SetOrientation(nullptr, 0, 0, 0, 0, 1, 0), D3DRMERR_BADVALUE);
    EXPECT_EQ(f->SetOrientation(nullptr, 0, 2, 0, 0, -3, 0), D3DRMERR_BADVALUE);
    EXPECT_EQ(f->SetPosition(nullptr, NAN, 0, 0), D3DRMERR_BADVALUE);
    EXPECT_EQ(0, std::memcmp(&before, &f->LocalTransform(), sizeof before));
    // An up that is not perpendicular is straightened.
    ASSERT_EQ(f->SetOrientation(nullptr, 0, 0, 1, 0, 1, 1), S_OK);
    ExpectVector(f->LocalTransform().Axis(1), 0, 1, 0);
    ExpectVector(f->LocalTransform().Origin(), 1, 2, 3);
    f->Release();
}

TEST_F(FrameTest, TheBackgroundBelongsToTheSceneRoot) {
    IDirect3DRMFrame* child = Child(root);
    EXPECT_EQ(root->GetSceneBackground(), 0xFF000000u);
    ASSERT_EQ(child->SetSceneBackgroundRGB(1.0f, 0.5f, 0.0f), S_OK);
    EXPECT_EQ(root->GetSceneBackground(), 0xFFFF7F00u);
    EXPECT_EQ(child->GetSceneBackground(), 0xFFFF7F00u);
    child->Release();
}

TEST_F(FrameTest, LightsAreHeldByTheFrame) {
    IDirect3DRMLight* light = nullptr;
    ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_AMBIENT, 1, 1, 1, &light), S_OK);
    const long live = IDirect3DRMLight::LiveCount();
    ASSERT_EQ(root->AddLight(light), S_OK);
    light->Release();
    EXPECT_EQ(IDirect3DRMLight::LiveCount(), live);
    ASSERT_EQ(root->Lights().size(), 1u);
    EXPECT_EQ(root->Lights()[0]->Type(), D3DRMLIGHT_AMBIENT);
    EXPECT_EQ(root->AddLight(nullptr), D3DRMERR_BADOBJECT);
}

} // namespace
