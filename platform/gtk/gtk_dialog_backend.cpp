#include "platform/gtk/gtk_dialog_backend.h"

#include "platform/gtk/dialog_font.h"
#include "platform/gtk/gtk_dialog_frame.h"
#include "platform/gtk/gtk_dialog_host.h"
#include "platform/gtk/gtk_modal_stack.h"

namespace {

// Message dialogs no longer show an icon for their type; the exclamation box needs its icon.
void ShowWarningIcon(GtkMessageDialog* box) {
    GtkWidget* image = gtk_image_new_from_icon_name("dialog-warning", GTK_ICON_SIZE_DIALOG);
    gtk_widget_set_name(image, "warning-icon");
    gtk_widget_set_valign(image, GTK_ALIGN_START);
    GtkWidget* row = gtk_widget_get_parent(gtk_message_dialog_get_message_area(box));
    gtk_box_pack_start(GTK_BOX(row), image, FALSE, FALSE, 0);
    gtk_box_reorder_child(GTK_BOX(row), image, 0);
    gtk_widget_show(image);
}

class GtkDialogBackend : public DialogBackend {
public:
    explicit GtkDialogBackend(const char* gdkBackend) : m_gdkBackend(gdkBackend) {}

    std::unique_ptr<DialogHost> CreateDialogHost(const DLGTEMPLATEDATA& dialog, DialogHost* owner,
                                                 DialogEvents& events) override {
        if (!Start()) return nullptr;
        return std::make_unique<GtkDialogHost>(dialog, static_cast<GtkDialogHost*>(owner), events, *m_modals);
    }

    int MessageBox(DialogHost* owner, const char* text, const char* caption, UINT type) override {
        if (!Start()) return IDOK;
        auto* parent = static_cast<GtkDialogHost*>(owner);
        GtkMessageType icon = (type & MB_ICONEXCLAMATION) == MB_ICONEXCLAMATION ? GTK_MESSAGE_WARNING : GTK_MESSAGE_OTHER;
        GtkWidget* box = gtk_message_dialog_new(parent ? parent->Window() : nullptr, GTK_DIALOG_MODAL, icon,
                                                GTK_BUTTONS_OK, "%s", text);
        gtk_window_set_title(GTK_WINDOW(box), caption);
        UseDialogFrame(GTK_WINDOW(box));
        if (icon == GTK_MESSAGE_WARNING) ShowWarningIcon(GTK_MESSAGE_DIALOG(box));
        gtk_window_set_position(GTK_WINDOW(box), parent ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
        if (parent)
            gtk_style_context_add_class(gtk_widget_get_style_context(box), parent->FontClass().c_str());
        m_modals->PushMessageBox(GTK_DIALOG(box));
        gtk_dialog_run(GTK_DIALOG(box));
        m_modals->Pop();
        gtk_widget_destroy(box);
        return IDOK;
    }

private:
    bool Start() {
        if (m_started) return m_modals != nullptr;
        m_started = true;
        InstallDialogFontAliases();
        gdk_set_allowed_backends(m_gdkBackend);
        if (!gtk_init_check(nullptr, nullptr)) return false;
        // A click beside the slider's thumb pages, as on the classic trackbar.
        g_object_set(gtk_settings_get_default(), "gtk-primary-button-warps-slider", FALSE, nullptr);
        m_modals = std::make_unique<GtkModalStack>();
        return true;
    }

    const char* m_gdkBackend;
    bool m_started = false;
    std::unique_ptr<GtkModalStack> m_modals;
};

} // namespace

std::unique_ptr<DialogBackend> CreateGtkDialogBackend(const char* gdkBackend) {
    return std::make_unique<GtkDialogBackend>(gdkBackend);
}
