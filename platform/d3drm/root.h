// IDirect3DRM: the root object of the retained-mode layer, which creates all other objects.
#pragma once

#include "platform/d3drm/d3d.h"
#include "platform/d3drm/ddraw.h"
#include "platform/d3drm/device.h"
#include "platform/d3drm/frame.h"
#include "platform/d3drm/light.h"
#include "platform/d3drm/material.h"
#include "platform/d3drm/mesh.h"
#include "platform/d3drm/viewport.h"

class IDirect3DRM : public IUnknown {
public:
    // Each hands out a new object with one reference for the caller. A frame created with a
    // parent is also that parent's child (the parent holds a second reference).
    virtual HRESULT CreateFrame(IDirect3DRMFrame* parent, IDirect3DRMFrame** frame);
    virtual HRESULT CreateLightRGB(D3DRMLIGHTTYPE type, D3DVALUE red, D3DVALUE green, D3DVALUE blue,
                                   IDirect3DRMLight** light);
    virtual HRESULT CreateMaterial(D3DVALUE power, IDirect3DRMMaterial** material);
    virtual HRESULT CreateMesh(IDirect3DRMMesh** mesh);
    // A device of the enumerated device `guid` (null: the software RGB device) that presents
    // into the clipper's window. Width or height 0 takes the window's client size.
    virtual HRESULT CreateDeviceFromClipper(IDirectDrawClipper* clipper, GUID* guid, int width, int height,
                                            IDirect3DRMDevice** device);
    // A viewport on the rectangle (x, y, width, height) of the device, seen from camera; it holds
    // both. The rectangle must lie inside the device.
    virtual HRESULT CreateViewport(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y,
                                   DWORD width, DWORD height, IDirect3DRMViewport** viewport);
    // Texture budgets; recorded only, since nothing here uses textures.
    virtual HRESULT SetDefaultTextureColors(DWORD colors);
    virtual HRESULT SetDefaultTextureShades(DWORD shades);
    DWORD GetDefaultTextureColors() const { return m_textureColors; }
    DWORD GetDefaultTextureShades() const { return m_textureShades; }

    static long LiveCount() { return RMLiveCounter<IDirect3DRM>::Count(); }

protected:
    friend HRESULT Direct3DRMCreate(IDirect3DRM** rm);
    IDirect3DRM() = default;

private:
    RMLiveCounter<IDirect3DRM> m_live;
    DWORD m_textureColors = 0;
    DWORD m_textureShades = 0;
};

HRESULT Direct3DRMCreate(IDirect3DRM** rm);
