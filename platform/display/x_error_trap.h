// Catches the X errors of one connection for a stretch of code. Xlib's default handler ends
// the process, so every request that the server may refuse runs inside one of these.
// Errors of other connections go on to the handler that was installed before.
#pragma once

#include <X11/Xlib.h>

class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server to process every request sent so far; true when one of them
    // failed since the trap was set or since the previous call.
    bool Failed();

private:
    Display* display_;
    XErrorHandler previous_;
};
