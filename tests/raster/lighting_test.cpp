#include "platform/swr/lighting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace swr;

namespace {

constexpr Rgb kWhite{1, 1, 1};
constexpr D3DVECTOR kOrigin{0, 0, 0};
constexpr D3DVECTOR kUp{0, 1, 0};
constexpr D3DVECTOR kEyeAbove{0, 1, 0}; // the camera looks straight down

LightSource Ambient(float level) {
    LightSource l;
    l.type = D3DRMLIGHT_AMBIENT;
    l.colour = {level, level, level};
    return l;
}

LightSource Directional(D3DVECTOR direction, Rgb colour = kWhite) {
    LightSource l;
    l.type = D3DRMLIGHT_DIRECTIONAL;
    l.direction = direction;
    l.colour = colour;
    return l;
}

// A spot 10 above the origin shining straight down.
LightSource SpotDown() {
    LightSource l;
    l.type = D3DRMLIGHT_SPOT;
    l.position = {0, 10, 0};
    l.direction = {0, -1, 0};
    return l;
}

float Red(const VertexLighter& lighter, D3DVECTOR position, D3DVECTOR normal, const SurfaceMaterial& m = {}) {
    return lighter.Light(position, normal, kWhite, m).r;
}

} // namespace

TEST(VertexLighter, DirectionalLightsTheSideFacingIt) {
    const std::vector<LightSource> lights{Ambient(0.1f), Directional({0, -1, 0})};
    const VertexLighter lighter(lights, kEyeAbove);
    const float facing = Red(lighter, kOrigin, {0, 1, 0});
    const float slanted = Red(lighter, kOrigin, {1, 1, 0});
    const float edgeOn = Red(lighter, kOrigin, {1, 0, 0});
    const float away = Red(lighter, kOrigin, {0, -1, 0});
    EXPECT_FLOAT_EQ(facing, 1.0f); // 0.1 + 1, clamped
    EXPECT_NEAR(slanted, 0.1f + std::sqrt(0.5f), 1e-5f);
    EXPECT_FLOAT_EQ(edgeOn, 0.1f);
    EXPECT_FLOAT_EQ(away, 0.1f);
    // Directional lights have no range and no position.
    EXPECT_FLOAT_EQ(Red(lighter, {1e6f, -1e6f, 5}, {1, 1, 0}), slanted);
}

TEST(VertexLighter, SpotPoolFallsOffToAmbientOutsideThePenumbra) {
    LightSource spot = SpotDown();
    spot.colour = {0.5f, 0.5f, 0.5f};
    const std::vector<LightSource> lights{Ambient(0.1f), spot};
    const VertexLighter lighter(lights, kEyeAbove);
    auto at = [&](float angle) { return Red(lighter, {10 * std::tan(angle), 0, 0}, kUp, {}); };
    // Inside the umbra (half angle 0.2): full light × N·L.
    EXPECT_NEAR(at(0.1f), 0.1f + 0.5f * std::cos(0.1f), 1e-5f);
    // Between 0.2 and 0.25: linear in cos angle.
    const float mid = 0.225f;
    const float factor = (std::cos(mid) - std::cos(0.25f)) / (std::cos(0.2f) - std::cos(0.25f));
    EXPECT_NEAR(at(mid), 0.1f + 0.5f * factor * std::cos(mid), 1e-4f);
    EXPECT_GT(at(0.21f), at(0.23f));
    EXPECT_FLOAT_EQ(at(0.26f), 0.1f);
    EXPECT_FLOAT_EQ(at(1.0f), 0.1f);
    // In the middle of the cone but beyond the range: ambient only.
    spot.range = 10.5f;
    const std::vector<LightSource> ranged{Ambient(0.1f), spot};
    const VertexLighter near(ranged, kEyeAbove);
    EXPECT_NEAR(Red(near, kOrigin, kUp), 0.6f, 1e-5f);
    EXPECT_FLOAT_EQ(Red(near, {0, -1, 0}, kUp), 0.1f);
}

TEST(VertexLighter, PenumbraNarrowerThanUmbraIsAHardEdge) {
    LightSource spot = SpotDown();
    spot.umbra = 0.6f;
    spot.penumbra = 0.2f;
    const std::vector<LightSource> lights{spot};
    const VertexLighter lighter(lights, kEyeAbove);
    EXPECT_NEAR(Red(lighter, {10 * std::tan(0.29f), 0, 0}, kUp), std::cos(0.29f), 1e-5f);
    EXPECT_FLOAT_EQ(Red(lighter, {10 * std::tan(0.31f), 0, 0}, kUp), 0.0f);
}

TEST(VertexLighter, PointLightStopsAtItsRangeAndAttenuates) {
    LightSource point;
    point.type = D3DRMLIGHT_POINT;
    point.position = {0, 10, 0};
    point.range = 10.5f;
    point.constant = 1.0f;
    point.linear = 0.05f;
    point.quadratic = 0.01f;
    const std::vector<LightSource> lights{point};
    const VertexLighter lighter(lights, kEyeAbove);
    EXPECT_NEAR(Red(lighter, kOrigin, kUp), 1.0f / (1.0f + 0.5f + 1.0f), 1e-5f);
    EXPECT_FLOAT_EQ(Red(lighter, {0, -0.6f, 0}, kUp), 0.0f);
}

TEST(VertexLighter, SpecularPeaksWhereTheNormalIsTheHalfwayVector) {
    // Light from straight above, eye along +x: H points at 45° between them.
    const std::vector<LightSource> lights{Directional({0, -1, 0})};
    const VertexLighter lighter(lights, {1, 0, 0});
    SurfaceMaterial shiny;
    shiny.power = 20.0f;
    shiny.specular = {1, 1, 1};
    const Rgb black{0, 0, 0};
    float best = -1, bestAngle = 0;
    for (float a = 0.0f; a <= 1.5f; a += 0.01f) {
        const float s = lighter.Light(kOrigin, {std::sin(a), std::cos(a), 0}, black, shiny).r;
        if (s > best) best = s, bestAngle = a;
    }
    EXPECT_NEAR(bestAngle, 0.785f, 0.011f);
    EXPECT_NEAR(best, 1.0f, 1e-3f);
    // Facing away from the light: no highlight even though N·H > 0.
    EXPECT_FLOAT_EQ(lighter.Light(kOrigin, {1, -0.2f, 0}, black, shiny).r, 0.0f);
}

TEST(VertexLighter, SumsClampsPerChannelAndIgnoresZeroNormals) {
    const std::vector<LightSource> lights{Ambient(0.2f), Directional({0, -1, 0}, {0.9f, 0.5f, 0.0f}),
                                          Directional({0, -1, 0}, {0.9f, 0.1f, 0.0f})};
    const VertexLighter lighter(lights, kEyeAbove);
    SurfaceMaterial glowing;
    glowing.emissive = {0.0f, 0.0f, 0.3f};
    const Rgb lit = lighter.Light(kOrigin, kUp, {1, 1, 0.5f}, glowing);
    EXPECT_FLOAT_EQ(lit.r, 1.0f);
    EXPECT_FLOAT_EQ(lit.g, 0.8f);
    EXPECT_FLOAT_EQ(lit.b, 0.3f + 0.5f * 0.2f);
    const Rgb capCentre = lighter.Light(kOrigin, {0, 0, 0}, {1, 1, 0.5f}, glowing);
    EXPECT_FLOAT_EQ(capCentre.r, 0.2f);
    EXPECT_FLOAT_EQ(capCentre.g, 0.2f);
    EXPECT_FLOAT_EQ(capCentre.b, 0.3f + 0.5f * 0.2f);
}

TEST(VertexLighter, MonoUsesLuminanceAndQuantisesToTheShadeCount) {
    const std::vector<LightSource> lights{Directional({0, -1, 0}, {1, 0, 0})};
    const VertexLighter lighter(lights, kEyeAbove);
    const Rgb surface{1.0f, 0.5f, 0.25f};
    const Rgb shade4 = lighter.LightMono(kOrigin, kUp, surface, {}, 4);
    // Luminance of pure red is 0.299, the nearest of 0, 1/3, 2/3, 1 is 1/3.
    EXPECT_FLOAT_EQ(shade4.r, 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(shade4.g, 0.5f / 3.0f);
    EXPECT_FLOAT_EQ(shade4.b, 0.25f / 3.0f);
    const Rgb shade256 = lighter.LightMono(kOrigin, kUp, surface, {}, 256);
    EXPECT_FLOAT_EQ(shade256.r, 76.0f / 255.0f);
    for (float a = 0.0f; a < 1.5f; a += 0.05f) {
        const float level = lighter.LightMono(kOrigin, {std::sin(a), std::cos(a), 0}, kWhite, {}, 32).r * 31.0f;
        EXPECT_NEAR(level, std::round(level), 1e-4f);
    }
}
