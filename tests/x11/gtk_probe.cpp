// A GTK module for the dialog tests (loaded through GTK_MODULES): whenever a top-level window
// appears it appends the window's title and every control's kind, name, text and rectangle in
// screen pixels to the file named by QUORVEL_PROBE_FILE. The program knows nothing of it.
#include <cstdio>
#include <gtk/gtk.h>
#include <string>

namespace {

std::string TextOf(GtkWidget* widget) {
    const char* text = nullptr;
    if (GTK_IS_LABEL(widget)) text = gtk_label_get_text(GTK_LABEL(widget));
    else if (GTK_IS_ENTRY(widget)) text = gtk_entry_get_text(GTK_ENTRY(widget));
    else if (GTK_IS_FRAME(widget)) text = gtk_frame_get_label(GTK_FRAME(widget));
    else if (GTK_IS_BUTTON(widget)) text = gtk_button_get_label(GTK_BUTTON(widget));
    return text ? text : "";
}

void DumpWidget(GtkWidget* widget, gpointer file) {
    GtkWidget* top = gtk_widget_get_toplevel(widget);
    int x = 0, y = 0, ox = 0, oy = 0;
    gtk_widget_translate_coordinates(widget, top, 0, 0, &x, &y);
    if (GdkWindow* window = gtk_widget_get_window(top)) gdk_window_get_origin(window, &ox, &oy);
    GtkAllocation a;
    gtk_widget_get_allocation(widget, &a);
    std::fprintf(static_cast<FILE*>(file), "%s\t%s\t%s\t%d\t%d\t%d\t%d\n", G_OBJECT_TYPE_NAME(widget),
                 gtk_widget_get_name(widget), TextOf(widget).c_str(), ox + x, oy + y, a.width, a.height);
    if (GTK_IS_CONTAINER(widget)) gtk_container_forall(GTK_CONTAINER(widget), DumpWidget, file);
}

gboolean DumpWindow(gpointer data) {
    GtkWidget* window = GTK_WIDGET(data);
    const char* path = g_getenv("QUORVEL_PROBE_FILE");
    if (path && gtk_widget_get_mapped(window)) {
        if (FILE* file = std::fopen(path, "a")) {
            const char* title = gtk_window_get_title(GTK_WINDOW(window));
            std::fprintf(file, "window\t%s\n", title ? title : "");
            gtk_container_forall(GTK_CONTAINER(window), DumpWidget, file);
            std::fprintf(file, "end\t%s\n", title ? title : "");
            std::fclose(file);
        }
    }
    g_object_unref(window);
    return G_SOURCE_REMOVE;
}

gboolean OnMap(GSignalInvocationHint*, guint, const GValue* params, gpointer) {
    GtkWidget* widget = GTK_WIDGET(g_value_get_object(&params[0]));
    if (GTK_IS_WINDOW(widget) && gtk_widget_is_toplevel(widget))
        g_timeout_add(300, DumpWindow, g_object_ref(widget));
    return TRUE;
}

} // namespace

extern "C" G_MODULE_EXPORT void gtk_module_init(gint*, gchar***) {
    g_type_class_ref(GTK_TYPE_WIDGET); // its signals exist once the class does
    g_signal_add_emission_hook(g_signal_lookup("map", GTK_TYPE_WIDGET), 0, OnMap, nullptr, nullptr);
}
