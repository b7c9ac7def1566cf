// A horizontal slider with tick marks that reports its moves with the trackbar's scroll codes.
#pragma once

#include "platform/gtk/gtk_controls.h"

class TrackbarControl : public GtkControl {
public:
    TrackbarControl(const DLGITEMDATA& item, DialogEvents& events);
    LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int Pos() const;
    void SetPos(int pos);
    void ApplyRange();
    void ApplyTicks();
    void Notify(UINT code);
    int PageSize() const;

    static gboolean OnChangeValue(GtkRange*, GtkScrollType scroll, gdouble, gpointer self);
    static void OnValueChanged(GtkRange*, gpointer self);
    static gboolean OnButtonRelease(GtkWidget*, GdkEventButton*, gpointer self);
    static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean OnKeyRelease(GtkWidget*, GdkEventKey* event, gpointer self);

    // The control's defaults: range 0 to 100, a tick at every position.
    int m_min = 0;
    int m_max = 100;
    int m_ticFrequency = 1;
    UINT m_code = SB_THUMBTRACK; // what the move in progress reports
    bool m_dragging = false;
};
