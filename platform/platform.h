// The operating system under the framework: every service the system reaches, chosen once per
// process. Each platform folder fills the record with one connect function (ConnectX11,
// ConnectWin32, ConnectNull) and the program's entry point installs it before anything else
// runs. The services are only declared here, so this header depends on no layer.
#pragma once

#include <memory>

class WindowBackend;  // platform/afx/window_backend.h
class DialogBackend;  // platform/afx/dialog_host.h
class DisplayBackend; // platform/display/display_backend.h
class MessagePump;    // platform/afx/msgqueue.h
namespace swr {
class Presenter;      // platform/swr/presenter.h
struct SurfaceTarget; // platform/d3drm/window_presenter.h
} // namespace swr
namespace gl {
class Backend; // platform/gl/gl_surface.h
} // namespace gl

// Makes the presenter for a window surface; null when the window cannot be reached.
using PresenterFactory = std::unique_ptr<swr::Presenter> (*)(const swr::SurfaceTarget& target);

struct Platform {
    std::shared_ptr<WindowBackend> windows;
    // Null on a platform without dialogs: DoModal and AfxMessageBox then fail with -1.
    std::shared_ptr<DialogBackend> dialogs;
    std::shared_ptr<DisplayBackend> display;
    // The UI thread's wait for input, posted messages and timers.
    std::shared_ptr<MessagePump> pump;
    // Presenters for window surfaces; null when no window can be presented to.
    PresenterFactory presenters = nullptr;
    // OpenGL contexts for the hardware device; null where the platform has none.
    std::shared_ptr<gl::Backend> gl;
};

// Installs the platform for the rest of the process; kept until the process ends (objects
// destroyed at exit may still restore the display through it).
void InstallPlatform(Platform platform);
bool IsPlatformInstalled();
// The installed platform. Calling it before InstallPlatform is a programming error: the process
// stops with a message.
Platform& ThePlatform();
// Stops the process: the service is used but the installed platform has none.
[[noreturn]] void PlatformServiceMissing(const char* service);
