#include "platform/d3drm/window_presenter.h"

#include "platform/platform.h"
#include "platform/swr/memory_presenter.h"

namespace swr {

std::unique_ptr<Presenter> CreateWindowPresenter(const SurfaceTarget& target) {
    switch (target.kind) {
    case WindowSurface::Kind::Memory:
        return std::make_unique<MemoryPresenter>();
    case WindowSurface::Kind::X11:
    case WindowSurface::Kind::Win32:
    case WindowSurface::Kind::Wayland:
        if (PresenterFactory factory = ThePlatform().presenters) return factory(target);
        return nullptr;
    case WindowSurface::Kind::Unknown:
        break;
    }
    return nullptr;
}

} // namespace swr
