// The program's entry on X11: windows go to the X server named by $DISPLAY.
#include "platform/afx/app.h"
#include "platform/afx/x11_window_backend.h"

int main(int argc, char** argv) {
    AfxSetWindowBackend(std::make_unique<X11WindowBackend>());
    return AfxWinMain(argc, argv);
}
