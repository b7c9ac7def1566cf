#include "platform/gtk/gtk_trackbar_control.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLineSize = 1;

UINT ScrollCode(GtkScrollType scroll) {
    switch (scroll) {
    case GTK_SCROLL_STEP_BACKWARD:
    case GTK_SCROLL_STEP_LEFT:
    case GTK_SCROLL_STEP_UP: return SB_LINEUP;
    case GTK_SCROLL_STEP_FORWARD:
    case GTK_SCROLL_STEP_RIGHT:
    case GTK_SCROLL_STEP_DOWN: return SB_LINEDOWN;
    case GTK_SCROLL_PAGE_BACKWARD:
    case GTK_SCROLL_PAGE_LEFT:
    case GTK_SCROLL_PAGE_UP: return SB_PAGEUP;
    case GTK_SCROLL_PAGE_FORWARD:
    case GTK_SCROLL_PAGE_RIGHT:
    case GTK_SCROLL_PAGE_DOWN: return SB_PAGEDOWN;
    case GTK_SCROLL_START: return SB_TOP;
    case GTK_SCROLL_END: return SB_BOTTOM;
    default: return SB_THUMBTRACK;
    }
}

bool IsMoveKey(guint key) {
    switch (key) {
    case GDK_KEY_Left: case GDK_KEY_Right: case GDK_KEY_Up: case GDK_KEY_Down:
    case GDK_KEY_Page_Up: case GDK_KEY_Page_Down: case GDK_KEY_Home: case GDK_KEY_End:
    case GDK_KEY_KP_Left: case GDK_KEY_KP_Right: case GDK_KEY_KP_Up: case GDK_KEY_KP_Down:
    case GDK_KEY_KP_Page_Up: case GDK_KEY_KP_Page_Down: case GDK_KEY_KP_Home: case GDK_KEY_KP_End:
        return true;
    default: return false;
    }
}

} // namespace

TrackbarControl::TrackbarControl(const DLGITEMDATA& item, DialogEvents& events) : GtkControl(item, events) {
    GtkAdjustment* adjustment = gtk_adjustment_new(0, m_min, m_max, kLineSize, (m_max - m_min) / 5, 0);
    Own(gtk_scale_new(GTK_ORIENTATION_HORIZONTAL, adjustment));
    GtkScale* scale = GTK_SCALE(m_widget);
    gtk_scale_set_draw_value(scale, FALSE);
    gtk_scale_set_digits(scale, 0);
    gtk_range_set_round_digits(GTK_RANGE(m_widget), 0);
    gtk_widget_set_can_focus(m_widget, TRUE);
    ApplyTicks();
    g_signal_connect(m_widget, "change-value", G_CALLBACK(OnChangeValue), this);
    g_signal_connect(m_widget, "value-changed", G_CALLBACK(OnValueChanged), this);
    g_signal_connect(m_widget, "button-release-event", G_CALLBACK(OnButtonRelease), this);
    g_signal_connect(m_widget, "key-press-event", G_CALLBACK(OnKeyPress), this);
    g_signal_connect(m_widget, "key-release-event", G_CALLBACK(OnKeyRelease), this);
}

int TrackbarControl::Pos() const {
    return static_cast<int>(std::lround(gtk_range_get_value(GTK_RANGE(m_widget))));
}

void TrackbarControl::SetPos(int pos) {
    m_quiet = true;
    gtk_range_set_value(GTK_RANGE(m_widget), std::clamp(pos, m_min, std::max(m_min, m_max)));
    m_quiet = false;
}

void TrackbarControl::ApplyRange() {
    int pos = Pos();
    m_quiet = true;
    gtk_range_set_range(GTK_RANGE(m_widget), m_min, std::max(m_min, m_max));
    // The page step follows the range: a fifth of it, as the control does.
    gtk_range_set_increments(GTK_RANGE(m_widget), kLineSize, PageSize());
    m_quiet = false;
    SetPos(pos);
    ApplyTicks();
}

void TrackbarControl::ApplyTicks() {
    GtkScale* scale = GTK_SCALE(m_widget);
    gtk_scale_clear_marks(scale);
    if (!(m_item.style & TBS_AUTOTICKS) || m_ticFrequency <= 0) return;
    for (int v = m_min; v < m_max; v += m_ticFrequency) gtk_scale_add_mark(scale, v, GTK_POS_BOTTOM, nullptr);
    gtk_scale_add_mark(scale, m_max, GTK_POS_BOTTOM, nullptr);
}

LRESULT TrackbarControl::Message(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case TBM_GETPOS: return Pos();
    case TBM_SETPOS: SetPos(static_cast<int>(lParam)); return 0;
    case TBM_GETRANGEMIN: return m_min;
    case TBM_GETRANGEMAX: return m_max;
    case TBM_SETRANGEMIN: m_min = static_cast<int>(lParam); ApplyRange(); return 0;
    case TBM_SETRANGEMAX: m_max = static_cast<int>(lParam); ApplyRange(); return 0;
    case TBM_SETTICFREQ: m_ticFrequency = static_cast<int>(wParam); ApplyTicks(); return 0;
    case TBM_GETLINESIZE: return kLineSize;
    case TBM_GETPAGESIZE: return PageSize();
    default: return 0;
    }
}

void TrackbarControl::Notify(UINT code) { m_events.OnItemScroll(m_item.id, code); }

int TrackbarControl::PageSize() const { return std::max(1, (m_max - m_min) / 5); }

gboolean TrackbarControl::OnChangeValue(GtkRange*, GtkScrollType scroll, gdouble, gpointer self) {
    auto* control = static_cast<TrackbarControl*>(self);
    control->m_code = ScrollCode(scroll);
    if (control->m_code == SB_THUMBTRACK) control->m_dragging = true;
    return FALSE;
}

void TrackbarControl::OnValueChanged(GtkRange*, gpointer self) {
    auto* control = static_cast<TrackbarControl*>(self);
    if (!control->m_quiet) control->Notify(control->m_code);
}

gboolean TrackbarControl::OnButtonRelease(GtkWidget*, GdkEventButton*, gpointer self) {
    auto* control = static_cast<TrackbarControl*>(self);
    if (control->m_dragging) control->Notify(SB_THUMBPOSITION);
    control->m_dragging = false;
    control->m_code = SB_THUMBTRACK;
    control->Notify(SB_ENDSCROLL);
    return FALSE;
}

// The keys move as on the classic trackbar: the scale's own bindings would page to the next tick
// mark and move right on Up.
gboolean TrackbarControl::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto* control = static_cast<TrackbarControl*>(self);
    const int pos = control->Pos();
    int target;
    UINT code;
    switch (event->keyval) {
    case GDK_KEY_Left: case GDK_KEY_KP_Left: case GDK_KEY_Up: case GDK_KEY_KP_Up:
        target = pos - kLineSize, code = SB_LINEUP; break;
    case GDK_KEY_Right: case GDK_KEY_KP_Right: case GDK_KEY_Down: case GDK_KEY_KP_Down:
        target = pos + kLineSize, code = SB_LINEDOWN; break;
    case GDK_KEY_Page_Up: case GDK_KEY_KP_Page_Up: target = pos - control->PageSize(), code = SB_PAGEUP; break;
    case GDK_KEY_Page_Down: case GDK_KEY_KP_Page_Down: target = pos + control->PageSize(), code = SB_PAGEDOWN; break;
    case GDK_KEY_Home: case GDK_KEY_KP_Home: target = control->m_min, code = SB_TOP; break;
    case GDK_KEY_End: case GDK_KEY_KP_End: target = control->m_max, code = SB_BOTTOM; break;
    default: return FALSE;
    }
    control->SetPos(target);
    control->Notify(code);
    return TRUE;
}

gboolean TrackbarControl::OnKeyRelease(GtkWidget*, GdkEventKey* event, gpointer self) {
    if (IsMoveKey(event->keyval)) static_cast<TrackbarControl*>(self)->Notify(SB_ENDSCROLL);
    return FALSE;
}
