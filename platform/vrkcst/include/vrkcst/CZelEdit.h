#pragma once

#include <afx/afxwin.h>

// Takes over a template edit (subclassing it); FALSE when there is no such control.
class CZelEdit : public CEdit {
public:
    BOOL Attach(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent); }
};
