// The frame the framework's dialogs and message boxes ask of the window manager: a title bar with
// a close button only, around the window's own size, which the user cannot change.
#pragma once

#include <gtk/gtk.h>

// Call before the window is shown.
void UseDialogFrame(GtkWindow* window);
