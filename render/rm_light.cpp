#include "render/rm_light.h"

#include "render/levels.h"

#include <algorithm>

CRMLight::~CRMLight() {
    if (m_pLight) {
        m_pLight->Release();
        m_pLight = nullptr;
    }
}

BOOL CRMLight::Result(HRESULT hr) {
    status = hr == S_OK ? 0 : 1;
    return hr == S_OK;
}

BOOL CRMLight::NoLight() {
    status = 0;
    return FALSE;
}

BOOL CRMLight::Create(IDirect3DRM* rm, D3DRMLIGHTTYPE type, int red, int green, int blue) {
    if (!rm || m_pLight) return NoLight();
    return Result(rm->CreateLightRGB(type, static_cast<D3DVALUE>(red) * kLevelToChannel,
                                     static_cast<D3DVALUE>(green) * kLevelToChannel,
                                     static_cast<D3DVALUE>(blue) * kLevelToChannel, &m_pLight));
}

BOOL CRMLight::CreateGrey(IDirect3DRM* rm, D3DRMLIGHTTYPE type, int level) {
    level = std::clamp(level, 0, 255);
    return Create(rm, type, level, level, level);
}

BOOL CRMLight::CreateDirectional(IDirect3DRM* rm, int level) {
    return CreateGrey(rm, D3DRMLIGHT_DIRECTIONAL, level);
}

BOOL CRMLight::CreateAmbient(IDirect3DRM* rm, int level) {
    return CreateGrey(rm, D3DRMLIGHT_AMBIENT, level);
}

BOOL CRMLight::CreateSpot(IDirect3DRM* rm, int level) {
    return CreateGrey(rm, D3DRMLIGHT_SPOT, level);
}

BOOL CRMLight::SetRange(D3DVALUE range) {
    if (!m_pLight) return NoLight();
    return Result(m_pLight->SetRange(range));
}

BOOL CRMLight::SetPenumbra(D3DVALUE angle) {
    if (!m_pLight) return NoLight();
    return Result(m_pLight->SetPenumbra(angle));
}
