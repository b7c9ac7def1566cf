// X errors never end the program: a process-wide handler records them, and a trap collects the
// errors of the requests made while it is alive (traps of one connection do not nest). One
// handler serves every connection, the render thread's included. A lost server connection ends
// the program.
#pragma once

#include <X11/Xlib.h>

// Installs the process-wide handlers (idempotent).
void X11InstallErrorHandlers();

class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    // Waits for the server to answer the requests made so far; TRUE when none of them failed.
    bool Ok();

private:
    Display* m_display;
    unsigned long m_firstSerial;
};
