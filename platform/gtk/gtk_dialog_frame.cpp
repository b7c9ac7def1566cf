#include "platform/gtk/gtk_dialog_frame.h"

namespace {

// A modal frame has no minimise or maximise box. The hints live on the X window, which exists
// only once the widget is realized.
void AskForModalFrame(GtkWidget* widget, gpointer) {
    GdkWindow* window = gtk_widget_get_window(widget);
    gdk_window_set_functions(window, static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_CLOSE));
    gdk_window_set_decorations(window,
                               static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU));
}

} // namespace

void UseDialogFrame(GtkWindow* window) {
    // Fixed to the size its contents ask for: the window manager then has no smaller size to pick.
    gtk_window_set_resizable(window, FALSE);
    g_signal_connect(window, "realize", G_CALLBACK(AskForModalFrame), nullptr);
}
