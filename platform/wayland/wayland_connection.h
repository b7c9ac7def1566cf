// The connection to the Wayland compositor: the display, the globals the platform binds, and
// the outputs as the compositor describes them. Used on the UI thread only (presenters on the
// render thread bind what they need on queues of their own).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_compositor;
struct wl_shm;
struct wl_seat;
struct wl_output;
struct xdg_wm_base;
struct zwlr_layer_shell_v1;

class WaylandConnection;

// A listener's handler for an event of no interest.
template <class... A> void IgnoreEvent(void*, A...) {}

// Dispatches the events of queue (null: the connection's default queue), waiting at most
// timeoutMs for more to arrive; events another thread read already come first, without waiting.
// Any thread may call it while others read the connection. False when the connection failed.
bool DispatchWaiting(wl_display* display, wl_event_queue* queue, int timeoutMs);

struct WaylandOutput {
    struct Mode {
        int width = 0, height = 0, refreshMilliHz = 0;
    };
    uint32_t name = 0; // the registry's name of the global
    wl_output* output = nullptr;
    std::vector<Mode> modes;
    Mode current;
    int scale = 1;
    int transform = 0;
    bool ready = false; // described completely at least once
    WaylandConnection* connection = nullptr;

    // A mode as it is shown: turned by the output's transform.
    Mode Shown(const Mode& mode) const;
    // The output's size in pixels as it is shown.
    int PixelWidth() const { return Shown(current).width; }
    int PixelHeight() const { return Shown(current).height; }
};

class WaylandConnection {
public:
    // Null when no compositor can be reached ($WAYLAND_DISPLAY, else wayland-0) or it lacks
    // wl_compositor, wl_shm or xdg_wm_base.
    static std::unique_ptr<WaylandConnection> Connect();
    ~WaylandConnection();

    wl_display* Display() const { return m_display; }
    wl_compositor* Compositor() const { return m_compositor; }
    wl_shm* Shm() const { return m_shm; }
    xdg_wm_base* WmBase() const { return m_wmBase; }
    zwlr_layer_shell_v1* LayerShell() const { return m_layerShell; }
    wl_seat* Seat() const { return m_seat; }
    const std::vector<std::unique_ptr<WaylandOutput>>& Outputs() const { return m_outputs; }
    const WaylandOutput* FindOutput(uint32_t name) const;
    // The first output described completely; null while there is none.
    const WaylandOutput* FirstReadyOutput() const;

    // Told on the UI thread as the compositor's events are dispatched: an output described
    // completely (first time or changed), an output gone (its record is destroyed after).
    std::function<void(const WaylandOutput&)> onOutputDescribed;
    std::function<void(const WaylandOutput&)> onOutputRemoved;

private:
    WaylandConnection() = default;
    static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
    static void GlobalRemove(void* data, wl_registry* registry, uint32_t name);
    void AddOutput(uint32_t name, uint32_t version);
    static void OutputDone(void* data, wl_output* output);
    static void ReleaseOutput(WaylandOutput& output);

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_compositor* m_compositor = nullptr;
    wl_shm* m_shm = nullptr;
    xdg_wm_base* m_wmBase = nullptr;
    zwlr_layer_shell_v1* m_layerShell = nullptr;
    wl_seat* m_seat = nullptr;
    std::vector<std::unique_ptr<WaylandOutput>> m_outputs;
};
