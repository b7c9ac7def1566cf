#include "platform/win32/win32_dialog_backend.h"

#include "platform/win32/native.h"

namespace {

w32::ItemKind KindOf(DlgItemClass kind) {
    switch (kind) {
    case DlgItemClass::Button: return w32::ItemKind::Button;
    case DlgItemClass::Edit: return w32::ItemKind::Edit;
    case DlgItemClass::Static: return w32::ItemKind::Static;
    case DlgItemClass::ComboBox: return w32::ItemKind::ComboBox;
    case DlgItemClass::UpDown: return w32::ItemKind::UpDown;
    case DlgItemClass::Trackbar: return w32::ItemKind::Trackbar;
    }
    return w32::ItemKind::Static;
}

w32::DialogSpec SpecOf(const DLGTEMPLATEDATA& t) {
    w32::DialogSpec layout{t.caption ? t.caption : "", t.cx, t.cy, t.style, t.fontName ? t.fontName : "",
                         t.pointSize, {}};
    for (size_t i = 0; i < t.itemCount; ++i) {
        const DLGITEMDATA& item = t.items[i];
        layout.items.push_back({KindOf(item.kind), item.id, item.text ? item.text : "", item.x, item.y, item.cx,
                              item.cy, item.style, (item.style & SS_TYPEMASK) == SS_BITMAP &&
                                                           item.kind == DlgItemClass::Static
                                                       ? item.imageId
                                                       : 0u});
    }
    return layout;
}

class Win32DialogHost : public DialogHost, private w32::DialogSink {
public:
    Win32DialogHost(DialogEvents& events, HWND owner) : m_events(events), m_owner(owner) {}
    ~Win32DialogHost() override {
        if (m_dialog) w32::DestroyDialog(m_dialog);
    }

    bool Create(const DLGTEMPLATEDATA& dialog) {
        m_dialog = static_cast<HWND>(w32::MakeDialog(SpecOf(dialog), m_owner, this));
        return m_dialog != nullptr;
    }

    HWND Native() const { return m_dialog; }

    void CenterOnOwner() override { w32::CenterDialog(m_dialog, m_owner); }

    void RunModalLoop() override {
        m_ended = false;
        w32::RunModal(m_dialog, m_owner, &m_ended);
    }

    void EndModalLoop() override { m_ended = true; }

    LRESULT SendItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == CB_ADDSTRING)
            return w32::AddComboString(m_dialog, id, lParam ? reinterpret_cast<const char*>(lParam) : "");
        return w32::SendItemMessage(m_dialog, id, message, wParam, lParam);
    }

    void SetItemText(int id, const char* text) override { w32::SetItemText(m_dialog, id, text ? text : ""); }
    std::string GetItemText(int id) override { return w32::GetItemText(m_dialog, id); }
    void SetFocus(int id) override { w32::SetItemFocus(m_dialog, id); }

private:
    void Command(int id, unsigned code) override { m_events.OnItemCommand(id, code); }
    void Scroll(int id, unsigned code) override { m_events.OnItemScroll(id, code); }
    void Close() override { m_events.OnCloseRequest(); }

    DialogEvents& m_events;
    HWND m_owner;
    HWND m_dialog = nullptr;
    bool m_ended = false;
};

class Win32DialogBackend : public DialogBackend {
public:
    explicit Win32DialogBackend(HWND owner) : m_owner(owner) {}

    std::unique_ptr<DialogHost> CreateDialogHost(const DLGTEMPLATEDATA& dialog, DialogHost* owner,
                                                 DialogEvents& events) override {
        auto host = std::make_unique<Win32DialogHost>(events, OwnerOf(owner));
        if (!host->Create(dialog)) return nullptr;
        return host;
    }

    int MessageBox(DialogHost* owner, const char* text, const char* caption, UINT type) override {
        return w32::ShowMessageBox(OwnerOf(owner), text ? text : "", caption ? caption : "", type);
    }

private:
    HWND OwnerOf(DialogHost* host) const {
        if (auto* dialog = dynamic_cast<Win32DialogHost*>(host)) return dialog->Native();
        return m_owner;
    }

    HWND m_owner;
};

} // namespace

std::unique_ptr<DialogBackend> CreateWin32DialogBackend(HWND owner) {
    return std::make_unique<Win32DialogBackend>(owner);
}
