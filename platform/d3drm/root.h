// IDirect3DRM: the root object of the retained-mode layer, which creates all other objects.
#pragma once

#include "platform/d3drm/frame.h"
#include "platform/d3drm/light.h"
#include "platform/d3drm/material.h"
#include "platform/d3drm/mesh.h"

class IDirect3DRM : public IUnknown {
public:
    // Each hands out a new object with one reference for the caller. A frame created with a
    // parent is also that parent's child (the parent holds a second reference).
    virtual HRESULT CreateFrame(IDirect3DRMFrame* parent, IDirect3DRMFrame** frame);
    virtual HRESULT CreateLightRGB(D3DRMLIGHTTYPE type, D3DVALUE red, D3DVALUE green, D3DVALUE blue,
                                   IDirect3DRMLight** light);
    virtual HRESULT CreateMaterial(D3DVALUE power, IDirect3DRMMaterial** material);
    virtual HRESULT CreateMesh(IDirect3DRMMesh** mesh);

    static long LiveCount() { return RMLiveCounter<IDirect3DRM>::Count(); }

protected:
    friend HRESULT Direct3DRMCreate(IDirect3DRM** rm);
    IDirect3DRM() = default;

private:
    RMLiveCounter<IDirect3DRM> m_live;
};

HRESULT Direct3DRMCreate(IDirect3DRM** rm);
