// The frame a window manager gives the framework's dialogs and message boxes: a title bar with a
// close button only, and the window's own size, which the user cannot change.
#pragma once

#include <gtk/gtk.h>

// Call before the window is shown.
void UseDialogFrame(GtkWindow* window);
