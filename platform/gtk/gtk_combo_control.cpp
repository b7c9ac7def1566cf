#include "platform/gtk/gtk_combo_control.h"

ComboControl::ComboControl(const DLGITEMDATA& item, DialogEvents& events) : GtkControl(item, events) {
    Own(gtk_combo_box_text_new());
}

LRESULT ComboControl::Message(UINT message, WPARAM wParam, LPARAM lParam) {
    GtkComboBox* combo = GTK_COMBO_BOX(m_widget);
    switch (message) {
    case CB_RESETCONTENT:
        gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(combo));
        m_count = 0;
        return 0;
    case CB_ADDSTRING:
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), reinterpret_cast<const char*>(lParam));
        return m_count++;
    case CB_GETCOUNT: return m_count;
    case CB_GETCURSEL: return gtk_combo_box_get_active(combo);
    case CB_SETCURSEL: {
        int index = static_cast<int>(wParam);
        if (index < 0 || index >= m_count) {
            gtk_combo_box_set_active(combo, -1);
            return CB_ERR;
        }
        gtk_combo_box_set_active(combo, index);
        return index;
    }
    default: return 0;
    }
}
