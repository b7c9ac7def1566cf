#include "platform/d3drm/material.h"

#include <cmath>

namespace {
bool Finite(D3DVALUE r, D3DVALUE g, D3DVALUE b) {
    return std::isfinite(r) && std::isfinite(g) && std::isfinite(b);
}
} // namespace

HRESULT IDirect3DRMMaterial::SetPower(D3DVALUE power) {
    if (!std::isfinite(power) || power < 0.0f) return D3DRMERR_BADVALUE;
    m_power = power;
    Touch();
    return S_OK;
}

HRESULT IDirect3DRMMaterial::SetSpecular(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
    if (!Finite(red, green, blue)) return D3DRMERR_BADVALUE;
    m_specular = {red, green, blue};
    Touch();
    return S_OK;
}

HRESULT IDirect3DRMMaterial::SetEmissive(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
    if (!Finite(red, green, blue)) return D3DRMERR_BADVALUE;
    m_emissive = {red, green, blue};
    Touch();
    return S_OK;
}
