// The toolkit under CDialog: a host shows one dialog built from its template and runs its modal
// loop; the dialog logic talks to the controls only through it. The program installs the GTK
// backend; tests install an in-memory one.
#pragma once

#include "platform/afx/dialog_template.h"

#include <memory>
#include <string>

// What the user does to a dialog, reported by its host.
class DialogEvents {
public:
    virtual ~DialogEvents() = default;
    // A button was clicked, or a key stands for one (Escape: IDCANCEL).
    virtual void OnItemCommand(int id, UINT code) = 0;
    // A slider moved or ended a move; code is one of the SB_ codes.
    virtual void OnItemScroll(int id, UINT code) = 0;
    // The window's close button, or the program was asked to end.
    virtual void OnCloseRequest() = 0;
};

class DialogHost {
public:
    virtual ~DialogHost() = default;
    // Centres the dialog on its owner, or on the screen when it has none.
    virtual void CenterOnOwner() = 0;
    // Shows the dialog and returns once EndModalLoop was called. Its owner takes no input
    // meanwhile.
    virtual void RunModalLoop() = 0;
    virtual void EndModalLoop() = 0;

    // The control messages of controls.h that the control's kind understands; 0 otherwise.
    virtual LRESULT SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void SetItemText(int id, const char* text) = 0;
    virtual std::string GetItemText(int id) = 0;
    virtual void SetFocus(int id) = 0;
};

class DialogBackend {
public:
    virtual ~DialogBackend() = default;
    // Builds the dialog, hidden, with all its controls; null when the toolkit cannot.
    virtual std::unique_ptr<DialogHost> CreateDialogHost(const DLGTEMPLATEDATA& dialog, DialogHost* owner,
                                                         DialogEvents& events) = 0;
    // A modal message box over the owner (or alone); returns the button pressed.
    virtual int MessageBox(DialogHost* owner, const char* text, const char* caption, UINT type) = 0;
};

// Replaces the installed platform's dialog backend (tests put their own in place).
void AfxSetDialogBackend(std::unique_ptr<DialogBackend> backend);
// The installed platform's backend; null on a platform without dialogs.
DialogBackend* AfxGetDialogBackend();
