#include "platform/swr/lighting.h"

#include <algorithm>
#include <cmath>

namespace swr {
namespace {

D3DVECTOR Normalized(D3DVECTOR v) {
    D3DRMVectorNormalize(&v);
    return v;
}

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

float Quantise(float v, int shades) {
    const float steps = static_cast<float>(std::max(shades, 2) - 1);
    return std::round(Clamp01(v) * steps) / steps;
}

// 1 inside the umbra, falling linearly in cos(angle) to 0 at the penumbra edge.
float SpotFactor(float cosAngle, float cosUmbra, float cosPenumbra) {
    if (cosAngle >= cosUmbra) return 1.0f;
    if (cosAngle <= cosPenumbra) return 0.0f;
    return (cosAngle - cosPenumbra) / (cosUmbra - cosPenumbra);
}

} // namespace

float Luminance(const Rgb& c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }

VertexLighter::VertexLighter(std::span<const LightSource> lights, const D3DVECTOR& towardsViewer)
    : m_towardsViewer(Normalized(towardsViewer)) {
    for (const LightSource& light : lights) {
        if (light.type == D3DRMLIGHT_AMBIENT) {
            m_ambient.r += light.colour.r;
            m_ambient.g += light.colour.g;
            m_ambient.b += light.colour.b;
            m_ambientGrey += Luminance(light.colour);
            continue;
        }
        Prepared p{};
        p.directional = light.type == D3DRMLIGHT_DIRECTIONAL;
        p.spot = light.type == D3DRMLIGHT_SPOT;
        p.colour = light.colour;
        p.grey = Luminance(light.colour);
        p.position = light.position;
        p.axis = Normalized(light.direction);
        p.range = light.range;
        p.cosUmbra = std::cos(light.umbra / 2.0f);
        // A penumbra narrower than the umbra is a hard edge at the umbra.
        p.cosPenumbra = light.penumbra > light.umbra ? std::cos(light.penumbra / 2.0f) : p.cosUmbra;
        p.constant = light.constant;
        p.linear = light.linear;
        p.quadratic = light.quadratic;
        m_lights.push_back(p);
    }
}

VertexLighter::Terms VertexLighter::Accumulate(const D3DVECTOR& position, const D3DVECTOR& rawNormal,
                                               float power, bool grey) const {
    Terms terms{{0, 0, 0}, {0, 0, 0}};
    const D3DVECTOR normal = Normalized(rawNormal);
    if (D3DRMVectorDotProduct(&normal, &normal) == 0.0f) return terms;
    for (const Prepared& light : m_lights) {
        D3DVECTOR toLight;
        float factor = 1.0f;
        if (light.directional) {
            toLight = {-light.axis.x, -light.axis.y, -light.axis.z};
        } else {
            D3DRMVectorSubtract(&toLight, &light.position, &position);
            const float distance = D3DRMVectorModulus(&toLight);
            if (distance > light.range || distance == 0.0f) continue;
            D3DRMVectorScale(&toLight, &toLight, 1.0f / distance);
            const float attenuation = light.constant + light.linear * distance + light.quadratic * distance * distance;
            if (!(attenuation > 0.0f)) continue;
            factor = 1.0f / attenuation;
            if (light.spot) {
                const float cosAngle = -D3DRMVectorDotProduct(&toLight, &light.axis);
                factor *= SpotFactor(cosAngle, light.cosUmbra, light.cosPenumbra);
            }
        }
        const float nDotL = D3DRMVectorDotProduct(&normal, &toLight);
        if (nDotL <= 0.0f || factor <= 0.0f) continue;
        const Rgb colour = grey ? Rgb{light.grey, light.grey, light.grey} : light.colour;
        const float diffuse = factor * nDotL;
        terms.diffuse.r += colour.r * diffuse;
        terms.diffuse.g += colour.g * diffuse;
        terms.diffuse.b += colour.b * diffuse;

        D3DVECTOR halfway;
        D3DRMVectorAdd(&halfway, &toLight, &m_towardsViewer);
        D3DRMVectorNormalize(&halfway);
        const float nDotH = D3DRMVectorDotProduct(&normal, &halfway);
        if (nDotH <= 0.0f) continue;
        const float specular = factor * std::pow(nDotH, power);
        terms.specular.r += colour.r * specular;
        terms.specular.g += colour.g * specular;
        terms.specular.b += colour.b * specular;
    }
    return terms;
}

Rgb VertexLighter::Light(const D3DVECTOR& position, const D3DVECTOR& normal, const Rgb& surface,
                         const SurfaceMaterial& material) const {
    const Terms t = Accumulate(position, normal, material.power, false);
    return {Clamp01(material.emissive.r + surface.r * (m_ambient.r + t.diffuse.r) + material.specular.r * t.specular.r),
            Clamp01(material.emissive.g + surface.g * (m_ambient.g + t.diffuse.g) + material.specular.g * t.specular.g),
            Clamp01(material.emissive.b + surface.b * (m_ambient.b + t.diffuse.b) + material.specular.b * t.specular.b)};
}

Rgb VertexLighter::LightMono(const D3DVECTOR& position, const D3DVECTOR& normal, const Rgb& surface,
                             const SurfaceMaterial& material, int shades) const {
    const Terms t = Accumulate(position, normal, material.power, true);
    const float diffuse = Quantise(m_ambientGrey + t.diffuse.r, shades);
    const float specular = Quantise(t.specular.r, shades);
    return {Clamp01(material.emissive.r + surface.r * diffuse + material.specular.r * specular),
            Clamp01(material.emissive.g + surface.g * diffuse + material.specular.g * specular),
            Clamp01(material.emissive.b + surface.b * diffuse + material.specular.b * specular)};
}

} // namespace swr
