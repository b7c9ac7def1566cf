// Up and down arrows beside an edit box, stepping the integer the box holds within a range.
#pragma once

#include "platform/afx/updown.h"
#include "platform/gtk/gtk_controls.h"

class UpDownControl : public GtkControl {
public:
    // buddy: the control before this one, which the arrows read and write.
    UpDownControl(const DLGITEMDATA& item, DialogEvents& events, GtkControl* buddy);
    LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam) override;

    GtkControl* Buddy() const { return m_buddy; }

private:
    void Step(bool up);
    static void OnUp(GtkButton*, gpointer self);
    static void OnDown(GtkButton*, gpointer self);
    static gboolean OnBuddyKey(GtkWidget*, GdkEventKey* event, gpointer self);

    GtkControl* m_buddy;
    UpDownRange m_range{100, 0}; // the control's initial range
    int m_pos = 0;
};
