#include "platform/display/x_error_trap.h"

namespace {

// Xlib's error handler is one per process; these are only touched with the trap installed,
// under the display layer's lock.
Display* g_trapped = nullptr;
XErrorHandler g_previous = nullptr;
bool g_failed = false;

int RecordError(Display* display, XErrorEvent* event) {
    if (display == g_trapped) {
        g_failed = true;
        return 0;
    }
    return g_previous ? g_previous(display, event) : 0;
}

} // namespace

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);  // errors of earlier requests are not ours to catch
    g_trapped = display_;
    g_failed = false;
    previous_ = XSetErrorHandler(RecordError);
    g_previous = previous_;
}

XErrorTrap::~XErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
    g_trapped = nullptr;
    g_previous = nullptr;
}

bool XErrorTrap::Failed() {
    XSync(display_, False);
    bool failed = g_failed;
    g_failed = false;
    return failed;
}
