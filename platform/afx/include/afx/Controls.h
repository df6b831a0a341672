#pragma once

#include <afx/afxdefs.h>
#include <afx/CWnd.h>

#include <commctrl.h>

// Thin views over standard and common controls: no state beyond the window, one message per
// call. Attach one with SubclassDlgItem.

class CButton : public CWnd {};

class CEdit : public CWnd {};

class CStatic : public CWnd {};

class CComboBox : public CWnd {
public:
    // Each returns CB_ERR (-1) on failure, CB_ERRSPACE when out of memory.
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, nSelect)); }
    int AddString(LPCTSTR lpszString)
    {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
    }
};

class CScrollBar : public CWnd {};

class CSpinButtonCtrl : public CWnd {};

class CSliderCtrl : public CWnd {
public:
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
        SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
    }
    void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, nFreq); }
};
