// Windows on a Wayland compositor. A full-screen pop-up is an xdg-shell toplevel made
// full-screen; a window whose parent is an output is that output's background layer
// (layer shell); a hidden top-level window lives in memory only. Seat input becomes the windows'
// messages; the compositor's configure events give their sizes and activation.
#pragma once

#include "platform/afx/window_backend.h"
#include "platform/posix/posix_message_pump.h"
#include "platform/wayland/wayland_seat.h"

#include <map>
#include <memory>
#include <vector>

class WaylandConnection;
struct WaylandOutput;
struct wl_surface;
struct wl_buffer;
struct xdg_surface;
struct xdg_toplevel;
struct zwlr_layer_surface_v1;

class WaylandWindowBackend : public WindowBackend, public EventSource, private WaylandSeat::Windows {
public:
    WaylandWindowBackend(std::shared_ptr<WaylandConnection> connection, PosixMessagePump& pump);
    ~WaylandWindowBackend() override;

    HWND Create(const WindowCreateParams& params) override;
    void Destroy(HWND hwnd) override;
    BOOL IsWindow(HWND hwnd) override;
    BOOL GetClientRect(HWND hwnd, RECT* rect) override;
    // Nothing to do: the compositor keeps what was committed, and a window's first commit is black.
    void EraseBackground(HWND hwnd) override;
    void SetCursor(HWND hwnd, HCURSOR cursor) override;
    // The screen: the full-screen window's size once there is one, else the first output's.
    int GetSystemMetrics(int index) override;
    WindowSurface GetSurface(HWND hwnd) override;
    // FALSE: there are no windows of other programs to paint a preview in.
    BOOL StretchBitmap(HWND hwnd, RECT dest, const AfxBitmapResource& bitmap, RECT source) override;
    std::string WhyNotDrawable(HWND hwnd) override;
    std::string WhyNoBackgroundLayers() override;
    std::vector<HWND> GetOutputs() override;
    void WatchOutputs(HWND hwnd) override;

    int Fd() const override;
    void Pump() override;
    bool PrepareWait() override;
    void FinishWait(bool readable) override;

private:
    enum class Role { Hidden, FullScreen, Layer };
    struct Window {
        WaylandWindowBackend* backend = nullptr;
        HWND hwnd = nullptr;
        Role role = Role::Hidden;
        const WindowClass* windowClass = nullptr;
        bool disabled = false;
        uint32_t output = 0; // a layer's output (registry name)
        wl_surface* surface = nullptr;
        xdg_surface* xdgSurface = nullptr;
        xdg_toplevel* toplevel = nullptr;
        zwlr_layer_surface_v1* layer = nullptr;
        wl_buffer* blank = nullptr; // black, until the first frame replaces it
        bool configured = false;
        int unitsWidth = 0, unitsHeight = 0; // as configured, in surface units
        int scale = 1;
        int width = 0, height = 0; // buffer pixels
        bool activated = false;
        // A toplevel's configure, applied at the xdg_surface configure that follows it.
        int pendingWidth = 0, pendingHeight = 0;
        bool pendingActivated = false;
        bool closedByCompositor = false;
        bool outputGone = false;
    };

    HWND NewHandle();
    Window* Find(HWND hwnd);
    // The output whose handle this is; null for any other handle.
    const WaylandOutput* OutputOfHandle(HWND hwnd) const;
    Window* MakeFullScreen(const WindowCreateParams& params);
    Window* MakeLayer(const WindowCreateParams& params, const WaylandOutput& output);
    // Waits for the compositor's first configure of a new surface; false when it never came.
    bool AwaitConfigure(Window& w);
    // A configure: acknowledged and committed (with the black first buffer the first time);
    // the new pixel size is reported as WM_SIZE.
    void Configure(Window& w, uint32_t serial, int unitsWidth, int unitsHeight);
    // WM_SIZE (and a repaint for classes that redraw on a resize) when the pixel size changed.
    void ReportSize(Window& w, int oldWidth, int oldHeight);
    void Rescale(Window& w, int scale);
    void CommitBlank(Window& w);
    // Windows whose output went away are destroyed; windows the compositor closed get WM_CLOSE.
    void HandleGoneAndClosed();
    void DestroySurfaces(Window& w);
    void OutputDescribed(const WaylandOutput& output);
    void OutputRemoved(const WaylandOutput& output);
    // The scale of the output a full-screen window of that size covers.
    int ScaleForFullScreen(int unitsWidth, int unitsHeight) const;
    void ConnectionLost();

    // WaylandSeat::Windows
    HWND WindowOfSurface(wl_surface* surface) override;
    int ScaleOf(HWND hwnd) override;
    void PointerEntered(HWND hwnd) override;

    static void XdgSurfaceConfigure(void* data, xdg_surface* surface, uint32_t serial);
    static void ToplevelConfigure(void* data, xdg_toplevel* toplevel, int32_t width, int32_t height, struct wl_array* states);
    static void ToplevelClose(void* data, xdg_toplevel* toplevel);
    static void LayerConfigure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width, uint32_t height);
    static void LayerClosed(void* data, zwlr_layer_surface_v1* layer);
    static void BlankReleased(void* data, wl_buffer* buffer);

    std::shared_ptr<WaylandConnection> m_connection;
    std::unique_ptr<WaylandSeat> m_seat;
    PosixMessagePump* m_pump = nullptr;
    std::map<HWND, std::unique_ptr<Window>> m_windows;
    std::map<uint32_t, HWND> m_outputs; // registry name -> handle, for outputs described
    uintptr_t m_nextHandle = 0x100;
    HWND m_outputWatcher = nullptr;
    bool m_reading = false; // a read of the connection is prepared for the wait
    bool m_lost = false;
};
