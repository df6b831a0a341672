#pragma once

#include <afx/afxwin.h>

#include <string>
#include <vector>

#include "testres/AfxWinTestRes.h"

extern "C" __declspec(dllimport) HMODULE AfxWinTestResModule();

// A button that draws itself, reached by the parent's reflection of WM_DRAWITEM.
class CDrawnButton : public CButton {
public:
    int m_nDrawn = 0;

protected:
    afx_msg void DrawItem(LPDRAWITEMSTRUCT) { ++m_nDrawn; }
    DECLARE_MESSAGE_MAP()
};

// A dialog on the test template that records what reached its handlers.
class CTestDialog : public CDialog {
public:
    explicit CTestDialog(UINT nIDTemplate = IDD_AFXTEST, CWnd* pParent = nullptr)
        : CDialog(nIDTemplate, pParent) {}

    // Fields exchanged by DoDataExchange (only those the template has).
    int m_nInt = 0;
    double m_dDouble = 0.0;
    CString m_strText;
    UINT m_nUint = 0;
    int m_nRadio = -1;
    int m_nCheck = 0;
    int m_nCombo = -1;

    // What the handlers saw, in order ("Go", "Change:1001", "Close", "Cancel", ...).
    std::vector<std::wstring> m_log;
    int m_nEnChangeInt = 0;
    UINT m_nLastVScrollCode = 0xFFFF;
    HWND m_hLastScrollBar = nullptr;
    HTREEITEM m_hLastSelected = nullptr;
    std::vector<double> m_eventArgs;
    short m_zDelta = 0;
    CPoint m_pt;
    bool m_bThrowOnGo = false;

    CEdit m_editInt;
    CDrawnButton m_goButton;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnClose();
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnGo();
    afx_msg void OnChangeInt();
    afx_msg void OnRadio(UINT nID);
    afx_msg void OnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnAsk(WPARAM wParam, LPARAM lParam);
    void OnSetObsPosition(double lng, double lat);
    void OnSetMag(double mag);
    BOOL OnNamed(LPCTSTR name, long n);

    DECLARE_MESSAGE_MAP()
    DECLARE_EVENTSINK_MAP()
};

// A private message the dialog answers with wParam + lParam.
constexpr UINT WM_AFXTEST_ASK = WM_APP + 17;
constexpr UINT IDC_AFXTEST_CONTROL = 5002;
