#include "render/device_search.h"

namespace {

DEVICESEARCH g_search{};

HRESULT EnumDeviceCallback(GUID* guid, LPSTR, LPSTR, D3DDEVICEDESC* hardware,
                           D3DDEVICEDESC* software, void* context) {
    int32_t& selected = *static_cast<int32_t*>(context);
    const bool isHardware = hardware->dcmColorModel != 0;
    const D3DDEVICEDESC& judged = isHardware ? *hardware : *software;
    if ((judged.dwDeviceRenderBitDepth & DepthToRenderFlag(g_search.depth)) == 0)
        return D3DENUMRET_OK;

    g_search.devices[g_search.count] = *guid;
    bool select;
    if (selected == -1)
        select = true;
    else if (judged.dcmColorModel == D3DCOLOR_RGB && g_search.selectedMono)
        select = true;
    else if (isHardware)
        select = g_search.preferHardware && !g_search.selectedHardware;
    else
        select = !g_search.preferHardware && g_search.selectedHardware;
    if (select) {
        selected = g_search.count;
        g_search.selectedHardware = isHardware;
        g_search.selectedMono = (judged.dcmColorModel & 1) != 0;
    }
    ++g_search.count;
    return g_search.count >= kMaxSearchDevices ? D3DENUMRET_CANCEL : D3DENUMRET_OK;
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

BOOL SearchDevices(int depth, BOOL preferHardware) {
    g_search = DEVICESEARCH{};
    g_search.depth = depth;
    g_search.preferHardware = preferHardware;
    g_search.selected = -1;

    IDirectDraw* directDraw = nullptr;
    if (DirectDrawCreate(nullptr, &directDraw, nullptr) != S_OK) return FALSE;
    IDirect3D* d3d = nullptr;
    if (directDraw->QueryInterface(IID_IDirect3D, reinterpret_cast<void**>(&d3d)) != S_OK) {
        directDraw->Release();
        return FALSE;
    }
    g_search.selected = -1;
    d3d->EnumDevices(&EnumDeviceCallback, &g_search.selected);
    d3d->Release();
    directDraw->Release();
    return g_search.count > 0 ? TRUE : FALSE;
}

const DEVICESEARCH& GetDeviceSearch() {
    return g_search;
}

const GUID* SelectedDeviceGuid() {
    if (g_search.selected < 0 || g_search.selected >= g_search.count) return nullptr;
    return &g_search.devices[g_search.selected];
}
