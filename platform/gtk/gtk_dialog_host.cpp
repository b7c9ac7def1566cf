#include "platform/gtk/gtk_dialog_host.h"

#include "platform/gtk/gtk_dialog_frame.h"
#include "platform/gtk/gtk_modal_stack.h"
#include "platform/gtk/gtk_updown_control.h"

#include <functional>

namespace {

struct PixelRect {
    int x, y, width, height;
};

PixelRect ToPixels(const DLGITEMDATA& item, const DialogUnits& units) {
    return {units.X(item.x), units.Y(item.y), units.X(item.cx), units.Y(item.cy)};
}

// The look of the classic controls at the template's sizes: no padding or minimum sizes that
// would make a control larger than its rectangle.
std::string DialogCss(const std::string& fontClass, const DLGTEMPLATEDATA& dialog) {
    std::string font = "font-family: \"" + std::string(dialog.fontName) + "\"; font-size: " +
                       std::to_string(dialog.pointSize) + "pt;";
    std::string fontScope = "." + fontClass;
    // Only the template's own window: a message box with this font keeps its buttons as they are.
    std::string scope = "window" + fontScope;
    return fontScope + ", " + fontScope + " * { " + font + " }\n" +
           scope + " entry { min-height: 0; min-width: 0; padding: 0 3px; }\n" +
           scope + " button { min-height: 0; min-width: 0; padding: 0 4px; }\n" +
           scope + " button.updown { padding: 0; font-size: 5pt; border-radius: 0; }\n" +
           scope + " combobox button { padding: 0 4px; }\n" +
           scope + " scale { min-height: 0; padding: 0 6px; }\n" +
           scope + " scale slider { min-width: 10px; min-height: 16px; margin: -7px 0; }\n" +
           scope + " scale marks.bottom { margin-top: 1px; }\n" +
           scope + " checkbutton, " + scope + " radiobutton { min-height: 0; padding: 0; }\n" +
           scope + " check, " + scope + " radio { min-width: 12px; min-height: 12px; margin: 0 4px 0 0; }\n";
}

// One style provider per template font, shared by every window of the screen.
void AddDialogStyle(const std::string& fontClass, const DLGTEMPLATEDATA& dialog) {
    static std::map<std::string, GtkCssProvider*> providers;
    if (providers.count(fontClass)) return;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, DialogCss(fontClass, dialog).c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    providers[fontClass] = provider;
}

} // namespace

GtkDialogHost::GtkDialogHost(const DLGTEMPLATEDATA& dialog, GtkDialogHost* owner, DialogEvents& events,
                             GtkModalStack& modals)
    : m_template(dialog), m_owner(owner), m_events(events), m_modals(modals) {
    m_fontClass = "dlgfont-" + std::to_string(std::hash<std::string>()(dialog.fontName)) + "-" +
                  std::to_string(dialog.pointSize);
    AddDialogStyle(m_fontClass, dialog);

    m_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g_object_ref_sink(m_window);
    GtkWindow* window = GTK_WINDOW(m_window);
    gtk_window_set_title(window, dialog.caption);
    UseDialogFrame(window);
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_window_set_modal(window, TRUE);
    if (owner) gtk_window_set_transient_for(window, owner->Window());
    gtk_style_context_add_class(gtk_widget_get_style_context(m_window), m_fontClass.c_str());
    g_signal_connect(m_window, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(m_window, "key-press-event", G_CALLBACK(OnKeyPress), this);

    const DialogUnits units = MeasureDialogUnits(dialog.fontName, dialog.pointSize);
    GtkWidget* fixed = gtk_fixed_new();
    gtk_widget_set_size_request(fixed, units.X(dialog.cx), units.Y(dialog.cy));
    gtk_container_add(GTK_CONTAINER(m_window), fixed);
    BuildControls();
    PlaceControls(GTK_FIXED(fixed), units);
}

GtkDialogHost::~GtkDialogHost() {
    gtk_widget_destroy(m_window);
    m_controls.clear();
    g_object_unref(m_window);
    if (m_loop) g_main_loop_unref(m_loop);
}

void GtkDialogHost::BuildControls() {
    for (size_t i = 0; i < m_template.itemCount; ++i) {
        const DLGITEMDATA& item = m_template.items[i];
        GtkControl* previous = m_controls.empty() ? nullptr : m_controls.back().get();
        RadioGroup* group = &m_radioGroups[m_template.GroupStart(i)];
        m_controls.push_back(CreateGtkControl(item, m_events, previous, group));
    }
}

void GtkDialogHost::PlaceControls(GtkFixed* fixed, const DialogUnits& units) {
    std::vector<PixelRect> rects;
    for (const auto& control : m_controls) rects.push_back(ToPixels(control->Item(), units));
    for (size_t i = 0; i < m_controls.size(); ++i) {
        auto* updown = dynamic_cast<UpDownControl*>(m_controls[i].get());
        if (!updown || !updown->Buddy() || !(updown->Item().style & UDS_ALIGNRIGHT) || i == 0) continue;
        // The arrows sit inside the right edge of their box, which gives up that much width.
        PixelRect& buddy = rects[i - 1];
        rects[i] = {buddy.x + buddy.width - rects[i].width, buddy.y, rects[i].width, buddy.height};
        buddy.width -= rects[i].width;
    }
    GList* chain = nullptr;
    GtkWidget* defaultButton = nullptr;
    for (size_t i = 0; i < m_controls.size(); ++i) {
        GtkWidget* widget = m_controls[i]->Widget();
        const DLGITEMDATA& item = m_controls[i]->Item();
        int height = rects[i].height;
        // A drop-down list's rectangle includes its opened list; the closed box is one line.
        if (item.kind == DlgItemClass::ComboBox) height = units.Y(12);
        gtk_widget_set_size_request(widget, rects[i].width, height);
        gtk_fixed_put(fixed, widget, rects[i].x, rects[i].y);
        if (gtk_widget_get_can_focus(widget) || GTK_IS_COMBO_BOX(widget)) chain = g_list_append(chain, widget);
        if (item.kind == DlgItemClass::Button && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            defaultButton = widget;
    }
    // Tab follows the template's order.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_container_set_focus_chain(GTK_CONTAINER(fixed), chain);
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_list_free(chain);
    if (defaultButton) gtk_window_set_default(Window(), defaultButton);
}

GtkControl* GtkDialogHost::Find(int id) const {
    if (id == IDC_STATIC) return nullptr;
    for (const auto& control : m_controls)
        if (control->Item().id == id) return control.get();
    return nullptr;
}

void GtkDialogHost::CenterOnOwner() {
    gtk_window_set_position(Window(), m_owner ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
}

void GtkDialogHost::RunModalLoop() {
    gtk_widget_show_all(m_window);
    if (!m_loop) m_loop = g_main_loop_new(nullptr, FALSE);
    m_modals.PushDialog(this);
    g_main_loop_run(m_loop);
    m_modals.Pop();
    gtk_widget_hide(m_window);
}

void GtkDialogHost::EndModalLoop() {
    if (m_loop) g_main_loop_quit(m_loop);
}

LRESULT GtkDialogHost::SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    GtkControl* control = Find(id);
    return control ? control->Message(message, wParam, lParam) : 0;
}

void GtkDialogHost::SetItemText(int id, const char* text) {
    if (GtkControl* control = Find(id)) control->SetText(text);
}

std::string GtkDialogHost::GetItemText(int id) {
    GtkControl* control = Find(id);
    return control ? control->GetText() : std::string();
}

void GtkDialogHost::SetFocus(int id) {
    if (GtkControl* control = Find(id)) gtk_widget_grab_focus(control->Widget());
}

gboolean GtkDialogHost::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<GtkDialogHost*>(self)->m_events.OnCloseRequest();
    return TRUE; // the dialog decides when its window goes
}

gboolean GtkDialogHost::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
    if (event->keyval != GDK_KEY_Escape) return FALSE;
    static_cast<GtkDialogHost*>(self)->m_events.OnItemCommand(IDCANCEL, BN_CLICKED);
    return TRUE;
}
