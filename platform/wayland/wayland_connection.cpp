#include "platform/wayland/wayland_connection.h"

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <algorithm>
#include <cstring>
#include <poll.h>
#include <wayland-client.h>

namespace {

void Ping(void*, xdg_wm_base* base, uint32_t serial) { xdg_wm_base_pong(base, serial); }
const xdg_wm_base_listener kWmBaseListener = {Ping};

void OutputGeometry(void* data, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                    const char*, int32_t transform) {
    static_cast<WaylandOutput*>(data)->transform = transform;
}

void OutputMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t refresh) {
    auto* output = static_cast<WaylandOutput*>(data);
    const WaylandOutput::Mode mode{width, height, refresh};
    auto same = [&](const WaylandOutput::Mode& m) {
        return m.width == width && m.height == height && m.refreshMilliHz == refresh;
    };
    if (std::none_of(output->modes.begin(), output->modes.end(), same)) output->modes.push_back(mode);
    if (flags & WL_OUTPUT_MODE_CURRENT) output->current = mode;
}

void OutputScale(void* data, wl_output*, int32_t factor) {
    static_cast<WaylandOutput*>(data)->scale = std::max(1, factor);
}

} // namespace

WaylandOutput::Mode WaylandOutput::Shown(const Mode& mode) const {
    return transform % 2 ? Mode{mode.height, mode.width, mode.refreshMilliHz} : mode;
}

std::unique_ptr<WaylandConnection> WaylandConnection::Connect() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return nullptr;
    std::unique_ptr<WaylandConnection> c(new WaylandConnection);
    c->m_display = display;
    static const wl_registry_listener listener = {Global, GlobalRemove};
    c->m_registry = wl_display_get_registry(display);
    wl_registry_add_listener(c->m_registry, &listener, c.get());
    // Globals first, then the outputs' descriptions they announce.
    if (wl_display_roundtrip(display) < 0 || wl_display_roundtrip(display) < 0) return nullptr;
    if (!c->m_compositor || !c->m_shm || !c->m_wmBase) return nullptr;
    return c;
}

WaylandConnection::~WaylandConnection() {
    for (auto& output : m_outputs) ReleaseOutput(*output);
    if (m_seat) wl_seat_destroy(m_seat);
    if (m_layerShell) zwlr_layer_shell_v1_destroy(m_layerShell);
    if (m_wmBase) xdg_wm_base_destroy(m_wmBase);
    if (m_shm) wl_shm_destroy(m_shm);
    if (m_compositor) wl_compositor_destroy(m_compositor);
    if (m_registry) wl_registry_destroy(m_registry);
    if (m_display) wl_display_disconnect(m_display);
}

const WaylandOutput* WaylandConnection::FirstReadyOutput() const {
    for (const auto& o : m_outputs)
        if (o->ready) return o.get();
    return nullptr;
}

const WaylandOutput* WaylandConnection::FindOutput(uint32_t name) const {
    for (const auto& output : m_outputs)
        if (output->name == name) return output.get();
    return nullptr;
}

void WaylandConnection::Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                               uint32_t version) {
    auto* self = static_cast<WaylandConnection*>(data);
    auto bind = [&](const wl_interface* type, uint32_t highest) {
        return wl_registry_bind(registry, name, type, std::min(version, highest));
    };
    if (!std::strcmp(interface, wl_compositor_interface.name) && !self->m_compositor) {
        // Version 4: damage in buffer pixels.
        if (version >= 4) self->m_compositor = static_cast<wl_compositor*>(bind(&wl_compositor_interface, 4));
    } else if (!std::strcmp(interface, wl_shm_interface.name) && !self->m_shm) {
        self->m_shm = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
    } else if (!std::strcmp(interface, xdg_wm_base_interface.name) && !self->m_wmBase) {
        self->m_wmBase = static_cast<xdg_wm_base*>(bind(&xdg_wm_base_interface, 2));
        xdg_wm_base_add_listener(self->m_wmBase, &kWmBaseListener, nullptr);
    } else if (!std::strcmp(interface, zwlr_layer_shell_v1_interface.name) && !self->m_layerShell) {
        self->m_layerShell = static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, 1));
    } else if (!std::strcmp(interface, wl_seat_interface.name) && !self->m_seat) {
        // Version 4: no pointer frames to group, keyboard repeat information announced.
        self->m_seat = static_cast<wl_seat*>(bind(&wl_seat_interface, 4));
    } else if (!std::strcmp(interface, wl_output_interface.name)) {
        self->AddOutput(name, version);
    }
}

void WaylandConnection::AddOutput(uint32_t name, uint32_t version) {
    static const wl_output_listener listener = {OutputGeometry, OutputMode, OutputDone, OutputScale,
                                                    IgnoreEvent<wl_output*, const char*>,
                                                    IgnoreEvent<wl_output*, const char*>};
    auto output = std::make_unique<WaylandOutput>();
    output->name = name;
    output->connection = this;
    // Version 3: released when it goes away.
    output->output = static_cast<wl_output*>(
        wl_registry_bind(m_registry, name, &wl_output_interface, std::min(version, 3u)));
    wl_output_add_listener(output->output, &listener, output.get());
    m_outputs.push_back(std::move(output));
}

void WaylandConnection::OutputDone(void* data, wl_output*) {
    auto* output = static_cast<WaylandOutput*>(data);
    output->ready = true;
    if (output->connection->onOutputDescribed) output->connection->onOutputDescribed(*output);
}

void WaylandConnection::ReleaseOutput(WaylandOutput& output) {
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(output.output)) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release(output.output);
    else
        wl_output_destroy(output.output);
}

void WaylandConnection::GlobalRemove(void* data, wl_registry*, uint32_t name) {
    auto* self = static_cast<WaylandConnection*>(data);
    auto it = std::find_if(self->m_outputs.begin(), self->m_outputs.end(),
                           [name](const auto& o) { return o->name == name; });
    if (it == self->m_outputs.end()) return;
    if (self->onOutputRemoved) self->onOutputRemoved(**it);
    ReleaseOutput(**it);
    self->m_outputs.erase(it);
}

bool DispatchWaiting(wl_display* display, wl_event_queue* queue, int timeoutMs) {
    auto dispatchPending = [&] {
        return (queue ? wl_display_dispatch_queue_pending(display, queue) : wl_display_dispatch_pending(display)) >= 0;
    };
    if ((queue ? wl_display_prepare_read_queue(display, queue) : wl_display_prepare_read(display)) != 0)
        return dispatchPending();
    wl_display_flush(display);
    pollfd p = {wl_display_get_fd(display), POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) {
        wl_display_cancel_read(display);
        return wl_display_get_error(display) == 0;
    }
    return wl_display_read_events(display) >= 0 && dispatchPending();
}
