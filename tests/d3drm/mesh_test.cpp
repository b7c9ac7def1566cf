#include "platform/d3drm/d3drm.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

class MeshTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Direct3DRMCreate(&rm), S_OK);
        ASSERT_EQ(rm->CreateMesh(&mesh), S_OK);
    }
    void TearDown() override {
        if (mesh) mesh->Release();
        rm->Release();
    }
    IDirect3DRM* rm = nullptr;
    IDirect3DRMMesh* mesh = nullptr;
};

TEST_F(MeshTest, CountedFaceListsAreReadFaceByFace) {
    const unsigned faces[] = {3, 0, 1, 2, 4, 0, 1, 2, 3};
    D3DRMGROUPINDEX g = -1;
    ASSERT_EQ(mesh->AddGroup(4, 2, 0, faces, &g), S_OK);
    EXPECT_EQ(g, 0);
    ASSERT_EQ(mesh->GroupCount(), 1u);
    const RMMeshGroup& group = mesh->Group(0);
    ASSERT_EQ(group.FaceCount(), 2u);
    EXPECT_EQ(std::vector<uint32_t>(group.Face(0).begin(), group.Face(0).end()),
              (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(std::vector<uint32_t>(group.Face(1).begin(), group.Face(1).end()),
              (std::vector<uint32_t>{0, 1, 2, 3}));
    EXPECT_EQ(group.Vertices().size(), 4u);
    EXPECT_EQ(group.Color(), 0xFFFFFFFFu);
    EXPECT_EQ(group.Quality(), D3DRMRENDER_GOURAUD);
    EXPECT_EQ(group.Material(), nullptr);

    const unsigned triangles[] = {0, 1, 2, 2, 1, 3};
    ASSERT_EQ(mesh->AddGroup(4, 2, 3, triangles, &g), S_OK);
    EXPECT_EQ(g, 1);
    EXPECT_EQ(mesh->GetGroupCount(), 2u);
    EXPECT_EQ(mesh->Group(1).Face(1)[2], 3u);
}

TEST_F(MeshTest, FaceListsThatDoNotMatchTheirCountsAreRefused) {
    D3DRMGROUPINDEX g = -1;
    const unsigned outOfRange[] = {3, 0, 1, 4};
    const unsigned tooFew[] = {2, 0, 1};
    const unsigned fine[] = {3, 0, 1, 2};
    EXPECT_EQ(mesh->AddGroup(4, 1, 0, outOfRange, &g), D3DRMERR_BADVALUE);
    EXPECT_EQ(mesh->AddGroup(4, 1, 0, tooFew, &g), D3DRMERR_BADVALUE);
    EXPECT_EQ(mesh->AddGroup(4, 1, 2, fine, &g), D3DRMERR_BADVALUE);
    EXPECT_EQ(mesh->AddGroup(4, 1, 0, nullptr, &g), D3DRMERR_BADVALUE);
    EXPECT_EQ(mesh->AddGroup(0, 1, 0, fine, &g), D3DRMERR_BADVALUE);
    EXPECT_EQ(mesh->AddGroup(4, 1, 0, fine, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(g, -1);
    EXPECT_EQ(mesh->GetGroupCount(), 0u);
}

TEST_F(MeshTest, GroupAndVertexIndicesAreChecked) {
    const unsigned faces[] = {3, 0, 1, 2};
    D3DRMGROUPINDEX g = -1;
    ASSERT_EQ(mesh->AddGroup(3, 1, 0, faces, &g), S_OK);
    D3DRMVERTEX v[3] = {};
    v[2].position = {1, 2, 3};
    EXPECT_EQ(mesh->SetVertices(g, 1, 3, v), D3DRMERR_BADVALUE);
    EXPECT_EQ(mesh->SetVertices(g, UINT_MAX, 2, v), D3DRMERR_BADVALUE);
    EXPECT_EQ(mesh->SetVertices(1, 0, 3, v), D3DRMERR_BADVALUE);
    EXPECT_EQ(mesh->SetVertices(-1, 0, 3, v), D3DRMERR_BADVALUE);
    EXPECT_EQ(mesh->SetVertices(g, 0, 3, nullptr), D3DRMERR_BADVALUE);
    ASSERT_EQ(mesh->SetVertices(g, 0, 3, v), S_OK);
    EXPECT_EQ(mesh->Group(0).Vertices()[2].position.z, 3.0f);
    EXPECT_EQ(mesh->SetGroupColor(1, 0), D3DRMERR_BADVALUE);
    EXPECT_EQ(mesh->SetGroupQuality(-1, 0), D3DRMERR_BADVALUE);
    ASSERT_EQ(mesh->SetGroupColor(g, 0xFF102030u), S_OK);
    EXPECT_EQ(mesh->Group(0).Color(), 0xFF102030u);
}

TEST_F(MeshTest, GroupMaterialIsHeldByTheGroupAndHandedOutWithAReference) {
    const unsigned faces[] = {3, 0, 1, 2};
    D3DRMGROUPINDEX g = -1;
    ASSERT_EQ(mesh->AddGroup(3, 1, 0, faces, &g), S_OK);
    IDirect3DRMMaterial* out = reinterpret_cast<IDirect3DRMMaterial*>(1);
    EXPECT_EQ(mesh->GetGroupMaterial(g, &out), D3DRMERR_NOTFOUND);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(mesh->SetGroupMaterial(g, nullptr), D3DRMERR_BADOBJECT);

    const long before = IDirect3DRMMaterial::LiveCount();
    IDirect3DRMMaterial* material = nullptr;
    ASSERT_EQ(rm->CreateMaterial(5.0f, &material), S_OK);
    ASSERT_EQ(mesh->SetGroupMaterial(g, material), S_OK);
    ASSERT_EQ(mesh->SetGroupMaterial(g, material), S_OK); // setting it again keeps it alive
    material->Release();
    EXPECT_EQ(IDirect3DRMMaterial::LiveCount(), before + 1);

    ASSERT_EQ(mesh->GetGroupMaterial(g, &out), S_OK);
    EXPECT_EQ(out, mesh->Group(0).Material());
    IDirect3DRMMaterial* none = nullptr;
    EXPECT_EQ(mesh->GetGroupMaterial(3, &none), D3DRMERR_BADVALUE);
    mesh->Release();
    mesh = nullptr;
    EXPECT_EQ(IDirect3DRMMaterial::LiveCount(), before + 1); // the caller's reference
    out->Release();
    EXPECT_EQ(IDirect3DRMMaterial::LiveCount(), before);
}

TEST_F(MeshTest, AMeshAddedToAFrameLivesAsLongAsTheFrame) {
    const long before = IDirect3DRMMesh::LiveCount();
    IDirect3DRMFrame* frame = nullptr;
    ASSERT_EQ(rm->CreateFrame(nullptr, &frame), S_OK);
    ASSERT_EQ(frame->AddVisual(mesh), S_OK);
    mesh->Release();
    EXPECT_EQ(IDirect3DRMMesh::LiveCount(), before);
    EXPECT_EQ(frame->Visuals()[0]->AsMesh(), mesh);
    mesh = nullptr;
    frame->Release();
    EXPECT_EQ(IDirect3DRMMesh::LiveCount(), before - 1);
}

} // namespace
