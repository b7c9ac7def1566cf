// The program's entry on X11: windows and frames go to the X server named by $DISPLAY,
// dialogs to GTK.
#include "platform/afx/app.h"
#include "platform/afx/x11_window_backend.h"
#include "platform/d3drm/x11_presenter.h"
#include "platform/gtk/gtk_dialog_backend.h"

int main(int argc, char** argv) {
    AfxSetWindowBackend(std::make_unique<X11WindowBackend>());
    swr::InstallX11Presenters();
    AfxSetDialogBackend(CreateGtkDialogBackend());
    return AfxWinMain(argc, argv);
}
