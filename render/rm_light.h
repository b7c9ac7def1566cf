// CRMLight: owns one retained-mode light.
#pragma once

#include "platform/afx/object.h"
#include "platform/d3drm/d3drm.h"

class CRMLight : public CObject {
public:
    CRMLight() = default;
    ~CRMLight() override;

    // Channels are levels 0..255. Refused while a light is held.
    BOOL Create(IDirect3DRM* rm, D3DRMLIGHTTYPE type, int red, int green, int blue);
    // Grey lights; the level is clamped to 0..255.
    BOOL CreateDirectional(IDirect3DRM* rm, int level);
    BOOL CreateAmbient(IDirect3DRM* rm, int level);
    BOOL CreateSpot(IDirect3DRM* rm, int level);
    BOOL SetRange(D3DVALUE range);
    BOOL SetPenumbra(D3DVALUE angle);
    IDirect3DRMLight* GetLight() const { return m_pLight; }

    int32_t status = 0;

private:
    BOOL CreateGrey(IDirect3DRM* rm, D3DRMLIGHTTYPE type, int level);
    BOOL Result(HRESULT hr);
    BOOL NoLight();

    IDirect3DRMLight* m_pLight = nullptr;
};
