// The dialogs and message boxes running modally, innermost last. A close request for the program
// (SIGTERM, SIGINT, SIGHUP) cancels all of them, innermost first.
#pragma once

#include <gtk/gtk.h>
#include <vector>

class GtkDialogHost;

class GtkModalStack {
public:
    GtkModalStack();
    ~GtkModalStack();

    void PushDialog(GtkDialogHost* host) { m_entries.push_back({host, nullptr}); }
    void PushMessageBox(GtkDialog* box) { m_entries.push_back({nullptr, box}); }
    void Pop() { m_entries.pop_back(); }

private:
    struct Entry {
        GtkDialogHost* host;
        GtkDialog* box;
    };
    static gboolean OnCloseSignal(gint fd, GIOCondition, gpointer self);

    std::vector<Entry> m_entries;
    guint m_watch = 0;
};
