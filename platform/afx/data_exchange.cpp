#include "platform/afx/data_exchange.h"

#include "platform/afx/dialog.h"
#include "platform/afx/int_text.h"
#include "platform/afx/resources.h"

#include <cstdio>
#include <string>

namespace {

constexpr UINT kParseIntString = 61712;
constexpr UINT kParseIntRangeString = 61714;

// The framework's %1 and %2 substitution.
std::string FormatString2(LPCSTR pattern, const std::string& first, const std::string& second) {
    std::string out;
    for (const char* p = pattern ? pattern : ""; *p; ++p) {
        if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
            out += p[1] == '1' ? first : second;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

std::string FormatLong(long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%ld", value);
    return text;
}

} // namespace

void CDataExchange::PrepareCtrl(int id) {
    m_idLastControl = id;
    m_bEditLastControl = FALSE;
}

void CDataExchange::PrepareEditCtrl(int id) {
    PrepareCtrl(id);
    m_bEditLastControl = TRUE;
}

void CDataExchange::Fail() {
    if (m_idLastControl != 0) {
        m_pDlgWnd->GotoDlgCtrl(m_idLastControl);
        if (m_bEditLastControl) m_pDlgWnd->SendDlgItemMessage(m_idLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        pDX->m_pDlgWnd->SetDlgItemText(id, FormatLong(value).c_str());
        return;
    }
    int parsed;
    if (!AfxParseInt(pDX->m_pDlgWnd->GetDlgItemText(id).c_str(), &parsed)) {
        AfxMessageBox(kParseIntString, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = parsed;
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    std::string prompt =
        FormatString2(AfxLoadString(kParseIntRangeString), FormatLong(minVal), FormatLong(maxVal));
    AfxMessageBox(prompt.c_str(), MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
    pDX->PrepareCtrl(id);
    const DLGTEMPLATEDATA* dialogTemplate = pDX->m_pDlgWnd->GetTemplate();
    int first = dialogTemplate ? dialogTemplate->IndexOf(id) : -1;
    if (first < 0) return;
    if (pDX->m_bSaveAndValidate) value = -1;
    int number = 0;
    for (size_t i = static_cast<size_t>(first); i < dialogTemplate->itemCount; ++i) {
        const DLGITEMDATA& item = dialogTemplate->items[i];
        if (i != static_cast<size_t>(first) && (item.style & WS_GROUP)) break;
        if (item.kind != DlgItemClass::Button || (item.style & BS_TYPEMASK) != BS_AUTORADIOBUTTON) continue;
        if (pDX->m_bSaveAndValidate) {
            if (pDX->m_pDlgWnd->SendDlgItemMessage(item.id, BM_GETCHECK) == BST_CHECKED) value = number;
        } else {
            pDX->m_pDlgWnd->SendDlgItemMessage(item.id, BM_SETCHECK, number == value ? BST_CHECKED : BST_UNCHECKED);
        }
        ++number;
    }
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(pDX->m_pDlgWnd->SendDlgItemMessage(id, BM_GETCHECK));
    else
        pDX->m_pDlgWnd->SendDlgItemMessage(id, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED);
}
