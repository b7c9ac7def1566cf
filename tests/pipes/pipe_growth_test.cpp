// Many pipes grown the way the animation driver grows them: the pieces join, heads move by the
// rules, and removing the pipes frees everything they made.
#include "pipes/pipe.h"
#include "pipes/pipe_random.h"
#include "pipes/pipe_tables.h"
#include "render/rm_light.h"

#include "scene_fixture.h"
#include "vec.h"

#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace {

using PipeGrowthTest = SceneTest;

constexpr float kTol = 2e-3f;

// True when the ten vertices of a ring from `first` on lie on the rim circle of a straight
// piece: at the radius from its centre, in the plane across the axis.
bool RingOnRim(const IDirect3DRMMesh* mesh, int first, D3DVECTOR centre, D3DVECTOR axis,
               float radius) {
    const auto v = mesh->Group(0).Vertices();
    for (int i = first; i < first + 10; ++i) {
        const D3DVECTOR out = v[i].position - centre;
        if (std::fabs(Length(out) - radius) > kTol || std::fabs(Dot(out, axis)) > kTol)
            return false;
    }
    return true;
}

TEST_F(PipeGrowthTest, PiecesJoinAndHeadsMoveByTheRules) {
    std::set<std::pair<int, int>> turns; // (old travel, new travel) of every elbow
    for (unsigned seed = 1; seed <= 40; ++seed) {
        PipeRandomSeed(seed);
        CPipe pipe;
        pipe.SetParameters(60, 4.0f, 0.6f, 1.0f, 1.0f, 0.5f, 1.0f, 0.6666667f);
        ASSERT_TRUE(pipe.Create(rm, scene));
        const float bend = pipe.GetRadius() * 1.5f;
        bool hasLast = false; // a straight piece ends at the head
        for (int step = 0; step < 60; ++step) {
            const D3DVECTOR oldHead = pipe.GetHead();
            const int oldBack = pipe.GetBackDir();
            const size_t before = pipe.GetFrame()->Visuals().size();
            ASSERT_EQ(pipe.Grow(rm), 1);
            const int dir = OppositeDirection(pipe.GetBackDir());
            ASSERT_NE(dir, oldBack) << "the pipe doubled back";
            const bool turned = dir != OppositeDirection(oldBack);
            const auto visuals = pipe.GetFrame()->Visuals();
            ASSERT_EQ(visuals.size(), before + (turned ? 2 : 1));

            const IDirect3DRMMesh* cylinder = visuals.back()->AsMesh();
            const auto cv = cylinder->Group(0).Vertices();
            ASSERT_EQ(cv.size(), 22u);
            const D3DVECTOR start = cv[21].position, end = cv[0].position;
            const float length = Length(end - start);
            EXPECT_TRUE(length > 3.99f && std::fmod(length + 0.01f, 4.0f) < 0.02f) << length;
            EXPECT_TRUE(Near(end - start, length * AxisOf(dir), kTol));
            EXPECT_TRUE(Near(end, pipe.GetHead(), kTol));

            D3DVECTOR expectedHead = oldHead + length * AxisOf(dir);
            if (turned) {
                const D3DVECTOR oldTravel = AxisOf(OppositeDirection(oldBack));
                expectedHead = expectedHead + bend * (oldTravel + AxisOf(dir));
                turns.insert({OppositeDirection(oldBack), dir});

                const IDirect3DRMMesh* elbow = visuals[visuals.size() - 2]->AsMesh();
                const auto ev = elbow->Group(0).Vertices();
                ASSERT_EQ(ev.size(), 92u);
                // One end centre at the old head, the other where the straight piece starts;
                // the end rings meet the rims of the straight pieces on either side.
                const bool forwards = Near(ev[0].position, oldHead, kTol);
                EXPECT_TRUE(Near(forwards ? ev[0].position : ev[91].position, oldHead, kTol));
                EXPECT_TRUE(Near(forwards ? ev[91].position : ev[0].position, start, kTol));
                const float r = pipe.GetRadius();
                EXPECT_TRUE(RingOnRim(elbow, forwards ? 81 : 1, start, AxisOf(dir), r));
                if (hasLast) {
                    EXPECT_TRUE(RingOnRim(elbow, forwards ? 1 : 81, oldHead, oldTravel, r));
                }
            } else {
                EXPECT_TRUE(Near(start, oldHead, kTol));
            }
            EXPECT_TRUE(Near(pipe.GetHead(), expectedHead, kTol)) << "seed " << seed;
            hasLast = true;
        }
        scene->DeleteChild(pipe.GetFrame());
    }
    EXPECT_EQ(turns.size(), 24u); // every ordered pair of perpendicular directions
}

TEST_F(PipeGrowthTest, RemovingThePipesFreesEveryMeshMaterialAndFrame) {
    const long frames = IDirect3DRMFrame::LiveCount();
    const long meshes = IDirect3DRMMesh::LiveCount();
    const long materials = IDirect3DRMMaterial::LiveCount();
    const long lights = IDirect3DRMLight::LiveCount();

    {
        // The lights of a scene, set up with wrappers that go out of scope.
        CRMFrame lightFrame;
        ASSERT_TRUE(lightFrame.Create(rm, scene));
        ASSERT_TRUE(lightFrame.SetPosition(0, 20, 0));
        ASSERT_TRUE(lightFrame.PointAt(100, 0, 0));
        CRMLight directional, ambient;
        ASSERT_TRUE(directional.CreateDirectional(rm, 255));
        ASSERT_TRUE(ambient.CreateAmbient(rm, 10));
        ASSERT_TRUE(lightFrame.AddLight(directional.GetLight()));
        ASSERT_EQ(scene->AddLight(ambient.GetLight()), S_OK);
    }
    EXPECT_EQ(IDirect3DRMLight::LiveCount(), lights + 2);

    PipeRandomSeed(77);
    std::vector<std::unique_ptr<CPipe>> pipes;
    for (int i = 0; i < 3; ++i) {
        auto pipe = std::make_unique<CPipe>();
        pipe->SetParameters(20, 4.0f, 0.6f, 0.5f, 2.0f, 0.5f, 1.0f, 0.6666667f);
        ASSERT_TRUE(pipe->Create(rm, scene));
        ASSERT_EQ(scene->AddChild(pipe->GetFrame()), S_OK);
        ASSERT_TRUE(pipe->SetPosition(150, 0, 0));
        pipes.push_back(std::move(pipe));
    }
    for (int step = 0; step < 60; ++step)
        ASSERT_EQ(pipes[step % 3]->Grow(rm), 1);
    EXPECT_GE(IDirect3DRMMesh::LiveCount(), meshes + 60);
    EXPECT_EQ(IDirect3DRMMaterial::LiveCount() - materials, IDirect3DRMMesh::LiveCount() - meshes);

    for (auto& pipe : pipes) {
        ASSERT_EQ(scene->DeleteChild(pipe->GetFrame()), S_OK);
        pipe.reset();
    }
    EXPECT_EQ(IDirect3DRMMesh::LiveCount(), meshes);
    EXPECT_EQ(IDirect3DRMMaterial::LiveCount(), materials);
    EXPECT_EQ(IDirect3DRMFrame::LiveCount(), frames + 1); // the light frame stays in the scene

    scene->Release();
    scene = nullptr;
    EXPECT_EQ(IDirect3DRMFrame::LiveCount(), frames - 1);
    EXPECT_EQ(IDirect3DRMLight::LiveCount(), lights);
    ASSERT_EQ(rm->CreateFrame(nullptr, &scene), S_OK); // for TearDown
}

} // namespace
