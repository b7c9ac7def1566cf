#include "platform/d3drm/ddraw.h"

#include "platform/d3drm/d3d.h"

#include <mutex>
#include <new>
#include <optional>

namespace {

std::mutex g_listMutex;
std::optional<std::vector<D3DDeviceEntry>> g_testList;

D3DDeviceEntry SoftwareDevice(const GUID& guid, D3DCOLORMODEL model, const char* description,
                              const char* name) {
    D3DDeviceEntry e{guid, description, name, {}, {}};
    e.software.dcmColorModel = model;
    e.software.dwDeviceRenderBitDepth = DDBD_16 | DDBD_24 | DDBD_32;
    e.software.dwDeviceZBufferBitDepth = DDBD_32;
    return e;
}

} // namespace

std::vector<D3DDeviceEntry> D3DBuiltInDevices() {
    return {SoftwareDevice(IID_IDirect3DRGBDevice, D3DCOLOR_RGB, "Software RGB device",
                           "RGB Emulation"),
            SoftwareDevice(IID_IDirect3DRampDevice, D3DCOLOR_MONO, "Software mono (ramp) device",
                           "Ramp Emulation")};
}

void D3DSetDeviceListForTesting(const std::vector<D3DDeviceEntry>* devices) {
    std::lock_guard lock(g_listMutex);
    if (devices)
        g_testList = *devices;
    else
        g_testList.reset();
}

namespace {
std::vector<D3DDeviceEntry> CurrentDevices() {
    std::lock_guard lock(g_listMutex);
    return g_testList ? *g_testList : D3DBuiltInDevices();
}
} // namespace

bool D3DFindDevice(const GUID& guid, D3DDeviceEntry* entry) {
    for (const D3DDeviceEntry& d : CurrentDevices()) {
        if (d.guid == guid) {
            *entry = d;
            return true;
        }
    }
    return false;
}

HRESULT IDirect3D::EnumDevices(LPD3DENUMDEVICESCALLBACK callback, void* context) {
    if (!callback) return D3DRMERR_BADVALUE;
    std::vector<D3DDeviceEntry> devices = CurrentDevices();
    // The callback receives copies: it may keep or scribble on nothing of ours.
    for (D3DDeviceEntry& d : devices) {
        if (callback(&d.guid, d.description.data(), d.name.data(), &d.hardware, &d.software,
                     context) == D3DENUMRET_CANCEL)
            break;
    }
    return S_OK;
}

HRESULT DirectDrawCreate(GUID* driver, IDirectDraw** directDraw, IUnknown* outer) {
    if (!directDraw) return D3DRMERR_BADVALUE;
    *directDraw = nullptr;
    if (driver || outer) return D3DRMERR_BADVALUE;
    *directDraw = new (std::nothrow) IDirectDraw;
    return *directDraw ? S_OK : D3DRMERR_BADALLOC;
}

HRESULT IDirectDraw::QueryInterface(REFIID iid, void** object) {
    if (!object) return D3DRMERR_BADVALUE;
    *object = nullptr;
    if (!(iid == IID_IDirect3D)) return E_NOINTERFACE;
    IDirect3D* d3d = new (std::nothrow) IDirect3D;
    if (!d3d) return D3DRMERR_BADALLOC;
    *object = d3d;
    return S_OK;
}

HRESULT DirectDrawCreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) {
    if (!clipper) return D3DRMERR_BADVALUE;
    *clipper = nullptr;
    if (flags != 0 || outer) return D3DRMERR_BADVALUE;
    *clipper = new (std::nothrow) IDirectDrawClipper;
    return *clipper ? S_OK : D3DRMERR_BADALLOC;
}

HRESULT IDirectDrawClipper::SetHWnd(DWORD flags, HWND window) {
    if (flags != 0) return D3DRMERR_BADVALUE;
    m_window = window;
    return S_OK;
}
