#pragma once

#include <afx/afxwin.h>

// Takes over a template up-down control (subclassing it); FALSE when there is no such control.
class CZelSpinButton : public CSpinButtonCtrl {
public:
    BOOL Attach(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent); }
};
