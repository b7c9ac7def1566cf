// Per-vertex lighting in world space for the software devices.
#pragma once

#include "platform/base/d3drmtypes.h"

#include <cfloat>
#include <span>
#include <vector>

namespace swr {

struct Rgb {
    float r, g, b;
};

// A light as the scene places it, everything in world space.
struct LightSource {
    D3DRMLIGHTTYPE type = D3DRMLIGHT_DIRECTIONAL;
    Rgb colour{1.0f, 1.0f, 1.0f};
    D3DVECTOR position{0.0f, 0.0f, 0.0f};
    D3DVECTOR direction{0.0f, 0.0f, 1.0f}; // where it shines: its frame's +z (need not be unit length)
    float range = FLT_MAX;                  // point and spot lights reach no vertex further away
    float umbra = 0.4f;                     // full cone angles in radians
    float penumbra = 0.5f;
    float constant = 1.0f, linear = 0.0f, quadratic = 0.0f; // attenuation 1/(c + l·d + q·d²)
};

struct SurfaceMaterial {
    float power = 1.0f;
    Rgb specular{0.0f, 0.0f, 0.0f};
    Rgb emissive{0.0f, 0.0f, 0.0f};
};

// Lights vertices with a fixed set of lights and a distant viewer. Build one per change of the
// lights or the camera and use it for every vertex of every mesh.
//   colour = emissive + Σ ambient × surface
//          + Σ other lights: light × f × (surface × max(0, N·L) + specular × (N·H)^power)
// where f is the spot factor times the attenuation, L points from the vertex to the light (against
// the direction for a directional light), H = normalize(L + V), and the specular term only counts
// where N·L > 0. Each channel is then clamped to 0..1. A zero normal gets emissive + ambient only.
// A parallel-point light is lit like a point light.
class VertexLighter {
public:
    // towardsViewer: the direction from the scene to the eye (the camera's −z axis in world space).
    VertexLighter(std::span<const LightSource> lights, const D3DVECTOR& towardsViewer);

    Rgb Light(const D3DVECTOR& position, const D3DVECTOR& normal, const Rgb& surface,
              const SurfaceMaterial& material) const;

    // Mono (ramp) model: each light counts with its grey intensity, the luminance
    // 0.299 r + 0.587 g + 0.114 b. The diffuse intensity (ambient included) and the specular
    // intensity are each clamped to 0..1 and rounded to one of `shades` evenly spaced levels
    // (black … full); the result is emissive + surface × diffuse + material specular × specular,
    // clamped per channel. shades < 2 is taken as 2.
    Rgb LightMono(const D3DVECTOR& position, const D3DVECTOR& normal, const Rgb& surface,
                  const SurfaceMaterial& material, int shades) const;

private:
    struct Prepared {
        bool directional;
        bool spot;
        Rgb colour;
        float grey;
        D3DVECTOR position;
        D3DVECTOR axis;           // unit shine direction
        float range;
        float cosUmbra, cosPenumbra; // of the half angles; cosPenumbra ≥ cosUmbra means a hard edge
        float constant, linear, quadratic;
    };
    struct Terms {
        Rgb diffuse;  // light × f × max(0, N·L), summed (mono: grey in r)
        Rgb specular; // light × f × (N·H)^power, summed
    };
    Terms Accumulate(const D3DVECTOR& position, const D3DVECTOR& normal, float power, bool grey) const;

    std::vector<Prepared> m_lights;
    Rgb m_ambient{0.0f, 0.0f, 0.0f};
    float m_ambientGrey = 0.0f;
    D3DVECTOR m_towardsViewer;
};

float Luminance(const Rgb& c);

} // namespace swr
