#include "platform/null/connect_null.h"

#include "platform/display/no_display_backend.h"
#include "platform/null/headless_display_backend.h"
#include "platform/null/null_window_backend.h"
#ifdef _WIN32
#include "platform/null/portable_message_pump.h"
#else
#include "platform/posix/posix_message_pump.h"
#endif

namespace {
Platform Connect(std::shared_ptr<WindowBackend> windows, std::shared_ptr<DisplayBackend> display) {
    Platform p;
#ifdef _WIN32
    p.pump = std::make_shared<PortableMessagePump>();
#else
    p.pump = std::make_shared<PosixMessagePump>();
#endif
    p.windows = std::move(windows);
    p.display = std::move(display);
    return p;
}
} // namespace

Platform ConnectNull() {
    return Connect(std::make_shared<NullWindowBackend>(), std::make_shared<NoDisplayBackend>());
}

Platform ConnectNull(int screenWidth, int screenHeight) {
    return Connect(std::make_shared<NullWindowBackend>(screenWidth, screenHeight),
                   std::make_shared<HeadlessDisplayBackend>(static_cast<DWORD>(screenWidth),
                                                            static_cast<DWORD>(screenHeight)));
}
