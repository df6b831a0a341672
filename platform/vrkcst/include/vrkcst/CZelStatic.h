#pragma once

#include <afx/afxwin.h>

// Takes over a template static text (subclassing it); FALSE when there is no such control.
class CZelStatic : public CStatic {
public:
    BOOL Attach(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent); }
};
