#include "pipes/cylinder_mesh.h"
#include "pipes/elbow_mesh.h"
#include "pipes/rotate.h"

#include "scene_fixture.h"
#include "vec.h"

#include <vector>

namespace {

using PieceTest = SceneTest;

std::vector<uint32_t> FaceOf(const RMMeshGroup& g, size_t i) {
    return {g.Face(i).begin(), g.Face(i).end()};
}

size_t FaceListIntegers(const RMMeshGroup& g) {
    size_t n = 0;
    for (size_t f = 0; f < g.FaceCount(); ++f)
        n += 1 + g.Face(f).size();
    return n;
}

TEST_F(PieceTest, StraightCylinderHasItsCapsAndRimsWhereExpected) {
    const CYLINDERPARAMS params{0.6f, 8.0f, 0, 0, 0, 0xFF123456u, 0, 0, 0};
    CCylinderMesh cylinder;
    cylinder.SetParams(&params);
    ASSERT_TRUE(cylinder.Create(rm, 10));
    ASSERT_EQ(cylinder.GetMesh()->GroupCount(), 1u);
    const RMMeshGroup& g = cylinder.GetMesh()->Group(0);
    ASSERT_EQ(g.Vertices().size(), 22u);
    ASSERT_EQ(g.FaceCount(), 30u);
    EXPECT_EQ(FaceListIntegers(g), 130u);

    const auto v = g.Vertices();
    EXPECT_TRUE(Near(v[0].position, {0, 4, 0}, 1e-6f));
    EXPECT_TRUE(Near(v[0].normal, {0, 1, 0}, 0));
    EXPECT_EQ(v[0].tu, 2.0f);
    EXPECT_TRUE(Near(v[1].position, {0.6f, 4, 0}, 1e-6f));
    EXPECT_TRUE(Near(v[1].normal, {1, 0, 0}, 1e-6f));
    EXPECT_EQ(v[1].tu, 0.0f);
    EXPECT_EQ(v[1].tv, 1.0f);
    EXPECT_NEAR(v[2].tu, 0.1f, 1e-7f);
    EXPECT_TRUE(Near(v[11].position, {0.6f, -4, 0}, 1e-6f));
    EXPECT_EQ(v[11].tv, 0.0f);
    EXPECT_TRUE(Near(v[21].position, {0, -4, 0}, 1e-6f));
    EXPECT_TRUE(Near(v[21].normal, {0, -1, 0}, 0));
    EXPECT_EQ(v[5].color, 0xFF123456u);

    EXPECT_EQ(FaceOf(g, 0), (std::vector<uint32_t>{0, 2, 1}));
    EXPECT_EQ(FaceOf(g, 10), (std::vector<uint32_t>{1, 2, 12, 11}));
    EXPECT_EQ(FaceOf(g, 19), (std::vector<uint32_t>{10, 1, 11, 20}));
    EXPECT_EQ(FaceOf(g, 20), (std::vector<uint32_t>{11, 12, 21}));
    EXPECT_EQ(FaceOf(g, 29), (std::vector<uint32_t>{20, 11, 21}));

    EXPECT_EQ(g.Color(), 0xFF123456u);
    EXPECT_EQ(g.Quality(), 0x89u);
    ASSERT_NE(g.Material(), nullptr);
    EXPECT_EQ(g.Material()->Power(), 1.0f);
    EXPECT_EQ(g.Material()->Specular().g, 1.0f);
    EXPECT_EQ(g.Material()->Emissive().r, 0.0f);
}

TEST_F(PieceTest, ElbowBendsAroundItsCentreLine) {
    const ELBOWPARAMS params{
        0.6f, 0.6f * kThreeHalfRightAngles, kRightAngle, 0, 0, 0, 0xFF00FF00u, 0, 0, 0};
    CElbowMesh elbow;
    elbow.SetParams(&params);
    ASSERT_TRUE(elbow.Create(rm, 10, 10));
    const RMMeshGroup& g = elbow.GetMesh()->Group(0);
    ASSERT_EQ(g.Vertices().size(), 92u);
    ASSERT_EQ(g.FaceCount(), 100u);
    EXPECT_EQ(FaceListIntegers(g), 480u);

    const auto v = g.Vertices();
    EXPECT_TRUE(Near(v[0].position, {0.2636f, 0.6364f, 0}, 1e-4f));
    EXPECT_TRUE(Near(v[0].normal, {0, 0, 0}, 0));
    EXPECT_TRUE(Near(v[1].position, {0.6879f, 0.2121f, 0}, 1e-4f));
    EXPECT_TRUE(Near(v[1].normal, {0.7071f, -0.7071f, 0}, 1e-4f));
    EXPECT_TRUE(Near(v[91].position, {0.2636f, -0.6364f, 0}, 1e-4f));
    EXPECT_TRUE(Near(v[91].normal, {0, 0, 0}, 0));
    // Ring 5 sits at bend angle 0: around the local origin, in the plane x-z.
    EXPECT_TRUE(Near(v[41].position, {0.6f, 0, 0}, 1e-6f));
    for (int i = 1; i <= 9; ++i)
        EXPECT_NEAR(v[1 + (i - 1) * 10].tv, 1.0f - (i - 1) / 8.0f, 1e-6f) << "ring " << i;
    EXPECT_EQ(g.Color(), 0xFF00FF00u);
    EXPECT_EQ(g.Quality(), D3DRMRENDER_GOURAUD);
}

TEST_F(PieceTest, PiecesWithoutParametersBuildNothing) {
    const long meshes = IDirect3DRMMesh::LiveCount();
    CCylinderMesh cylinder;
    EXPECT_FALSE(cylinder.Create(rm, 10));
    EXPECT_FALSE(cylinder.Build(rm, 3, 10));
    EXPECT_EQ(cylinder.GetMesh(), nullptr);
    CElbowMesh elbow;
    EXPECT_FALSE(elbow.Create(rm, 10, 10));
    EXPECT_EQ(elbow.GetMesh(), nullptr);
    EXPECT_EQ(IDirect3DRMMesh::LiveCount(), meshes);

    // The elbow spaces its inner rings by sweep / (rings - 2): two rings are refused.
    const ELBOWPARAMS params{0.6f, 1.4f, kRightAngle, 0, 0, 0, 0, 0, 0, 0};
    elbow.SetParams(&params);
    EXPECT_FALSE(elbow.Create(rm, 10, 2));
    EXPECT_EQ(elbow.GetMesh(), nullptr);
}

TEST_F(PieceTest, GroupNeedsTwoRingsAndGroupCallsNeedAGroup) {
    CCylinderMesh piece;
    CRMMesh& mesh = piece;
    ASSERT_TRUE(mesh.Create(rm));
    IDirect3DRMMesh* held = piece.GetMesh();
    EXPECT_FALSE(mesh.Create(rm)); // a second mesh would lose the first one's reference
    EXPECT_EQ(piece.GetMesh(), held);

    EXPECT_FALSE(piece.CreateGroup(1, 10));
    EXPECT_FALSE(piece.CreateGroup(3, 0));
    EXPECT_EQ(held->GetGroupCount(), 0u);
    EXPECT_FALSE(piece.SetColor(0));
    EXPECT_FALSE(piece.SetQuality(D3DRMRENDER_GOURAUD));
    IDirect3DRMMaterial* material = nullptr;
    EXPECT_FALSE(piece.GetMaterial(&material));

    ASSERT_TRUE(piece.CreateGroup(2, 10));
    EXPECT_EQ(held->Group(0).Vertices().size(), 12u);
    EXPECT_EQ(held->Group(0).FaceCount(), 20u);
    EXPECT_TRUE(piece.SetColor(0xFF000000u));
}

TEST_F(PieceTest, AMeshAddedToAFrameOutlivesItsPiece) {
    const long meshes = IDirect3DRMMesh::LiveCount();
    const long materials = IDirect3DRMMaterial::LiveCount();
    {
        const CYLINDERPARAMS params{1.2f, 4.0f, 5, 6, 7, 0xFF808080u, kRightAngle, 0, 0};
        CCylinderMesh cylinder;
        cylinder.SetParams(&params);
        ASSERT_TRUE(cylinder.Create(rm, 10));
        ASSERT_EQ(scene->AddVisual(cylinder.GetMesh()), S_OK);
    }
    EXPECT_EQ(IDirect3DRMMesh::LiveCount(), meshes + 1);
    EXPECT_EQ(IDirect3DRMMaterial::LiveCount(), materials + 1);
    ASSERT_EQ(scene->Visuals().size(), 1u);
    const IDirect3DRMMesh* mesh = scene->Visuals()[0]->AsMesh();
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->Group(0).Vertices().size(), 22u);
    EXPECT_TRUE(Near(mesh->Group(0).Vertices()[0].position, {5, 6, 9}, 1e-5f));
}

} // namespace
