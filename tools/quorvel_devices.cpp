// quorvel-devices: the Direct3D devices that the saver's device search finds on the display the
// saver would run on (Wayland or X11, chosen as the program chooses), one line each (kind, colour
// model, description; for the GL device its renderer), then the device the search chooses with
// the Hard setting on and with it off.
#include "platform/d3drm/d3d.h"
#include "platform/display/display.h"
#include "platform/x11/connect_session.h"
#include "render/device_search.h"

#include <cstdio>

int main(int argc, char** argv) {
    std::optional<Platform> platform = ConnectSessionPlatform(argc, argv);
    if (!platform) return 1;
    InstallPlatform(std::move(*platform));
    const std::vector<D3DDeviceEntry> devices = D3DBuiltInDevices();
    for (const D3DDeviceEntry& d : devices) {
        const bool hardware = d.hardware.dcmColorModel != 0;
        const D3DDEVICEDESC& judged = hardware ? d.hardware : d.software;
        std::printf("%s %-4s  %s", hardware ? "hardware" : "software",
                    judged.dcmColorModel == D3DCOLOR_MONO ? "mono" : "RGB", d.description.c_str());
        if (hardware) std::printf(": %s", d.name.c_str());
        std::printf("\n");
    }
    const int depth = GetDisplayDeviceCaps(BITSPIXEL);
    for (BOOL hard : {TRUE, FALSE}) {
        DEVICESEARCH search{};
        SearchDevices(search, depth, hard);
        const GUID* chosen = SelectedDeviceGuid(search);
        const char* name = "none (no device renders at the display's depth)";
        for (const D3DDeviceEntry& d : devices)
            if (chosen && d.guid == *chosen) name = d.description.c_str();
        std::printf("Hard %s: %s\n", hard ? "on" : "off", name);
    }
    return 0;
}
