// The GTK widgets that stand for the dialog controls, each answering its kind's messages.
#pragma once

#include "platform/afx/dialog_host.h"

#include <gtk/gtk.h>
#include <memory>
#include <string>

class GtkControl {
public:
    GtkControl(const DLGITEMDATA& item, DialogEvents& events) : m_item(item), m_events(events) {}
    virtual ~GtkControl();
    GtkControl(const GtkControl&) = delete;
    GtkControl& operator=(const GtkControl&) = delete;

    GtkWidget* Widget() const { return m_widget; }
    const DLGITEMDATA& Item() const { return m_item; }

    virtual LRESULT Message(UINT, WPARAM, LPARAM) { return 0; }
    virtual void SetText(const char*) {}
    virtual std::string GetText() const { return {}; }

protected:
    // Takes a reference to the widget until the control goes.
    void Own(GtkWidget* widget);

    const DLGITEMDATA& m_item;
    DialogEvents& m_events;
    GtkWidget* m_widget = nullptr;
    bool m_quiet = false; // the program is changing the control: no notification
};

// The choice buttons of one group share a hidden extra member, checked when none of the
// visible ones is.
struct RadioGroup {
    GtkWidget* none = nullptr;
};

// previous: the control before this one in template order (an up-down control's buddy).
std::unique_ptr<GtkControl> CreateGtkControl(const DLGITEMDATA& item, DialogEvents& events,
                                             GtkControl* previous, RadioGroup* group);
