#include "platform/d3drm/window_presenter.h"

#include "platform/d3drm/memory_presenter.h"

#include <atomic>

namespace swr {
namespace {
std::atomic<X11PresenterMaker> g_x11Maker{nullptr};
std::atomic<Win32PresenterMaker> g_win32Maker{nullptr};
}

void SetX11PresenterMaker(X11PresenterMaker maker) {
    g_x11Maker.store(maker);
}

void SetWin32PresenterMaker(Win32PresenterMaker maker) {
    g_win32Maker.store(maker);
}

std::unique_ptr<Presenter> CreateWindowPresenter(const SurfaceTarget& target) {
    switch (target.kind) {
    case WindowSurface::Kind::Memory:
        return std::make_unique<MemoryPresenter>();
    case WindowSurface::Kind::X11:
        if (X11PresenterMaker maker = g_x11Maker.load())
            return maker(target.displayName.empty() ? nullptr : target.displayName.c_str(),
                         target.xid);
        return nullptr;
    case WindowSurface::Kind::Win32:
        if (Win32PresenterMaker maker = g_win32Maker.load()) return maker(target.hwnd);
        return nullptr;
    case WindowSurface::Kind::Unknown:
        break;
    }
    return nullptr;
}

} // namespace swr
