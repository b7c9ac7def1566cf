// Presenters for window surfaces. The layer itself links no window system: the X11 presenter
// registers its maker here (swr::InstallX11Presenters, library d3drm_x11).
#pragma once

#include "platform/afx/window_backend.h"
#include "platform/d3drm/presenter.h"

#include <memory>
#include <string>

namespace swr {

using X11PresenterMaker = std::unique_ptr<Presenter> (*)(const char* displayName,
                                                         unsigned long window);

void SetX11PresenterMaker(X11PresenterMaker maker);

// Win32 windows: the GDI presenter registers itself (platform/win32).
using Win32PresenterMaker = std::unique_ptr<Presenter> (*)(HWND window);
void SetWin32PresenterMaker(Win32PresenterMaker maker);

// A window surface as a device keeps it: the display name copied, since the backend's string
// need not outlive the call that gave it.
struct SurfaceTarget {
    WindowSurface::Kind kind = WindowSurface::Kind::Unknown;
    std::string displayName;
    unsigned long xid = 0;
    HWND hwnd = nullptr;
};

// A memory presenter for a memory surface; for an X11 surface the registered maker's presenter
// (null when none is registered or the window cannot be reached); null for anything else.
std::unique_ptr<Presenter> CreateWindowPresenter(const SurfaceTarget& target);

} // namespace swr
