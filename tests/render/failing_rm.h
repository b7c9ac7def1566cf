// A root object whose creating calls all fail with one code.
#pragma once

#include "platform/d3drm/d3drm.h"

class FailingRM : public IDirect3DRM {
public:
    static constexpr HRESULT kCode = D3DRMERR_BADALLOC;

    HRESULT CreateFrame(IDirect3DRMFrame*, IDirect3DRMFrame** frame) override {
        *frame = nullptr;
        return kCode;
    }
    HRESULT CreateLightRGB(D3DRMLIGHTTYPE, D3DVALUE, D3DVALUE, D3DVALUE,
                           IDirect3DRMLight** light) override {
        *light = nullptr;
        return kCode;
    }
    HRESULT CreateMaterial(D3DVALUE, IDirect3DRMMaterial** material) override {
        *material = nullptr;
        return kCode;
    }
    HRESULT CreateMesh(IDirect3DRMMesh** mesh) override {
        *mesh = nullptr;
        return kCode;
    }
};
