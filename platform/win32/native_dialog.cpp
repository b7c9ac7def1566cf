#include "platform/win32/native.h"

#include <algorithm>
#include <windows.h>
#include <commctrl.h>

namespace w32 {
namespace {

// An in-memory DLGTEMPLATE, laid out as the dialog manager reads it.
class TemplateWriter {
public:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const std::string& utf8) {
        for (wchar_t c : Widen(utf8)) Word(static_cast<WORD>(c));
        Word(0);
    }
    void AlignDword() {
        if (m_words.size() % 2) Word(0);
    }
    const DLGTEMPLATE* Data() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    std::vector<WORD> m_words; // WORD storage keeps the alignment the template needs
};

void WriteClass(TemplateWriter& w, ItemKind kind) {
    switch (kind) {
    case ItemKind::Button: w.Word(0xFFFF); w.Word(0x0080); return;
    case ItemKind::Edit: w.Word(0xFFFF); w.Word(0x0081); return;
    case ItemKind::Static: w.Word(0xFFFF); w.Word(0x0082); return;
    case ItemKind::ComboBox: w.Word(0xFFFF); w.Word(0x0085); return;
    case ItemKind::UpDown: w.Text("msctls_updown32"); return;
    case ItemKind::Trackbar: w.Text("msctls_trackbar32"); return;
    }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return FALSE; // the framework puts the focus itself
    }
    auto* sink = reinterpret_cast<DialogSink*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!sink) return FALSE;
    switch (message) {
    case WM_COMMAND: sink->Command(LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_HSCROLL:
        if (lParam) sink->Scroll(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam));
        return TRUE;
    case WM_CLOSE: sink->Close(); return TRUE;
    default: return FALSE;
    }
}

} // namespace

void* MakeDialog(const DialogSpec& layout, void* owner, DialogSink* sink) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    TemplateWriter w;
    w.Dword(layout.style & ~WS_VISIBLE);
    w.Dword(0);
    w.Word(static_cast<WORD>(layout.items.size()));
    w.Word(0); // x, y: placed by CenterDialog
    w.Word(0);
    w.Word(static_cast<WORD>(layout.cx));
    w.Word(static_cast<WORD>(layout.cy));
    w.Word(0); // no menu
    w.Word(0); // the dialog class
    w.Text(layout.caption);
    if (layout.style & DS_SETFONT) {
        w.Word(layout.pointSize);
        w.Text(layout.fontName);
    }
    for (const ItemSpec& item : layout.items) {
        w.AlignDword();
        w.Dword(item.style);
        w.Dword(0);
        w.Word(static_cast<WORD>(item.x));
        w.Word(static_cast<WORD>(item.y));
        w.Word(static_cast<WORD>(item.cx));
        w.Word(static_cast<WORD>(item.cy));
        w.Word(static_cast<WORD>(item.id));
        WriteClass(w, item.kind);
        if (item.imageId) {
            w.Word(0xFFFF);
            w.Word(static_cast<WORD>(item.imageId));
        } else {
            w.Text(item.text);
        }
        w.Word(0); // no creation data
    }
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), w.Data(), static_cast<HWND>(owner),
                                      DialogProc, reinterpret_cast<LPARAM>(sink));
}

void RunModal(void* dialog, void* owner, const bool* ended) {
    HWND d = static_cast<HWND>(dialog), o = static_cast<HWND>(owner);
    const bool disabledOwner = o && IsWindowEnabled(o) && EnableWindow(o, FALSE) == FALSE;
    ShowWindow(d, SW_SHOW);
    MSG msg;
    while (!*ended && IsWindow(d)) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The quit message belongs to the loop outside the dialog.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageW(d, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // The owner takes input again before the dialog goes, so activation returns to it.
    if (disabledOwner) EnableWindow(o, TRUE);
    ShowWindow(d, SW_HIDE);
}

void DestroyDialog(void* dialog) { DestroyWindow(static_cast<HWND>(dialog)); }

void CenterDialog(void* dialog, void* owner) {
    HWND d = static_cast<HWND>(dialog);
    HWND o = static_cast<HWND>(owner);
    // Over the owner, kept inside the work area of the owner's monitor (a small owner near the
    // screen's edge would push the dialog off it); without an owner, over that work area.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(o ? o : d, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;
    RECT area = work, box;
    if (o) GetWindowRect(o, &area);
    GetWindowRect(d, &box);
    const int width = box.right - box.left, height = box.bottom - box.top;
    auto inside = [](int start, int size, int low, int high) {
        return start + size > high ? std::max(low, high - size) : std::max(low, start);
    };
    SetWindowPos(d, nullptr, inside(area.left + (area.right - area.left - width) / 2, width, work.left, work.right),
                 inside(area.top + (area.bottom - area.top - height) / 2, height, work.top, work.bottom), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

intptr_t SendItemMessage(void* dialog, int id, unsigned message, uintptr_t wParam, intptr_t lParam) {
    return SendDlgItemMessageW(static_cast<HWND>(dialog), id, message, wParam, lParam);
}

intptr_t AddComboString(void* dialog, int id, const std::string& text) {
    std::wstring wide = Widen(text);
    return SendDlgItemMessageW(static_cast<HWND>(dialog), id, CB_ADDSTRING, 0,
                               reinterpret_cast<LPARAM>(wide.c_str()));
}

void SetItemText(void* dialog, int id, const std::string& text) {
    SetDlgItemTextW(static_cast<HWND>(dialog), id, Widen(text).c_str());
}

std::string GetItemText(void* dialog, int id) {
    HWND item = GetDlgItem(static_cast<HWND>(dialog), id);
    if (!item) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void SetItemFocus(void* dialog, int id) {
    HWND d = static_cast<HWND>(dialog);
    if (HWND item = GetDlgItem(d, id)) SendMessageW(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
}

int ShowMessageBox(void* owner, const std::string& text, const std::string& caption, unsigned type) {
    return MessageBoxW(static_cast<HWND>(owner), Widen(text).c_str(), Widen(caption).c_str(), type);
}

} // namespace w32
