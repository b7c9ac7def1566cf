#include "platform/gtk/gtk_modal_stack.h"

#include "platform/posix/close_signals.h"
#include "platform/gtk/gtk_dialog_host.h"

#include <glib-unix.h>

GtkModalStack::GtkModalStack() {
    int fd = AfxCloseSignalFd();
    if (fd >= 0) m_watch = g_unix_fd_add(fd, G_IO_IN, OnCloseSignal, this);
}

GtkModalStack::~GtkModalStack() {
    if (m_watch) g_source_remove(m_watch);
}

gboolean GtkModalStack::OnCloseSignal(gint, GIOCondition, gpointer self) {
    auto* stack = static_cast<GtkModalStack*>(self);
    AfxHandleCloseSignals();
    std::vector<Entry> entries = stack->m_entries;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (it->box)
            gtk_dialog_response(it->box, GTK_RESPONSE_DELETE_EVENT);
        else
            it->host->RequestClose();
    }
    return G_SOURCE_CONTINUE;
}
