// IDirect3DRMMaterial: the surface parameters of a mesh group.
#pragma once

#include "platform/d3drm/object.h"
#include "platform/d3drm/rgb.h"

class IDirect3DRMMaterial : public IDirect3DRMObject {
public:
    // A negative or non-finite power is refused.
    virtual HRESULT SetPower(D3DVALUE power);
    // Non-finite channels are refused.
    virtual HRESULT SetSpecular(D3DVALUE red, D3DVALUE green, D3DVALUE blue);
    virtual HRESULT SetEmissive(D3DVALUE red, D3DVALUE green, D3DVALUE blue);

    // Scene access for the renderer. A new material has black specular and emissive colours.
    D3DVALUE Power() const { return m_power; }
    RMColorRGB Specular() const { return m_specular; }
    RMColorRGB Emissive() const { return m_emissive; }

    static long LiveCount() { return RMLiveCounter<IDirect3DRMMaterial>::Count(); }

protected:
    friend class IDirect3DRM;
    explicit IDirect3DRMMaterial(D3DVALUE power) : m_power(power) {}

private:
    RMLiveCounter<IDirect3DRMMaterial> m_live;
    D3DVALUE m_power;
    RMColorRGB m_specular{0.0f, 0.0f, 0.0f};
    RMColorRGB m_emissive{0.0f, 0.0f, 0.0f};
};
