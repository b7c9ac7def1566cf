// CRMMaterial: owns one retained-mode material.
#pragma once

#include "platform/afx/object.h"
#include "platform/d3drm/d3drm.h"

class CRMMaterial : public CObject {
public:
    CRMMaterial() = default;
    ~CRMMaterial() override;

    // Creates a material of specular power 5.0; status holds the platform's result code.
    // Refused while a material is held.
    BOOL Create(IDirect3DRM* rm);
    BOOL SetPower(D3DVALUE power);
    BOOL SetEmissive(D3DVALUE red, D3DVALUE green, D3DVALUE blue);
    BOOL SetSpecular(D3DVALUE red, D3DVALUE green, D3DVALUE blue);
    IDirect3DRMMaterial* GetMaterial() const { return m_pMaterial; }

    int32_t status = 0;

private:
    BOOL Result(HRESULT hr);
    BOOL NoMaterial();

    IDirect3DRMMaterial* m_pMaterial = nullptr;
};
