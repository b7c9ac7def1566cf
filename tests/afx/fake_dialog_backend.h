// Dialogs in memory for unit tests: the controls keep their state in plain fields, and each
// modal run plays the next scripted user against the dialog.
#pragma once

#include "platform/afx/dialog_host.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct FakeControl {
    std::string text;
    int check = 0;
    int rangeMin = 0, rangeMax = 100, pos = 0, ticFrequency = 1; // trackbar
    int lower = 100, upper = 0;                                   // up-down
    std::vector<std::string> entries;                             // drop-down list
    int curSel = -1;
    bool wholeTextSelected = false;
};

class FakeDialogBackend;

class FakeDialogHost : public DialogHost {
public:
    FakeDialogHost(const DLGTEMPLATEDATA& dialog, FakeDialogHost* owner, DialogEvents& events,
                   FakeDialogBackend& backend);
    ~FakeDialogHost() override;

    void CenterOnOwner() override { centred = true; }
    void RunModalLoop() override;
    void EndModalLoop() override { ended = true; }
    LRESULT SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) override;
    void SetItemText(int id, const char* text) override;
    std::string GetItemText(int id) override { return controls[id].text; }
    void SetFocus(int id) override { focus = id; }

    // What the user does.
    void Type(int id, const std::string& text) { controls[id].text = text; }
    void Click(int id); // auto check boxes and choice buttons change as they would
    void MoveSlider(int id, int pos, UINT code);
    void SelectEntry(int id, int index) { controls[id].curSel = index; }
    void PressEscape() { events.OnItemCommand(IDCANCEL, BN_CLICKED); }
    void CloseWindow() { events.OnCloseRequest(); }

    const DLGTEMPLATEDATA& dialog;
    FakeDialogHost* owner;
    DialogEvents& events;
    FakeDialogBackend& backend;
    std::map<int, FakeControl> controls;
    int focus = 0;
    bool centred = false;
    bool ended = false;
};

struct FakeMessageBox {
    std::string text, caption;
    UINT type;
    FakeDialogHost* owner;
};

class FakeDialogBackend : public DialogBackend {
public:
    using User = std::function<void(FakeDialogHost&)>;

    std::unique_ptr<DialogHost> CreateDialogHost(const DLGTEMPLATEDATA& dialog, DialogHost* owner,
                                                 DialogEvents& events) override;
    int MessageBox(DialogHost* owner, const char* text, const char* caption, UINT type) override;

    // Each modal run takes the next user; a run without one ends with the window's close button.
    std::deque<User> users;
    std::vector<FakeMessageBox> messages;
    int hostsAlive = 0;
};

// Installs a fresh fake backend and returns it.
FakeDialogBackend& InstallFakeDialogBackend();
