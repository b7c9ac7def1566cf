// One dialog window: the template's controls placed in dialog units on a fixed layout.
#pragma once

#include "platform/gtk/dialog_font.h"
#include "platform/gtk/gtk_controls.h"

#include <map>
#include <vector>

class GtkModalStack;

class GtkDialogHost : public DialogHost {
public:
    GtkDialogHost(const DLGTEMPLATEDATA& dialog, GtkDialogHost* owner, DialogEvents& events,
                  GtkModalStack& modals);
    ~GtkDialogHost() override;

    void CenterOnOwner() override;
    void RunModalLoop() override;
    void EndModalLoop() override;
    LRESULT SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) override;
    void SetItemText(int id, const char* text) override;
    std::string GetItemText(int id) override;
    void SetFocus(int id) override;

    GtkWindow* Window() const { return GTK_WINDOW(m_window); }
    // The style class that gives a window this dialog's font.
    const std::string& FontClass() const { return m_fontClass; }
    void RequestClose() { m_events.OnCloseRequest(); }

private:
    void BuildControls();
    void PlaceControls(GtkFixed* fixed, const DialogUnits& units);
    GtkControl* Find(int id) const;
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self);

    const DLGTEMPLATEDATA& m_template;
    GtkDialogHost* m_owner;
    DialogEvents& m_events;
    GtkModalStack& m_modals;
    GtkWidget* m_window = nullptr;
    std::string m_fontClass;
    std::map<size_t, RadioGroup> m_radioGroups; // by the index of the group's first item
    std::vector<std::unique_ptr<GtkControl>> m_controls;
    GMainLoop* m_loop = nullptr;
};
