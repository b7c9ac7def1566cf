// CDialog: a modal dialog built from a template, with data exchange and validation.
#pragma once

#include "platform/afx/dialog_host.h"
#include "platform/afx/wnd.h"

#include <memory>
#include <string>
#include <vector>

class CDataExchange;

// A control of a dialog, addressed by the dialog's host through its id.
class CDlgItem : public CWnd {
public:
    CDlgItem(DialogHost& host, int id);
    ~CDlgItem() override;

    int GetDlgCtrlID() const { return m_nID; }
    void SetWindowText(LPCSTR text);
    std::string GetWindowText() const;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    DialogHost& m_host;
    int m_nID;
};

// The id of a dialog control's window; 0 for any other window.
int GetDlgCtrlID(HWND hwnd);

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog: IDOK or IDCANCEL (or what EndDialog was given); -1 when it could not open.
    virtual int DoModal();
    void EndDialog(int result);
    BOOL DestroyWindow() override;

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // TRUE: controls to members, with validation; FALSE: members to controls.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    CWnd* GetDlgItem(int id) const;
    void SetDlgItemText(int id, LPCSTR text);
    std::string GetDlgItemText(int id) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Centres the dialog on its owner (or on the screen without one).
    void CenterWindow();
    // Puts the keyboard focus on a control.
    void GotoDlgCtrl(int id);

    const DLGTEMPLATEDATA* GetTemplate() const { return m_pTemplate; }
    DialogHost* GetHost() const { return m_host.get(); }
    // The dialog whose modal loop is innermost, or null.
    static CDialog* GetActiveModal();

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    LRESULT HandleInitDialog(WPARAM, LPARAM);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    class Events : public DialogEvents {
    public:
        explicit Events(CDialog& dialog) : m_dialog(dialog) {}
        void OnItemCommand(int id, UINT code) override;
        void OnItemScroll(int id, UINT code) override;
        void OnCloseRequest() override;

    private:
        CDialog& m_dialog;
    };

    CDlgItem* FindItem(int id) const;
    HWND ItemHandle(int id) const;

    Events m_events{*this};
    const DLGTEMPLATEDATA* m_pTemplate = nullptr;
    std::unique_ptr<DialogHost> m_host;
    std::vector<std::unique_ptr<CDlgItem>> m_items;
    int m_nModalResult = -1;
    bool m_bInModalLoop = false;
    bool m_bEnded = false;
    CDialog* m_pPrevModal = nullptr;
};

// A modal message box over the active dialog, captioned with the application title.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK);
int AfxMessageBox(UINT idPrompt, UINT type = MB_OK);
