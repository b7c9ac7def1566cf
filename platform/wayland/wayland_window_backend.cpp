#include "platform/wayland/wayland_window_backend.h"

#include "platform/afx/msgqueue.h"
#include "platform/afx/wnd.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_input.h"
#include "platform/wayland/wayland_shm.h"

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <wayland-client.h>

namespace {

// How long a new surface may wait for the compositor's first configure.
constexpr int kConfigureWaitMs = 5000;

} // namespace

WaylandWindowBackend::WaylandWindowBackend(std::shared_ptr<WaylandConnection> connection, PosixMessagePump& pump)
    : m_connection(std::move(connection)), m_pump(&pump) {
    m_seat = std::make_unique<WaylandSeat>(*m_connection, static_cast<WaylandSeat::Windows&>(*this));
    m_connection->onOutputDescribed = [this](const WaylandOutput& o) { OutputDescribed(o); };
    m_connection->onOutputRemoved = [this](const WaylandOutput& o) { OutputRemoved(o); };
    for (const auto& output : m_connection->Outputs())
        if (output->ready) m_outputs[output->name] = NewHandle();
    m_pump->Add(this);
}

WaylandWindowBackend::~WaylandWindowBackend() {
    m_pump->Remove(this);
    if (m_reading) wl_display_cancel_read(m_connection->Display());
    for (auto& [hwnd, w] : m_windows) DestroySurfaces(*w);
    m_seat.reset();
    m_connection->onOutputDescribed = nullptr;
    m_connection->onOutputRemoved = nullptr;
    wl_display_flush(m_connection->Display());
}

HWND WaylandWindowBackend::NewHandle() { return reinterpret_cast<HWND>(m_nextHandle++); }

const WaylandOutput* WaylandWindowBackend::OutputOfHandle(HWND hwnd) const {
    for (const auto& [name, handle] : m_outputs)
        if (handle == hwnd) return m_connection->FindOutput(name);
    return nullptr;
}

WaylandWindowBackend::Window* WaylandWindowBackend::Find(HWND hwnd) {
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : it->second.get();
}

HWND WaylandWindowBackend::Create(const WindowCreateParams& params) {
    if (m_lost) return nullptr;
    Window* w = nullptr;
    if (params.parent) {
        // Only an output can be a parent here: other programs' windows are out of reach.
        const WaylandOutput* output = OutputOfHandle(params.parent);
        if (!output || !(params.style & WS_CHILD) || !m_connection->LayerShell()) return nullptr;
        w = MakeLayer(params, *output);
    } else if (params.style & WS_POPUP) {
        w = MakeFullScreen(params);
    } else if (!(params.style & WS_VISIBLE)) {
        auto hidden = std::make_unique<Window>();
        hidden->hwnd = NewHandle();
        hidden->windowClass = params.windowClass;
        w = hidden.get();
        m_windows[w->hwnd] = std::move(hidden);
    }
    if (!w) return nullptr;
    if (w->role != Role::Hidden && !AwaitConfigure(*w)) {
        Destroy(w->hwnd);
        return nullptr;
    }
    return w->hwnd;
}

WaylandWindowBackend::Window* WaylandWindowBackend::MakeFullScreen(const WindowCreateParams& params) {
    static const xdg_surface_listener surfaceListener = {XdgSurfaceConfigure};
    static const xdg_toplevel_listener toplevelListener = {ToplevelConfigure, ToplevelClose,
                                                              IgnoreEvent<xdg_toplevel*, int32_t, int32_t>,
                                                              IgnoreEvent<xdg_toplevel*, wl_array*>};
    auto w = std::make_unique<Window>();
    w->backend = this;
    w->hwnd = NewHandle();
    w->role = Role::FullScreen;
    w->windowClass = params.windowClass;
    w->disabled = (params.style & WS_DISABLED) != 0;
    w->surface = wl_compositor_create_surface(m_connection->Compositor());
    w->xdgSurface = xdg_wm_base_get_xdg_surface(m_connection->WmBase(), w->surface);
    xdg_surface_add_listener(w->xdgSurface, &surfaceListener, w.get());
    w->toplevel = xdg_surface_get_toplevel(w->xdgSurface);
    xdg_toplevel_add_listener(w->toplevel, &toplevelListener, w.get());
    xdg_toplevel_set_title(w->toplevel, params.title);
    xdg_toplevel_set_app_id(w->toplevel, "quorvel");
    // On the output the compositor chooses (the one in use).
    xdg_toplevel_set_fullscreen(w->toplevel, nullptr);
    wl_surface_commit(w->surface);
    Window* raw = w.get();
    m_windows[raw->hwnd] = std::move(w);
    return raw;
}

WaylandWindowBackend::Window* WaylandWindowBackend::MakeLayer(const WindowCreateParams& params,
                                                               const WaylandOutput& output) {
    static const zwlr_layer_surface_v1_listener listener = {LayerConfigure, LayerClosed};
    auto w = std::make_unique<Window>();
    w->backend = this;
    w->hwnd = NewHandle();
    w->role = Role::Layer;
    w->windowClass = params.windowClass;
    w->disabled = (params.style & WS_DISABLED) != 0;
    w->output = output.name;
    w->scale = output.scale;
    w->surface = wl_compositor_create_surface(m_connection->Compositor());
    w->layer = zwlr_layer_shell_v1_get_layer_surface(m_connection->LayerShell(), w->surface, output.output,
                                                     ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND, "quorvel");
    zwlr_layer_surface_v1_add_listener(w->layer, &listener, w.get());
    // The whole output, also under panels that reserve an edge; never the keyboard.
    zwlr_layer_surface_v1_set_anchor(w->layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                                   ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_size(w->layer, 0, 0);
    zwlr_layer_surface_v1_set_exclusive_zone(w->layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(w->layer, 0);
    if (w->disabled) {
        // An empty input region: the pointer goes to whatever is below.
        wl_region* none = wl_compositor_create_region(m_connection->Compositor());
        wl_surface_set_input_region(w->surface, none);
        wl_region_destroy(none);
    }
    wl_surface_commit(w->surface);
    Window* raw = w.get();
    m_windows[raw->hwnd] = std::move(w);
    return raw;
}

bool WaylandWindowBackend::AwaitConfigure(Window& w) {
    using Clock = std::chrono::steady_clock;
    wl_display* display = m_connection->Display();
    const auto deadline = Clock::now() + std::chrono::milliseconds(kConfigureWaitMs);
    // A surface the compositor closes first (its output going as it came) is never configured.
    while (!w.configured && !w.closedByCompositor && !w.outputGone) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || !DispatchWaiting(display, nullptr, static_cast<int>(left))) return false;
    }
    return w.configured;
}

int WaylandWindowBackend::ScaleForFullScreen(int unitsWidth, int unitsHeight) const {
    int scale = 0, highest = 1;
    for (const auto& o : m_connection->Outputs()) {
        if (!o->ready) continue;
        highest = std::max(highest, o->scale);
        if (o->PixelWidth() == unitsWidth * o->scale && o->PixelHeight() == unitsHeight * o->scale)
            scale = std::max(scale, o->scale);
    }
    // An output of that size draws at its own scale; on an unknown one nothing is left blurred.
    return scale ? scale : highest;
}

void WaylandWindowBackend::Configure(Window& w, uint32_t serial, int unitsWidth, int unitsHeight) {
    const bool first = !w.configured;
    if (unitsWidth <= 0 || unitsHeight <= 0) {
        // The size is ours to choose: the output's.
        const WaylandOutput* output = w.role == Role::Layer ? m_connection->FindOutput(w.output) : nullptr;
        if (!output) output = m_connection->FirstReadyOutput();
        if (output) {
            unitsWidth = output->PixelWidth() / output->scale;
            unitsHeight = output->PixelHeight() / output->scale;
        }
        unitsWidth = std::max(unitsWidth, 1);
        unitsHeight = std::max(unitsHeight, 1);
    }
    const int oldWidth = w.width, oldHeight = w.height;
    w.unitsWidth = unitsWidth;
    w.unitsHeight = unitsHeight;
    if (w.role == Role::FullScreen && first) w.scale = ScaleForFullScreen(unitsWidth, unitsHeight);
    w.width = unitsWidth * w.scale;
    w.height = unitsHeight * w.scale;
    w.configured = true;
    {
        std::lock_guard<std::mutex> lock(WaylandCommitLock());
        if (w.layer)
            zwlr_layer_surface_v1_ack_configure(w.layer, serial);
        else
            xdg_surface_ack_configure(w.xdgSurface, serial);
        if (first) CommitBlank(w);
        wl_surface_commit(w.surface);
    }
    wl_display_flush(m_connection->Display());
    if (!first) ReportSize(w, oldWidth, oldHeight);
}

void WaylandWindowBackend::ReportSize(Window& w, int oldWidth, int oldHeight) {
    if (w.width == oldWidth && w.height == oldHeight) return;
    ::PostMessage(w.hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(w.width), static_cast<WORD>(w.height)));
    if (w.windowClass && (w.windowClass->style & (CS_HREDRAW | CS_VREDRAW))) AfxInvalidateWindow(w.hwnd);
}

void WaylandWindowBackend::CommitBlank(Window& w) {
    // Zero pages: black in XRGB8888, and no memory is touched here.
    static const wl_buffer_listener listener = {BlankReleased};
    const size_t bytes = static_cast<size_t>(w.width) * static_cast<size_t>(w.height) * 4;
    const int fd = CreateShmFile(bytes);
    if (fd < 0) return;
    wl_shm_pool* pool = wl_shm_create_pool(m_connection->Shm(), fd, static_cast<int32_t>(bytes));
    w.blank = wl_shm_pool_create_buffer(pool, 0, w.width, w.height, w.width * 4, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_buffer_add_listener(w.blank, &listener, &w);
    wl_surface_set_buffer_scale(w.surface, w.scale);
    wl_surface_attach(w.surface, w.blank, 0, 0);
    wl_surface_damage_buffer(w.surface, 0, 0, w.width, w.height);
}

void WaylandWindowBackend::BlankReleased(void* data, wl_buffer* buffer) {
    auto* w = static_cast<Window*>(data);
    wl_buffer_destroy(buffer);
    w->blank = nullptr;
}

void WaylandWindowBackend::XdgSurfaceConfigure(void* data, xdg_surface*, uint32_t serial) {
    auto* w = static_cast<Window*>(data);
    WaylandWindowBackend* self = w->backend;
    const bool wasActive = w->activated;
    w->activated = w->pendingActivated;
    self->Configure(*w, serial, w->pendingWidth, w->pendingHeight);
    if (w->activated != wasActive && !w->disabled) AfxQueueActivation(w->hwnd, w->activated);
}

void WaylandWindowBackend::ToplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array* states) {
    auto* w = static_cast<Window*>(data);
    std::vector<uint32_t> list(states->size / sizeof(uint32_t));
    if (!list.empty()) std::memcpy(list.data(), states->data, list.size() * sizeof(uint32_t));
    w->pendingWidth = width;
    w->pendingHeight = height;
    w->pendingActivated = IsActivatedState(list);
}

void WaylandWindowBackend::ToplevelClose(void* data, xdg_toplevel*) {
    auto* w = static_cast<Window*>(data);
    AfxQueueInput({w->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0});
}

void WaylandWindowBackend::LayerConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width,
                                          uint32_t height) {
    auto* w = static_cast<Window*>(data);
    w->backend->Configure(*w, serial, static_cast<int>(width), static_cast<int>(height));
}

void WaylandWindowBackend::LayerClosed(void* data, zwlr_layer_surface_v1*) {
    static_cast<Window*>(data)->closedByCompositor = true;
}

void WaylandWindowBackend::OutputDescribed(const WaylandOutput& output) {
    if (!m_outputs.count(output.name)) {
        m_outputs[output.name] = NewHandle();
    } else {
        for (auto& [hwnd, w] : m_windows)
            if (w->role == Role::Layer && w->output == output.name && w->configured) Rescale(*w, output.scale);
    }
    if (m_outputWatcher) ::PostMessage(m_outputWatcher, WM_DISPLAYCHANGE, 32, 0);
}

void WaylandWindowBackend::Rescale(Window& w, int scale) {
    if (scale == w.scale) return;
    w.scale = scale;
    {
        // Applied with the next commit of whatever device presents: the buffer scale is the
        // window's, not the presenter's.
        std::lock_guard<std::mutex> lock(WaylandCommitLock());
        wl_surface_set_buffer_scale(w.surface, scale);
    }
    // Until the compositor's configure in the new units comes, the size in pixels follows the scale.
    const int oldWidth = w.width, oldHeight = w.height;
    w.width = w.unitsWidth * scale;
    w.height = w.unitsHeight * scale;
    ReportSize(w, oldWidth, oldHeight);
}

void WaylandWindowBackend::OutputRemoved(const WaylandOutput& output) {
    m_outputs.erase(output.name);
    for (auto& [hwnd, w] : m_windows)
        if (w->role == Role::Layer && w->output == output.name) w->outputGone = true;
}

void WaylandWindowBackend::HandleGoneAndClosed() {
    auto destroyGone = [this] {
        std::vector<HWND> gone;
        for (auto& [hwnd, w] : m_windows)
            if (w->outputGone) gone.push_back(hwnd);
        for (HWND hwnd : gone) {
            AfxOnNativeWindowDestroyed(hwnd); // its output was unplugged or switched off
            Destroy(hwnd);
        }
        if (!gone.empty() && m_outputWatcher) ::PostMessage(m_outputWatcher, WM_DISPLAYCHANGE, 32, 0);
    };
    destroyGone();
    const bool closed = std::any_of(m_windows.begin(), m_windows.end(),
                                    [](const auto& w) { return w.second->closedByCompositor; });
    if (!closed) return;
    // The compositor closes an output's layers before it announces that the output is gone: only
    // a layer whose output stays was closed for its own sake.
    if (wl_display_roundtrip(m_connection->Display()) < 0) return ConnectionLost();
    destroyGone();
    for (auto& [hwnd, w] : m_windows) {
        if (!w->closedByCompositor) continue;
        w->closedByCompositor = false;
        ::PostMessage(hwnd, WM_CLOSE, 0, 0);
    }
}

void WaylandWindowBackend::DestroySurfaces(Window& w) {
    if (w.blank) wl_buffer_destroy(w.blank);
    if (w.layer) zwlr_layer_surface_v1_destroy(w.layer);
    if (w.toplevel) xdg_toplevel_destroy(w.toplevel);
    if (w.xdgSurface) xdg_surface_destroy(w.xdgSurface);
    if (w.surface) wl_surface_destroy(w.surface);
    w.blank = nullptr;
    w.layer = nullptr;
    w.toplevel = nullptr;
    w.xdgSurface = nullptr;
    w.surface = nullptr;
}

void WaylandWindowBackend::Destroy(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return;
    if (m_outputWatcher == hwnd) m_outputWatcher = nullptr;
    m_seat->Forget(hwnd);
    DestroySurfaces(*w);
    m_windows.erase(hwnd);
    wl_display_flush(m_connection->Display());
}

BOOL WaylandWindowBackend::IsWindow(HWND hwnd) {
    return Find(hwnd) || OutputOfHandle(hwnd);
}

BOOL WaylandWindowBackend::GetClientRect(HWND hwnd, RECT* rect) {
    if (!rect) return FALSE;
    if (Window* w = Find(hwnd)) {
        *rect = {0, 0, w->width, w->height};
        return TRUE;
    }
    const WaylandOutput* o = OutputOfHandle(hwnd);
    if (!o) return FALSE;
    *rect = {0, 0, o->PixelWidth(), o->PixelHeight()};
    return TRUE;
}

void WaylandWindowBackend::EraseBackground(HWND) {}

void WaylandWindowBackend::SetCursor(HWND hwnd, HCURSOR cursor) {
    Window* w = Find(hwnd);
    if (w && !w->disabled) m_seat->SetCursor(hwnd, cursor);
}

int WaylandWindowBackend::GetSystemMetrics(int index) {
    if (index != SM_CXSCREEN && index != SM_CYSCREEN) return 0;
    for (const auto& [hwnd, w] : m_windows)
        if (w->role == Role::FullScreen && w->configured) return index == SM_CXSCREEN ? w->width : w->height;
    const WaylandOutput* o = m_connection->FirstReadyOutput();
    return o ? (index == SM_CXSCREEN ? o->PixelWidth() : o->PixelHeight()) : 0;
}

WindowSurface WaylandWindowBackend::GetSurface(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w || !w->surface || !w->configured) return {};
    WindowSurface s;
    s.kind = WindowSurface::Kind::Wayland;
    s.wlDisplay = m_connection->Display();
    s.wlSurface = w->surface;
    s.wlShm = m_connection->Shm();
    s.width = w->width;
    s.height = w->height;
    return s;
}

BOOL WaylandWindowBackend::StretchBitmap(HWND, RECT, const AfxBitmapResource&, RECT) { return FALSE; }

std::string WaylandWindowBackend::WhyNotDrawable(HWND hwnd) {
    if (Find(hwnd)) return {};
    return "a Wayland compositor does not hand other programs' windows to a client";
}

std::string WaylandWindowBackend::WhyNoBackgroundLayers() {
    if (m_connection->LayerShell()) return {};
    return "the Wayland compositor has no layer shell (zwlr_layer_shell_v1), so no background layers";
}

std::vector<HWND> WaylandWindowBackend::GetOutputs() {
    std::vector<HWND> handles;
    for (const auto& [name, handle] : m_outputs) handles.push_back(handle);
    return handles;
}

void WaylandWindowBackend::WatchOutputs(HWND hwnd) { m_outputWatcher = hwnd; }

HWND WaylandWindowBackend::WindowOfSurface(wl_surface* surface) {
    for (const auto& [hwnd, w] : m_windows)
        if (w->surface == surface) return hwnd;
    return nullptr;
}

int WaylandWindowBackend::ScaleOf(HWND hwnd) {
    Window* w = Find(hwnd);
    return w ? w->scale : 1;
}

void WaylandWindowBackend::PointerEntered(HWND hwnd) {
    ::SendMessage(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(1, WM_MOUSEMOVE));
    SetCursor(hwnd, ::GetCursor());
}

int WaylandWindowBackend::Fd() const { return m_lost ? -1 : wl_display_get_fd(m_connection->Display()); }

bool WaylandWindowBackend::PrepareWait() {
    if (m_lost) return true;
    wl_display* display = m_connection->Display();
    // Events already read (by the render thread's presenter, say) are dispatched first.
    if (wl_display_prepare_read(display) != 0) return false;
    m_reading = true;
    wl_display_flush(display);
    return true;
}

void WaylandWindowBackend::FinishWait(bool readable) {
    if (!m_reading) return;
    m_reading = false;
    if (readable)
        wl_display_read_events(m_connection->Display());
    else
        wl_display_cancel_read(m_connection->Display());
}

void WaylandWindowBackend::Pump() {
    if (m_lost) return;
    wl_display* display = m_connection->Display();
    if (wl_display_dispatch_pending(display) < 0) return ConnectionLost();
    HandleGoneAndClosed();
    if (!m_lost && wl_display_flush(display) < 0 && errno != EAGAIN) ConnectionLost();
}

void WaylandWindowBackend::ConnectionLost() {
    if (m_lost) return;
    m_lost = true;
    std::fprintf(stderr, "quorvel: the connection to the Wayland compositor was lost: %s\n",
                 std::strerror(wl_display_get_error(m_connection->Display())));
    // Nothing can be shown any more; the windows are taken down as the program ends.
    PostQuitMessage(1);
}
