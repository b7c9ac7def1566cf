#include "fake_dialog_backend.h"

#include <algorithm>

FakeDialogHost::FakeDialogHost(const DLGTEMPLATEDATA& d, FakeDialogHost* o, DialogEvents& e, FakeDialogBackend& b)
    : dialog(d), owner(o), events(e), backend(b) {
    for (size_t i = 0; i < dialog.itemCount; ++i) controls[dialog.items[i].id].text = dialog.items[i].text;
    ++backend.hostsAlive;
}

FakeDialogHost::~FakeDialogHost() { --backend.hostsAlive; }

void FakeDialogHost::RunModalLoop() {
    if (backend.users.empty()) {
        CloseWindow();
        return;
    }
    FakeDialogBackend::User user = std::move(backend.users.front());
    backend.users.pop_front();
    user(*this);
}

LRESULT FakeDialogHost::SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    FakeControl& c = controls[id];
    switch (message) {
    case BM_GETCHECK: return c.check;
    case BM_SETCHECK: c.check = static_cast<int>(wParam); return 0;
    case EM_SETSEL: c.wholeTextSelected = wParam == 0 && lParam == -1; return 0;
    case UDM_SETRANGE:
        c.upper = static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam)));
        c.lower = static_cast<short>(HIWORD(static_cast<uintptr_t>(lParam)));
        return 0;
    case TBM_GETPOS: return c.pos;
    case TBM_SETPOS: c.pos = std::clamp(static_cast<int>(lParam), c.rangeMin, c.rangeMax); return 0;
    case TBM_SETRANGEMIN: c.rangeMin = static_cast<int>(lParam); return 0;
    case TBM_SETRANGEMAX: c.rangeMax = static_cast<int>(lParam); return 0;
    case TBM_SETTICFREQ: c.ticFrequency = static_cast<int>(wParam); return 0;
    case CB_RESETCONTENT: c.entries.clear(); c.curSel = -1; return 0;
    case CB_ADDSTRING: c.entries.push_back(reinterpret_cast<const char*>(lParam)); return c.entries.size() - 1;
    case CB_GETCURSEL: return c.curSel;
    case CB_SETCURSEL:
        c.curSel = static_cast<int>(wParam) < static_cast<int>(c.entries.size()) ? static_cast<int>(wParam) : -1;
        return c.curSel;
    default: return 0;
    }
}

void FakeDialogHost::SetItemText(int id, const char* text) {
    controls[id].text = text;
    controls[id].wholeTextSelected = false;
}

void FakeDialogHost::Click(int id) {
    int index = dialog.IndexOf(id);
    if (index >= 0) {
        DWORD type = dialog.items[index].style & BS_TYPEMASK;
        if (type == BS_AUTOCHECKBOX) controls[id].check = !controls[id].check;
        if (type == BS_AUTORADIOBUTTON) {
            size_t first = dialog.GroupStart(static_cast<size_t>(index));
            for (size_t i = first; i < dialog.itemCount && (i == first || !(dialog.items[i].style & WS_GROUP)); ++i)
                if ((dialog.items[i].style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) controls[dialog.items[i].id].check = 0;
            controls[id].check = 1;
        }
    }
    events.OnItemCommand(id, BN_CLICKED);
}

void FakeDialogHost::MoveSlider(int id, int pos, UINT code) {
    controls[id].pos = std::clamp(pos, controls[id].rangeMin, controls[id].rangeMax);
    events.OnItemScroll(id, code);
}

std::unique_ptr<DialogHost> FakeDialogBackend::CreateDialogHost(const DLGTEMPLATEDATA& dialog, DialogHost* owner,
                                                                DialogEvents& events) {
    return std::make_unique<FakeDialogHost>(dialog, static_cast<FakeDialogHost*>(owner), events, *this);
}

int FakeDialogBackend::MessageBox(DialogHost* owner, const char* text, const char* caption, UINT type) {
    messages.push_back({text, caption, type, static_cast<FakeDialogHost*>(owner)});
    return IDOK;
}

FakeDialogBackend& InstallFakeDialogBackend() {
    auto backend = std::make_unique<FakeDialogBackend>();
    FakeDialogBackend& ref = *backend;
    AfxSetDialogBackend(std::move(backend));
    return ref;
}
