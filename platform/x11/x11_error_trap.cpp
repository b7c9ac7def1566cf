#include "platform/x11/x11_error_trap.h"

#include <map>
#include <mutex>
#include <unistd.h>

namespace {

// Serial of the last failed request, per connection (the render thread has its own).
std::mutex g_mutex;
std::map<Display*, unsigned long> g_lastError;

int OnError(Display* display, XErrorEvent* event) {
    std::lock_guard lock(g_mutex);
    g_lastError[display] = event->serial;
    return 0;
}

int OnIOError(Display*) {
    // The server is gone: nothing can be shown or restored any more.
    _exit(1);
}

} // namespace

void X11InstallErrorHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        XSetErrorHandler(OnError);
        XSetIOErrorHandler(OnIOError);
    });
}

X11ErrorTrap::X11ErrorTrap(Display* display)
    : m_display(display), m_firstSerial(NextRequest(display)) {
    X11InstallErrorHandlers();
    // An older record is not this trap's business, and may even be of a closed connection
    // whose address the new one reuses.
    std::lock_guard lock(g_mutex);
    g_lastError.erase(display);
}

bool X11ErrorTrap::Ok() {
    XSync(m_display, False);
    std::lock_guard lock(g_mutex);
    auto it = g_lastError.find(m_display);
    bool failed = it != g_lastError.end() && it->second >= m_firstSerial;
    if (failed) g_lastError.erase(it);
    return !failed;
}
