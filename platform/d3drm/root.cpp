#include "platform/d3drm/root.h"

#include "platform/afx/window_backend.h"
#include "platform/display/display.h"

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

HRESULT IDirect3DRM::CreateDeviceFromClipper(IDirectDrawClipper* clipper, GUID* guid, int width, int height,
                                             IDirect3DRMDevice** device) {
    if (!device) return D3DRMERR_BADVALUE;
    *device = nullptr;
    if (!clipper || width < 0 || height < 0) return D3DRMERR_BADVALUE;
    bool mono = false, hardware = false;
    if (guid) {
        D3DDeviceEntry entry;
        if (!D3DFindDevice(*guid, &entry)) return D3DRMERR_NOTFOUND;
        hardware = entry.hardware.dcmColorModel != 0;
        const D3DDEVICEDESC& judged = hardware ? entry.hardware : entry.software;
        mono = judged.dcmColorModel == D3DCOLOR_MONO;
    }
    const WindowSurface surface = AfxGetWindowBackend().GetSurface(clipper->GetHWnd());
    if (surface.kind == WindowSurface::Kind::Unknown) return D3DRMERR_BADOBJECT;
    if (width == 0) width = surface.width;
    if (height == 0) height = surface.height;
    if (width <= 0 || height <= 0) return D3DRMERR_BADVALUE;
    swr::SurfaceTarget target{surface.kind, surface.displayName ? surface.displayName : "", surface.xid,
                              surface.hwnd, surface.wlDisplay, surface.wlSurface, surface.wlShm};
    try {
        std::unique_ptr<gl::Device> gl;
        if (hardware) gl = std::make_unique<gl::Device>(target, width, height, GetDisplayDeviceCaps(BITSPIXEL));
        *device = new IDirect3DRMDevice(width, height, mono, std::move(target), std::move(gl));
    } catch (const std::bad_alloc&) {
        return D3DRMERR_BADALLOC;
    }
    return S_OK;
}

HRESULT IDirect3DRM::CreateViewport(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y,
                                    DWORD width, DWORD height, IDirect3DRMViewport** viewport) {
    if (!viewport) return D3DRMERR_BADVALUE;
    *viewport = nullptr;
    if (!device || !camera) return D3DRMERR_BADOBJECT;
    if (width == 0 || height == 0 || uint64_t{x} + width > device->GetWidth() ||
        uint64_t{y} + height > device->GetHeight())
        return D3DRMERR_BADVALUE;
    *viewport = new (std::nothrow) IDirect3DRMViewport(device, camera, static_cast<int>(x), static_cast<int>(y),
                                                       static_cast<int>(width), static_cast<int>(height));
    return *viewport ? S_OK : D3DRMERR_BADALLOC;
}

HRESULT IDirect3DRM::SetDefaultTextureColors(DWORD colors) {
    m_textureColors = colors;
    return S_OK;
}

HRESULT IDirect3DRM::SetDefaultTextureShades(DWORD shades) {
    m_textureShades = shades;
    return S_OK;
}
