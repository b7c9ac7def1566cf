#include "platform/wayland/wayland_display_backend.h"

#include "platform/display/display.h"
#include "platform/wayland/wayland_connection.h"

namespace {

// Every wl_shm compositor takes XRGB8888.
constexpr DWORD kDepth = 32;

class WaylandDisplayBackend final : public DisplayBackend {
public:
    explicit WaylandDisplayBackend(std::shared_ptr<WaylandConnection> connection) : m_connection(std::move(connection)) {}

    std::vector<DisplayMode> ListModes() override {
        std::vector<DisplayMode> modes;
        if (const WaylandOutput* o = First())
            for (const WaylandOutput::Mode& m : o->modes) modes.push_back(ModeOf(*o, m));
        return modes;
    }

    std::optional<DisplayMode> CurrentMode() override {
        const WaylandOutput* o = First();
        if (!o) return std::nullopt;
        return ModeOf(*o, o->current);
    }

    // Staying in the current mode is all that succeeds.
    LONG SetMode(const DisplayMode& wanted) override {
        const std::optional<DisplayMode> current = CurrentMode();
        if (current && wanted.width == current->width && wanted.height == current->height &&
            wanted.bitsPerPixel == current->bitsPerPixel)
            return DISP_CHANGE_SUCCESSFUL;
        return DISP_CHANGE_FAILED;
    }

    LONG Restore() override { return DISP_CHANGE_SUCCESSFUL; }

    DWORD Depth() override { return First() ? kDepth : 0; }

private:
    const WaylandOutput* First() const { return m_connection->FirstReadyOutput(); }

    static DisplayMode ModeOf(const WaylandOutput& o, const WaylandOutput::Mode& mode) {
        const WaylandOutput::Mode m = o.Shown(mode);
        return {static_cast<DWORD>(m.width), static_cast<DWORD>(m.height), kDepth,
                static_cast<DWORD>((m.refreshMilliHz + 500) / 1000), 0};
    }

    std::shared_ptr<WaylandConnection> m_connection;
};

} // namespace

std::unique_ptr<DisplayBackend> MakeWaylandDisplayBackend(std::shared_ptr<WaylandConnection> connection) {
    return std::make_unique<WaylandDisplayBackend>(std::move(connection));
}
