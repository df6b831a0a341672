#pragma once

#include <afx/afxwin.h>

// Takes over a template group box title (subclassing it); FALSE when there is no such control.
class CZelGroupTitle : public CButton {
public:
    BOOL Attach(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent); }
};
