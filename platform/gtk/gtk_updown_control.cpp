#include "platform/gtk/gtk_updown_control.h"

#include <string>

namespace {

GtkWidget* ArrowButton(const char* arrow) {
    GtkWidget* button = gtk_button_new_with_label(arrow);
    gtk_widget_set_can_focus(button, FALSE);
    gtk_style_context_add_class(gtk_widget_get_style_context(button), "updown");
    return button;
}

} // namespace

UpDownControl::UpDownControl(const DLGITEMDATA& item, DialogEvents& events, GtkControl* buddy)
    : GtkControl(item, events), m_buddy((item.style & UDS_AUTOBUDDY) ? buddy : nullptr) {
    Own(gtk_box_new(GTK_ORIENTATION_VERTICAL, 0));
    gtk_box_set_homogeneous(GTK_BOX(m_widget), TRUE);
    GtkWidget* up = ArrowButton("▲");
    GtkWidget* down = ArrowButton("▼");
    gtk_box_pack_start(GTK_BOX(m_widget), up, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(m_widget), down, TRUE, TRUE, 0);
    g_signal_connect(up, "clicked", G_CALLBACK(OnUp), this);
    g_signal_connect(down, "clicked", G_CALLBACK(OnDown), this);
    if (m_buddy && (item.style & UDS_ARROWKEYS))
        g_signal_connect(m_buddy->Widget(), "key-press-event", G_CALLBACK(OnBuddyKey), this);
}

LRESULT UpDownControl::Message(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case UDM_SETRANGE:
        m_range = {static_cast<short>(HIWORD(static_cast<uintptr_t>(lParam))),
                   static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam)))};
        return 0;
    case UDM_GETRANGE:
        return MAKELPARAM(static_cast<WORD>(m_range.upper), static_cast<WORD>(m_range.lower));
    case UDM_SETPOS: {
        int old = m_pos;
        m_pos = static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam)));
        if (m_buddy && (m_item.style & UDS_SETBUDDYINT)) m_buddy->SetText(std::to_string(m_pos).c_str());
        return old;
    }
    case UDM_GETPOS: return m_pos;
    default: return 0;
    }
}

void UpDownControl::Step(bool up) {
    std::string text = m_buddy && (m_item.style & UDS_SETBUDDYINT) ? m_buddy->GetText() : std::string();
    m_pos = UpDownStep(text.c_str(), m_pos, m_range, up);
    if (m_buddy && (m_item.style & UDS_SETBUDDYINT)) m_buddy->SetText(std::to_string(m_pos).c_str());
}

void UpDownControl::OnUp(GtkButton*, gpointer self) { static_cast<UpDownControl*>(self)->Step(true); }

void UpDownControl::OnDown(GtkButton*, gpointer self) { static_cast<UpDownControl*>(self)->Step(false); }

gboolean UpDownControl::OnBuddyKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    switch (event->keyval) {
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up: static_cast<UpDownControl*>(self)->Step(true); return TRUE;
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down: static_cast<UpDownControl*>(self)->Step(false); return TRUE;
    default: return FALSE;
    }
}
