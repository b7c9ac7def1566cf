// Every face of both pieces must face away from the solid, whatever the rotation, size and place.
#include "pipes/cylinder_mesh.h"
#include "pipes/elbow_mesh.h"
#include "pipes/pipe_tables.h"
#include "pipes/rotate.h"

#include "scene_fixture.h"
#include "vec.h"

#include <random>
#include <sstream>
#include <string>

namespace {

// Centre of ring k: the start centre for 0, the end centre for `rings`, else the ring's mean.
D3DVECTOR RingCentre(const RMMeshGroup& g, int k, int rings, int sides) {
    const auto v = g.Vertices();
    if (k == 0) return v[0].position;
    if (k == rings) return v[v.size() - 1].position;
    D3DVECTOR sum{0, 0, 0};
    for (int j = 0; j < sides; ++j)
        sum = sum + v[1 + (k - 1) * sides + j].position;
    return (1.0f / sides) * sum;
}

// Empty when every face turns (b - a) × (c - a) away from the inside of the tube and every rim
// normal points out; otherwise what is wrong first.
std::string TubeFacesOutwards(const RMMeshGroup& g, int rings, int sides) {
    const auto v = g.Vertices();
    for (size_t f = 0; f < g.FaceCount(); ++f) {
        const auto face = g.Face(f);
        const D3DVECTOR a = v[face[0]].position, b = v[face[1]].position, c = v[face[2]].position;
        D3DVECTOR centroid{0, 0, 0};
        for (uint32_t i : face)
            centroid = centroid + v[i].position;
        centroid = (1.0f / face.size()) * centroid;

        // A point inside the solid next to the face.
        const int band = static_cast<int>(f) / sides; // 0: start fan, rings - 1: end fan
        D3DVECTOR inside;
        if (band == 0)
            inside = RingCentre(g, 2, rings, sides);
        else if (band == rings - 1)
            inside = RingCentre(g, rings - 2, rings, sides);
        else
            inside =
                0.5f * (RingCentre(g, band, rings, sides) + RingCentre(g, band + 1, rings, sides));

        const D3DVECTOR n = Cross(b - a, c - a), out = centroid - inside;
        if (Dot(n, out) <= 0.2f * Length(n) * Length(out)) {
            std::ostringstream s;
            s << "face " << f << " turns inwards";
            return s.str();
        }
    }
    for (int k = 1; k < rings; ++k) {
        const D3DVECTOR centre = RingCentre(g, k, rings, sides);
        for (int j = 0; j < sides; ++j) {
            const D3DRMVERTEX& vertex = v[1 + (k - 1) * sides + j];
            const D3DVECTOR out = vertex.position - centre;
            if (Dot(vertex.normal, out) <= 0.99f * Length(out) ||
                std::fabs(Length(vertex.normal) - 1.0f) > 1e-5f) {
                std::ostringstream s;
                s << "normal of ring " << k << " column " << j << " is off";
                return s.str();
            }
        }
    }
    return {};
}

class WindingTest : public SceneTest {
protected:
    std::mt19937 rng{20240501};
    float Uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }
    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
};

TEST_F(WindingTest, ElbowsFaceOutwardsForEveryRowOfTheTable) {
    for (const ELBOWROTATION& row : g_elbowRotation)
        for (int trial = 0; trial < 25; ++trial) {
            const float radius = Uniform(0.1f, 3.0f);
            const int sides = trial == 0 ? 10 : Between(3, 16);
            const int rings = trial == 0 ? 10 : Between(3, 12);
            const ELBOWPARAMS params{radius,
                                     radius * kThreeHalfRightAngles,
                                     kRightAngle,
                                     Uniform(-200, 200),
                                     Uniform(-200, 200),
                                     Uniform(-200, 200),
                                     0xFFFFFFFFu,
                                     row.x,
                                     row.z,
                                     row.y};
            CElbowMesh elbow;
            elbow.SetParams(&params);
            ASSERT_TRUE(elbow.Create(rm, sides, rings));
            EXPECT_EQ(TubeFacesOutwards(elbow.GetMesh()->Group(0), rings, sides), "")
                << "row " << row.lo << "-" << row.hi << ", radius " << radius << ", " << sides
                << " sides, " << rings << " rings";
        }
}

TEST_F(WindingTest, CylindersFaceOutwardsInEveryDirection) {
    for (const DIRROTATION& rot : g_dirRotation)
        for (int trial = 0; trial < 25; ++trial) {
            const float radius = Uniform(0.1f, 3.0f);
            const int sides = trial == 0 ? 10 : Between(3, 16);
            const CYLINDERPARAMS params{radius,
                                        4.0f * Between(1, 4),
                                        Uniform(-200, 200),
                                        Uniform(-200, 200),
                                        Uniform(-200, 200),
                                        0xFFFFFFFFu,
                                        rot.x,
                                        rot.z,
                                        rot.y};
            CCylinderMesh cylinder;
            cylinder.SetParams(&params);
            ASSERT_TRUE(cylinder.Create(rm, sides));
            EXPECT_EQ(TubeFacesOutwards(cylinder.GetMesh()->Group(0), 3, sides), "")
                << "rotation " << rot.x << " " << rot.y << " " << rot.z << ", radius " << radius
                << ", " << sides << " sides";
        }
}

} // namespace
