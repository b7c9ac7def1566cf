// Frames shown in a window with GDI, from the render thread.
#pragma once

#include "platform/swr/presenter.h"

#include <memory>

namespace swr {

struct SurfaceTarget;

std::unique_ptr<Presenter> CreateGdiPresenter(HWND window);
// The Win32 platform's presenter factory: a GDI presenter for a Win32 surface, null otherwise.
std::unique_ptr<Presenter> MakeWin32Presenter(const SurfaceTarget& target);

} // namespace swr
