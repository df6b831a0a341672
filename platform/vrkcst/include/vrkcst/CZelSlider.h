#pragma once

#include <afx/afxwin.h>

// Takes over a template trackbar (subclassing it); FALSE when there is no such control.
class CZelSlider : public CSliderCtrl {
public:
    BOOL Attach(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent); }
};
