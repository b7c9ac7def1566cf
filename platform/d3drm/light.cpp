#include "platform/d3drm/light.h"

#include <cfloat>
#include <cmath>

IDirect3DRMLight::IDirect3DRMLight(D3DRMLIGHTTYPE type, RMColorRGB color)
    : m_type(type), m_color(color), m_range(FLT_MAX) {}

HRESULT IDirect3DRMLight::SetRange(D3DVALUE range) {
    if (!std::isfinite(range) || range < 0.0f) return D3DRMERR_BADVALUE;
    m_range = range;
    Touch();
    return S_OK;
}

HRESULT IDirect3DRMLight::SetPenumbra(D3DVALUE angle) {
    if (!std::isfinite(angle) || angle < 0.0f) return D3DRMERR_BADVALUE;
    m_penumbra = angle;
    Touch();
    return S_OK;
}
