#include "platform/gtk/gtk_controls.h"

#include "platform/gtk/gtk_combo_control.h"
#include "platform/gtk/gtk_trackbar_control.h"
#include "platform/gtk/gtk_updown_control.h"
#include "platform/afx/resources.h"

namespace {

class ButtonText : public GtkControl {
public:
    using GtkControl::GtkControl;
    void SetText(const char* text) override { gtk_button_set_label(GTK_BUTTON(m_widget), text); }
    std::string GetText() const override {
        const char* text = gtk_button_get_label(GTK_BUTTON(m_widget));
        return text ? text : "";
    }

protected:
    void NotifyClicks() { g_signal_connect(m_widget, "clicked", G_CALLBACK(OnClicked), this); }
    virtual bool ReportsClick() const { return true; }

private:
    static void OnClicked(GtkButton*, gpointer self) {
        auto* control = static_cast<ButtonText*>(self);
        if (!control->m_quiet && control->ReportsClick())
            control->m_events.OnItemCommand(control->m_item.id, BN_CLICKED);
    }
};

class PushButton : public ButtonText {
public:
    PushButton(const DLGITEMDATA& item, DialogEvents& events) : ButtonText(item, events) {
        Own(gtk_button_new_with_label(item.text));
        gtk_widget_set_can_default(m_widget, TRUE);
        NotifyClicks();
    }
};

class CheckBox : public ButtonText {
public:
    CheckBox(const DLGITEMDATA& item, DialogEvents& events) : ButtonText(item, events) {
        Own(gtk_check_button_new_with_label(item.text));
        NotifyClicks();
    }
    LRESULT Message(UINT message, WPARAM wParam, LPARAM) override {
        GtkToggleButton* toggle = GTK_TOGGLE_BUTTON(m_widget);
        if (message == BM_GETCHECK) return gtk_toggle_button_get_active(toggle) ? BST_CHECKED : BST_UNCHECKED;
        if (message == BM_SETCHECK) {
            m_quiet = true;
            gtk_toggle_button_set_active(toggle, wParam == BST_CHECKED);
            m_quiet = false;
        }
        return 0;
    }
};

class RadioButton : public ButtonText {
public:
    RadioButton(const DLGITEMDATA& item, DialogEvents& events, RadioGroup& group)
        : ButtonText(item, events), m_group(group) {
        if (!group.none) {
            group.none = gtk_radio_button_new(nullptr);
            g_object_ref_sink(group.none);
            m_ownsNone = true;
        }
        Own(gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(group.none), item.text));
        NotifyClicks();
    }
    ~RadioButton() override {
        if (m_ownsNone) g_object_unref(m_group.none);
    }
    LRESULT Message(UINT message, WPARAM wParam, LPARAM) override {
        GtkToggleButton* toggle = GTK_TOGGLE_BUTTON(m_widget);
        if (message == BM_GETCHECK) return gtk_toggle_button_get_active(toggle) ? BST_CHECKED : BST_UNCHECKED;
        if (message == BM_SETCHECK) {
            m_quiet = true;
            if (wParam == BST_CHECKED)
                gtk_toggle_button_set_active(toggle, TRUE);
            else if (gtk_toggle_button_get_active(toggle))
                gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(m_group.none), TRUE);
            m_quiet = false;
        }
        return 0;
    }

protected:
    // Leaving a choice also emits "clicked"; only the choice taken is a click.
    bool ReportsClick() const override { return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(m_widget)); }

private:
    RadioGroup& m_group;
    bool m_ownsNone = false;
};

class GroupBox : public GtkControl {
public:
    GroupBox(const DLGITEMDATA& item, DialogEvents& events) : GtkControl(item, events) {
        Own(gtk_frame_new(item.text));
    }
    void SetText(const char* text) override { gtk_frame_set_label(GTK_FRAME(m_widget), text); }
    std::string GetText() const override {
        const char* text = gtk_frame_get_label(GTK_FRAME(m_widget));
        return text ? text : "";
    }
};

class Label : public GtkControl {
public:
    Label(const DLGITEMDATA& item, DialogEvents& events) : GtkControl(item, events) {
        Own(gtk_label_new(item.text));
        DWORD type = item.style & SS_TYPEMASK;
        gtk_label_set_xalign(GTK_LABEL(m_widget), type == SS_RIGHT ? 1.0f : type == SS_CENTER ? 0.5f : 0.0f);
        gtk_label_set_yalign(GTK_LABEL(m_widget), 0.0f);
        gtk_label_set_justify(GTK_LABEL(m_widget), type == SS_RIGHT    ? GTK_JUSTIFY_RIGHT
                                                   : type == SS_CENTER ? GTK_JUSTIFY_CENTER
                                                                       : GTK_JUSTIFY_LEFT);
    }
    void SetText(const char* text) override { gtk_label_set_text(GTK_LABEL(m_widget), text); }
    std::string GetText() const override { return gtk_label_get_text(GTK_LABEL(m_widget)); }
};

// Shows the bitmap resource the template names, when the program carries it.
class Picture : public GtkControl {
public:
    Picture(const DLGITEMDATA& item, DialogEvents& events) : GtkControl(item, events) {
        Own(gtk_image_new());
        gtk_widget_set_halign(m_widget, GTK_ALIGN_START);
        gtk_widget_set_valign(m_widget, GTK_ALIGN_START);
        if (const AfxBitmapResource* bitmap = AfxFindBitmap(item.imageId)) {
            GdkPixbuf* pixbuf = PixbufFromBitmap(*bitmap);
            gtk_image_set_from_pixbuf(GTK_IMAGE(m_widget), pixbuf);
            g_object_unref(pixbuf);
        }
    }

private:
    static GdkPixbuf* PixbufFromBitmap(const AfxBitmapResource& bitmap) {
        GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, bitmap.width, bitmap.height);
        guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
        const int stride = gdk_pixbuf_get_rowstride(pixbuf);
        for (int y = 0; y < bitmap.height; ++y) {
            for (int x = 0; x < bitmap.width; ++x) {
                uint8_t index = bitmap.pixels[y * bitmap.width + x];
                uint32_t rgb = index < bitmap.paletteSize ? bitmap.palette[index] : 0;
                guchar* p = pixels + y * stride + x * 3;
                p[0] = static_cast<guchar>(rgb >> 16);
                p[1] = static_cast<guchar>(rgb >> 8);
                p[2] = static_cast<guchar>(rgb);
            }
        }
        return pixbuf;
    }
};

class EditBox : public GtkControl {
public:
    EditBox(const DLGITEMDATA& item, DialogEvents& events) : GtkControl(item, events) {
        Own(gtk_entry_new());
        gtk_entry_set_width_chars(GTK_ENTRY(m_widget), 1);
        gtk_entry_set_has_frame(GTK_ENTRY(m_widget), (item.style & WS_BORDER) != 0);
        gtk_entry_set_activates_default(GTK_ENTRY(m_widget), TRUE);
        gtk_entry_set_text(GTK_ENTRY(m_widget), item.text);
    }
    LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == EM_SETSEL)
            gtk_editable_select_region(GTK_EDITABLE(m_widget), static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    }
    void SetText(const char* text) override { gtk_entry_set_text(GTK_ENTRY(m_widget), text); }
    std::string GetText() const override { return gtk_entry_get_text(GTK_ENTRY(m_widget)); }
};

std::unique_ptr<GtkControl> CreateButton(const DLGITEMDATA& item, DialogEvents& events, RadioGroup* group) {
    switch (item.style & BS_TYPEMASK) {
    case BS_GROUPBOX: return std::make_unique<GroupBox>(item, events);
    case BS_AUTOCHECKBOX: return std::make_unique<CheckBox>(item, events);
    case BS_AUTORADIOBUTTON:
        if (group) return std::make_unique<RadioButton>(item, events, *group);
        return nullptr;
    default: return std::make_unique<PushButton>(item, events);
    }
}

} // namespace

GtkControl::~GtkControl() {
    if (m_widget) g_object_unref(m_widget);
}

void GtkControl::Own(GtkWidget* widget) {
    m_widget = widget;
    g_object_ref_sink(widget);
    if (m_item.id != IDC_STATIC) gtk_widget_set_name(widget, std::to_string(m_item.id).c_str());
}

std::unique_ptr<GtkControl> CreateGtkControl(const DLGITEMDATA& item, DialogEvents& events,
                                             GtkControl* previous, RadioGroup* group) {
    switch (item.kind) {
    case DlgItemClass::Button: return CreateButton(item, events, group);
    case DlgItemClass::Edit: return std::make_unique<EditBox>(item, events);
    case DlgItemClass::Static:
        if ((item.style & SS_TYPEMASK) == SS_BITMAP) return std::make_unique<Picture>(item, events);
        return std::make_unique<Label>(item, events);
    case DlgItemClass::ComboBox: return std::make_unique<ComboControl>(item, events);
    case DlgItemClass::UpDown: return std::make_unique<UpDownControl>(item, events, previous);
    case DlgItemClass::Trackbar: return std::make_unique<TrackbarControl>(item, events);
    }
    return nullptr;
}
