#include "platform/afx/dialog.h"

#include "platform/afx/app.h"
#include "platform/afx/data_exchange.h"
#include "platform/afx/resources.h"
#include "platform/platform.h"

namespace {

CDialog* g_activeModal = nullptr;
constexpr UINT kAppTitleString = 57344;

// Control windows have no native handle of their own: the object's address serves as one.
HWND SyntheticHandle(const void* object) { return reinterpret_cast<HWND>(const_cast<void*>(object)); }

} // namespace

void AfxSetDialogBackend(std::unique_ptr<DialogBackend> backend) { ThePlatform().dialogs = std::move(backend); }
DialogBackend* AfxGetDialogBackend() { return ThePlatform().dialogs.get(); }

CDlgItem::CDlgItem(DialogHost& host, int id) : m_host(host), m_nID(id) { Attach(SyntheticHandle(this)); }

CDlgItem::~CDlgItem() { Detach(); }

void CDlgItem::SetWindowText(LPCSTR text) { m_host.SetItemText(m_nID, text ? text : ""); }

std::string CDlgItem::GetWindowText() const { return m_host.GetItemText(m_nID); }

LRESULT CDlgItem::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_host.SendItemMessage(m_nID, message, wParam, lParam);
}

int GetDlgCtrlID(HWND hwnd) {
    auto* item = dynamic_cast<CDlgItem*>(CWnd::FromHandlePermanent(hwnd));
    return item ? item->GetDlgCtrlID() : 0;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_BN_CLICKED(IDOK, OnOK)
ON_BN_CLICKED(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
    if (m_hWnd) CDialog::DestroyWindow();
}

CDialog* CDialog::GetActiveModal() { return g_activeModal; }

int CDialog::DoModal() {
    const DLGTEMPLATEDATA* dialogTemplate = AfxFindDialogTemplate(m_nIDTemplate);
    DialogBackend* backend = AfxGetDialogBackend();
    if (!dialogTemplate || !backend || m_hWnd) return -1;
    // Without a parent the dialog is owned by the dialog that is active now.
    auto* owner = dynamic_cast<CDialog*>(m_pParentWnd);
    if (!owner) owner = g_activeModal;
    m_host = backend->CreateDialogHost(*dialogTemplate, owner ? owner->GetHost() : nullptr, m_events);
    if (!m_host) return -1;
    m_pTemplate = dialogTemplate;
    for (size_t i = 0; i < dialogTemplate->itemCount; ++i)
        if (dialogTemplate->items[i].id != IDC_STATIC)
            m_items.push_back(std::make_unique<CDlgItem>(*m_host, dialogTemplate->items[i].id));
    Attach(SyntheticHandle(m_host.get()));
    m_nModalResult = -1;
    m_bEnded = false;

    m_pPrevModal = g_activeModal;
    g_activeModal = this;
    struct Restore {
        CDialog* dialog;
        ~Restore() { g_activeModal = dialog->m_pPrevModal; }
    } restore{this};

    SendMessage(WM_INITDIALOG, 0, 0);
    // As the framework does after WM_INITDIALOG: over the owner, or the screen without one.
    if (m_host) m_host->CenterOnOwner();
    if (!m_bEnded && m_hWnd) {
        m_bInModalLoop = true;
        m_host->RunModalLoop();
        m_bInModalLoop = false;
    }
    DestroyWindow();
    return m_nModalResult;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    if (!OnInitDialog()) return FALSE;
    // The focus goes to the first control that Tab reaches.
    for (size_t i = 0; i < m_pTemplate->itemCount; ++i) {
        const DLGITEMDATA& item = m_pTemplate->items[i];
        if ((item.style & WS_TABSTOP) && item.id != IDC_STATIC) {
            GotoDlgCtrl(item.id);
            break;
        }
    }
    return TRUE;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bEnded = true;
    if (m_bInModalLoop && m_host) m_host->EndModalLoop();
}

BOOL CDialog::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    SendMessage(WM_DESTROY, 0, 0);
    m_items.clear();
    m_host.reset();
    SendMessage(WM_NCDESTROY, 0, 0);
    Detach();
    PostNcDestroy();
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

CDlgItem* CDialog::FindItem(int id) const {
    for (const auto& item : m_items)
        if (item->GetDlgCtrlID() == id) return item.get();
    return nullptr;
}

HWND CDialog::ItemHandle(int id) const {
    CDlgItem* item = FindItem(id);
    return item ? item->m_hWnd : nullptr;
}

CWnd* CDialog::GetDlgItem(int id) const { return FindItem(id); }

void CDialog::SetDlgItemText(int id, LPCSTR text) {
    if (CDlgItem* item = FindItem(id)) item->SetWindowText(text);
}

std::string CDialog::GetDlgItemText(int id) const {
    CDlgItem* item = FindItem(id);
    return item ? item->GetWindowText() : std::string();
}

LRESULT CDialog::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    CDlgItem* item = FindItem(id);
    return item ? item->SendMessage(message, wParam, lParam) : 0;
}

void CDialog::CenterWindow() {
    if (m_host) m_host->CenterOnOwner();
}

void CDialog::GotoDlgCtrl(int id) {
    if (m_host) m_host->SetFocus(id);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Closing a dialog by its frame or the system menu is its Cancel.
    if (message == WM_CLOSE) return SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void CDialog::Events::OnItemCommand(int id, UINT code) {
    m_dialog.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)),
                         reinterpret_cast<LPARAM>(m_dialog.ItemHandle(id)));
}

void CDialog::Events::OnItemScroll(int id, UINT code) {
    WORD pos = 0;
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION)
        pos = static_cast<WORD>(m_dialog.SendDlgItemMessage(id, TBM_GETPOS));
    m_dialog.SendMessage(WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), pos),
                         reinterpret_cast<LPARAM>(m_dialog.ItemHandle(id)));
}

void CDialog::Events::OnCloseRequest() { m_dialog.SendMessage(WM_CLOSE, 0, 0); }

int AfxMessageBox(LPCSTR text, UINT type) {
    DialogBackend* backend = AfxGetDialogBackend();
    if (!backend) return IDOK;
    CWinApp* app = AfxGetApp();
    LPCSTR caption = app && app->m_pszAppName ? app->m_pszAppName : AfxLoadString(kAppTitleString);
    CDialog* owner = CDialog::GetActiveModal();
    return backend->MessageBox(owner ? owner->GetHost() : nullptr, text ? text : "", caption ? caption : "",
                               type);
}

int AfxMessageBox(UINT idPrompt, UINT type) { return AfxMessageBox(AfxLoadString(idPrompt), type); }
