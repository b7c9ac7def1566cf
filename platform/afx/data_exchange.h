// Dialog data exchange: moves values between a dialog's members and its controls, and checks
// them on the way back.
#pragma once

#include "platform/base/wintypes.h"

class CDialog;

// Thrown by CDataExchange::Fail after the user was told what is wrong; UpdateData catches it.
class CUserException {};

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CDialog* m_pDlgWnd;

    // The control that the checks that follow refer to.
    void PrepareCtrl(int id);
    void PrepareEditCtrl(int id);
    // Puts the focus back on the last prepared control (an edit box gets its whole text
    // selected) and abandons the exchange.
    [[noreturn]] void Fail();

private:
    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

// An integer in an edit box, shown with "%d"; text that is not an integer shows string 61712.
void DDX_Text(CDataExchange* pDX, int id, int& value);
// Out of range shows string 61714 with the bounds; checks only when saving.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
// A group of choice buttons starting at id: the number of the checked one in template order,
// -1 when none is.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
