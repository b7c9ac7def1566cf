// Presents frames in a Wayland surface through wl_shm buffers.
#pragma once

#include "platform/swr/presenter.h"

#include <memory>

struct wl_display;
struct wl_surface;
struct wl_shm;

namespace swr {

// Two buffers, a third only when the compositor still holds both when a frame is ready. A
// compositor may read the buffer it was given until a newer one has replaced it (the software
// renderers of wlroots and weston do), so the frame is drawn in the frame buffer's own memory
// and each present copies into a released buffer only what changed since that buffer was last
// brought up to date (a memcpy per row: XRGB8888 is the frame buffer's layout), then commits it
// with the damage in buffer pixels at the surface's buffer scale. The buffers and their release
// events live on an event queue of the presenter's own, read on whichever thread presents (the
// UI thread reads the connection at the same time through libwayland's prepare/read protocol).
class WaylandPresenter : public Presenter {
public:
    // shm: the connection's wl_shm. Null when the connection has failed.
    static std::unique_ptr<WaylandPresenter> Create(wl_display* display, wl_surface* surface, wl_shm* shm);
    ~WaylandPresenter() override;

    bool Present(const FrameBuffer& frame, RECT damage) override;
    // The compositor keeps what was committed: true once a frame was presented.
    bool Repaint() override;
    // Null: the compositor may be reading the buffers (see above).
    uint32_t* Surface(int width, int height) override;

private:
    struct State;
    explicit WaylandPresenter(std::unique_ptr<State> state);

    std::unique_ptr<State> m_state;
};

struct SurfaceTarget;

// The Wayland platform's presenter factory: a WaylandPresenter for a Wayland surface, null
// otherwise.
std::unique_ptr<Presenter> MakeWaylandPresenter(const SurfaceTarget& target);

} // namespace swr
