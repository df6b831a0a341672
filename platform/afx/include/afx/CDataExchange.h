#pragma once

#include <afx/afxdefs.h>
#include <afx/CException.h>
#include <afx/CString.h>

class CWnd;

// Thrown by CDataExchange::Fail once the user has been told what is wrong; UpdateData catches
// it and returns FALSE.
class AFX_API CUserException : public CException {
public:
    CUserException() = default;
    ~CUserException() override;
};

[[noreturn]] AFX_API void AfxThrowUserException();

// Moves values between a dialog's members and its controls. On load (m_bSaveAndValidate FALSE)
// an edit is written only when its text does not already mean the value, so that a load neither
// fires a needless EN_CHANGE nor spoils a number being typed.
class AFX_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control's window (the control must exist); remembers it for Fail.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Gives the focus to the last prepared control (selecting an edit's text) and throws
    // CUserException*.
    [[noreturn]] void Fail();

private:
    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

// An edit's text. Numbers go through the common library's DDX_Int and DDX_DoubleFmt.
AFX_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// The radio group that starts at nIDC (up to the next WS_GROUP): the index of the checked
// button, -1 for none.
AFX_API void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
AFX_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The combo box's selected index, -1 for none.
AFX_API void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);

