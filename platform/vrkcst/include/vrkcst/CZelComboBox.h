#pragma once

#include <afx/afxwin.h>

// Takes over a template combo box (subclassing it); FALSE when there is no such control.
class CZelComboBox : public CComboBox {
public:
    BOOL Attach(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent); }
};
