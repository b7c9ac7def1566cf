// Presenters for window surfaces: memory surfaces get a memory presenter, window-system surfaces
// the installed platform's presenter factory (platform/platform.h).
#pragma once

#include "platform/afx/window_backend.h"
#include "platform/swr/presenter.h"

#include <memory>
#include <string>

namespace swr {

// A window surface as a device keeps it: the display name copied, since the backend's string
// need not outlive the call that gave it.
struct SurfaceTarget {
    WindowSurface::Kind kind = WindowSurface::Kind::Unknown;
    std::string displayName;
    unsigned long xid = 0;
    HWND hwnd = nullptr;
    // Wayland: what a wl_shm presenter or an EGL window surface is made from.
    wl_display* wlDisplay = nullptr;
    wl_surface* wlSurface = nullptr;
    wl_shm* wlShm = nullptr;
};

// A memory presenter for a memory surface; for any other the platform's presenter (null when the
// platform has no presenter factory or the window cannot be reached).
std::unique_ptr<Presenter> CreateWindowPresenter(const SurfaceTarget& target);

} // namespace swr
