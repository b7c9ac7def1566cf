// Direct3D device enumeration: the software RGB and mono devices of this layer and, where the
// platform's OpenGL driver is hardware (or QUORVEL_GL=force), a hardware RGB device drawing with
// OpenGL; each described twice (as hardware and as software emulation) the way the driver
// reports them.
#pragma once

#include "platform/d3drm/guid.h"
#include "platform/d3drm/object.h"

#include <string>
#include <vector>

constexpr HRESULT D3DENUMRET_CANCEL = 0;
constexpr HRESULT D3DENUMRET_OK = 1;

// What a device can do, in one of its two descriptions. A description whose colour model is 0
// describes nothing (a software device has an empty hardware description).
struct D3DDEVICEDESC {
    DWORD dwSize = sizeof(D3DDEVICEDESC);
    DWORD dwFlags = 0;
    D3DCOLORMODEL dcmColorModel = 0;
    DWORD dwDeviceRenderBitDepth = 0; // DDBD_ flags
    DWORD dwDeviceZBufferBitDepth = 0;
};

using LPD3DENUMDEVICESCALLBACK = HRESULT (*)(GUID* guid, LPSTR description, LPSTR name,
                                             D3DDEVICEDESC* hardware, D3DDEVICEDESC* software,
                                             void* context);

constexpr GUID IID_IDirect3DRGBDevice = {
    0xA4665C60, 0x2673, 0x11CF, {0xA3, 0x1A, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
constexpr GUID IID_IDirect3DRampDevice = {
    0xF2086B20, 0x259F, 0x11CF, {0xA3, 0x1A, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
constexpr GUID IID_IDirect3DHALDevice = {
    0x84E63DE0, 0x46AA, 0x11CF, {0x81, 0x6F, 0x00, 0x00, 0xC0, 0x20, 0x15, 0x6E}};

// One device as the enumeration reports it.
struct D3DDeviceEntry {
    GUID guid;
    std::string description;
    std::string name;
    D3DDEVICEDESC hardware;
    D3DDEVICEDESC software;
};

// The devices of this layer: software RGB, then software mono, then the hardware RGB device where
// there is one, all at 16, 24 and 32 bits. The GL driver is probed once, at the first call that
// needs it. The hardware device's name is the driver's renderer string.
std::vector<D3DDeviceEntry> D3DBuiltInDevices();
// Replaces the list that EnumDevices reports (tests of device selection, tools that pick a
// device); nullptr restores the built-in list.
void D3DSetDeviceListForTesting(const std::vector<D3DDeviceEntry>* devices);
// The entry of the device with this GUID in the list EnumDevices reports; false when absent.
bool D3DFindDevice(const GUID& guid, D3DDeviceEntry* entry);

class IDirect3D : public IUnknown {
public:
    // Calls back once per device in list order until the callback returns D3DENUMRET_CANCEL.
    virtual HRESULT EnumDevices(LPD3DENUMDEVICESCALLBACK callback, void* context);

private:
    friend class IDirectDraw;
    IDirect3D() = default;
};
