#pragma once

#include <afx/afxwin.h>

// Takes over a template radio button (subclassing it); FALSE when there is no such control.
class CZelRadioButton : public CButton {
public:
    BOOL Attach(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent); }
};
