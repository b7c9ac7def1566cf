// IDirect3DRMLight: a light source; it shines from every frame it is added to.
#pragma once

#include "platform/d3drm/object.h"
#include "platform/d3drm/rgb.h"

class IDirect3DRMLight : public IDirect3DRMObject {
public:
    // A negative or non-finite value is refused.
    virtual HRESULT SetRange(D3DVALUE range);
    // Full cone angle in radians (the umbra stays 0.4); a negative or non-finite value is refused.
    virtual HRESULT SetPenumbra(D3DVALUE angle);

    // Scene access for the renderer. Directional and spot lights shine along their frame's +z.
    // Colour channels are as created (not clamped). Range has no effect on directional and
    // ambient lights; it defaults to the largest float (unbounded). Spot light: full light
    // inside the umbra cone, none outside the penumbra cone. Attenuation is
    // 1 / (constant + linear·d + quadratic·d²).
    D3DRMLIGHTTYPE Type() const { return m_type; }
    RMColorRGB Color() const { return m_color; }
    D3DVALUE Range() const { return m_range; }
    D3DVALUE Umbra() const { return 0.4f; }
    D3DVALUE Penumbra() const { return m_penumbra; }
    D3DVALUE ConstantAttenuation() const { return 1.0f; }
    D3DVALUE LinearAttenuation() const { return 0.0f; }
    D3DVALUE QuadraticAttenuation() const { return 0.0f; }

    static long LiveCount() { return RMLiveCounter<IDirect3DRMLight>::Count(); }

protected:
    friend class IDirect3DRM;
    IDirect3DRMLight(D3DRMLIGHTTYPE type, RMColorRGB color);

private:
    RMLiveCounter<IDirect3DRMLight> m_live;
    D3DRMLIGHTTYPE m_type;
    RMColorRGB m_color;
    D3DVALUE m_range;
    D3DVALUE m_penumbra = 0.5f;
};
