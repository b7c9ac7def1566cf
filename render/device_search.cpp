#include "render/device_search.h"

namespace {

HRESULT EnumDeviceCallback(GUID* guid, LPSTR, LPSTR, D3DDEVICEDESC* hardware,
                           D3DDEVICEDESC* software, void* context) {
    DEVICESEARCH& search = *static_cast<DEVICESEARCH*>(context);
    int32_t& selected = search.selected;
    const bool isHardware = hardware->dcmColorModel != 0;
    const D3DDEVICEDESC& judged = isHardware ? *hardware : *software;
    if ((judged.dwDeviceRenderBitDepth & DepthToRenderFlag(search.depth)) == 0)
        return D3DENUMRET_OK;

    search.devices[search.count] = *guid;
    bool select;
    if (selected == -1)
        select = true;
    else if (judged.dcmColorModel == D3DCOLOR_RGB && search.selectedMono)
        select = true;
    else if (isHardware)
        select = search.preferHardware && !search.selectedHardware;
    else
        select = !search.preferHardware && search.selectedHardware;
    if (select) {
        selected = search.count;
        search.selectedHardware = isHardware;
        search.selectedMono = (judged.dcmColorModel & 1) != 0;
    }
    ++search.count;
    return search.count >= kMaxSearchDevices ? D3DENUMRET_CANCEL : D3DENUMRET_OK;
}

} // namespace

DWORD DepthToRenderFlag(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return DDBD_1;
    case 2:
        return DDBD_2;
    case 4:
        return DDBD_4;
    case 8:
        return DDBD_8;
    case 16:
        return DDBD_16;
    case 24:
        return DDBD_24;
    case 32:
        return DDBD_32;
    default:
        return 0;
    }
}

BOOL SearchDevices(DEVICESEARCH& search, int depth, BOOL preferHardware) {
    search = DEVICESEARCH{};
    search.depth = depth;
    search.preferHardware = preferHardware;
    search.selected = -1;

    IDirectDraw* directDraw = nullptr;
    if (DirectDrawCreate(nullptr, &directDraw, nullptr) != S_OK) return FALSE;
    IDirect3D* d3d = nullptr;
    if (directDraw->QueryInterface(IID_IDirect3D, reinterpret_cast<void**>(&d3d)) != S_OK) {
        directDraw->Release();
        return FALSE;
    }
    search.selected = -1;
    d3d->EnumDevices(&EnumDeviceCallback, &search);
    d3d->Release();
    directDraw->Release();
    return search.count > 0 ? TRUE : FALSE;
}

const GUID* SelectedDeviceGuid(const DEVICESEARCH& search) {
    if (search.selected < 0 || search.selected >= search.count) return nullptr;
    return &search.devices[search.selected];
}
