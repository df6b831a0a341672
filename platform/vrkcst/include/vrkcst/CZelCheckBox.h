#pragma once

#include <afx/afxwin.h>

// Takes over a template check box (subclassing it); FALSE when there is no such control.
class CZelCheckBox : public CButton {
public:
    BOOL Attach(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent); }
};
