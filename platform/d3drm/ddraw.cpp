#include "platform/d3drm/ddraw.h"

#include "platform/d3drm/d3d.h"
#include "platform/gl/driver_policy.h"
#include "platform/platform.h"

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

// The hardware device, when the installed platform's GL driver offers one.
std::optional<D3DDeviceEntry> HardwareDevice() {
    const gl::Preference preference = gl::PreferenceFromEnvironment();
    if (preference == gl::Preference::Off || !IsPlatformInstalled() || !ThePlatform().gl) return std::nullopt;
    const gl::DriverInfo& driver = ThePlatform().gl->Probe();
    if (!gl::OffersDevice(driver, preference)) return std::nullopt;
    D3DDeviceEntry e{IID_IDirect3DHALDevice, "Hardware RGB device (OpenGL)", driver.renderer, {}, {}};
    e.hardware.dcmColorModel = D3DCOLOR_RGB;
    e.hardware.dwDeviceRenderBitDepth = DDBD_16 | DDBD_24 | DDBD_32;
    e.hardware.dwDeviceZBufferBitDepth = DDBD_16 | DDBD_24;
    return e;
}

} // namespace

std::vector<D3DDeviceEntry> D3DBuiltInDevices() {
    std::vector<D3DDeviceEntry> devices = {
        SoftwareDevice(IID_IDirect3DRGBDevice, D3DCOLOR_RGB, "Software RGB device", "RGB Emulation"),
        SoftwareDevice(IID_IDirect3DRampDevice, D3DCOLOR_MONO, "Software mono (ramp) device",
                       "Ramp Emulation")};
    if (std::optional<D3DDeviceEntry> hardware = HardwareDevice()) devices.push_back(*hardware);
    return devices;
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
