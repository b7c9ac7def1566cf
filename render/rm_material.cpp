#include "render/rm_material.h"

CRMMaterial::~CRMMaterial() {
    if (m_pMaterial) {
        m_pMaterial->Release();
        m_pMaterial = nullptr;
    }
}

BOOL CRMMaterial::Result(HRESULT hr) {
    status = hr == S_OK ? 0 : 1;
    return hr == S_OK;
}

BOOL CRMMaterial::NoMaterial() {
    status = 0;
    return FALSE;
}

BOOL CRMMaterial::Create(IDirect3DRM* rm) {
    if (!rm) return NoMaterial();
    if (m_pMaterial) return FALSE; // a second material would lose the first one's reference
    status = rm->CreateMaterial(5.0f, &m_pMaterial);
    return status == S_OK;
}

BOOL CRMMaterial::SetPower(D3DVALUE power) {
    if (!m_pMaterial) return NoMaterial();
    return Result(m_pMaterial->SetPower(power));
}

BOOL CRMMaterial::SetEmissive(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
    if (!m_pMaterial) return NoMaterial();
    return Result(m_pMaterial->SetEmissive(red, green, blue));
}

BOOL CRMMaterial::SetSpecular(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
    if (!m_pMaterial) return NoMaterial();
    return Result(m_pMaterial->SetSpecular(red, green, blue));
}
