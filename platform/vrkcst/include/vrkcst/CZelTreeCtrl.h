#pragma once

#include <afx/afxwin.h>

// Takes over a template tree view (subclassing it); FALSE when there is no such control.
class CZelTreeCtrl : public CTreeCtrl {
public:
    BOOL Attach(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent); }
};
