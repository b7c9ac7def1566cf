// Frames shown in a window with GDI, from the render thread.
#pragma once

#include "platform/d3drm/presenter.h"

#include <memory>

namespace swr {

std::unique_ptr<Presenter> CreateGdiPresenter(HWND window);
// Registers the GDI presenter for windows of the Win32 backend.
void InstallWin32Presenters();

} // namespace swr
