#include "platform/d3drm/root.h"

#include <cmath>
#include <new>

HRESULT Direct3DRMCreate(IDirect3DRM** rm) {
    if (!rm) return D3DRMERR_BADVALUE;
    *rm = new (std::nothrow) IDirect3DRM;
    return *rm ? S_OK : D3DRMERR_BADALLOC;
}

HRESULT IDirect3DRM::CreateFrame(IDirect3DRMFrame* parent, IDirect3DRMFrame** frame) {
    if (!frame) return D3DRMERR_BADVALUE;
    *frame = new (std::nothrow) IDirect3DRMFrame;
    if (!*frame) return D3DRMERR_BADALLOC;
    if (parent) parent->AddChild(*frame); // a new frame cannot be an ancestor: always succeeds
    return S_OK;
}

HRESULT IDirect3DRM::CreateLightRGB(D3DRMLIGHTTYPE type, D3DVALUE red, D3DVALUE green,
                                    D3DVALUE blue, IDirect3DRMLight** light) {
    if (!light) return D3DRMERR_BADVALUE;
    *light = nullptr;
    if (type < D3DRMLIGHT_AMBIENT || type > D3DRMLIGHT_PARALLELPOINT) return D3DRMERR_BADVALUE;
    if (!std::isfinite(red) || !std::isfinite(green) || !std::isfinite(blue))
        return D3DRMERR_BADVALUE;
    *light = new (std::nothrow) IDirect3DRMLight(type, {red, green, blue});
    return *light ? S_OK : D3DRMERR_BADALLOC;
}

HRESULT IDirect3DRM::CreateMaterial(D3DVALUE power, IDirect3DRMMaterial** material) {
    if (!material) return D3DRMERR_BADVALUE;
    *material = nullptr;
    if (!std::isfinite(power) || power < 0.0f) return D3DRMERR_BADVALUE;
    *material = new (std::nothrow) IDirect3DRMMaterial(power);
    return *material ? S_OK : D3DRMERR_BADALLOC;
}

HRESULT IDirect3DRM::CreateMesh(IDirect3DRMMesh** mesh) {
    if (!mesh) return D3DRMERR_BADVALUE;
    *mesh = new (std::nothrow) IDirect3DRMMesh;
    return *mesh ? S_OK : D3DRMERR_BADALLOC;
}
