#pragma once

#include <afx/afxwin.h>

#include <string>
#include <vector>

#include "testres/AfxWinTestRes.h"

extern "C" __declspec(dllimport) HMODULE AfxWinTestResModule();

// A button that draws itself, reached by the parent's reflection of WM_DRAWITEM.
class CDrawnButton : public CButton {
protected:
    afx_msg void DrawItem(LPDRAWITEMSTRUCT);
    DECLARE_MESSAGE_MAP()
};

// A dialog on the test templates that logs what reached its handlers, with what they were given
// ("Go", "Wheel:-120:-5,300", "SetMag:3", ...).
class CTestDialog : public CDialog {
public:
    explicit CTestDialog(UINT nIDTemplate = IDD_AFXTEST, CWnd* pParent = nullptr)
        : CDialog(nIDTemplate, pParent) {}

    // Exchanged by DoDataExchange; the modal template has only the first edit.
    CString m_strText;
    int m_nRadio = -1;
    int m_nCheck = 0;
    int m_nCombo = -1;

    std::vector<std::wstring> m_log;
    bool m_bThrowOnGo = false;
    CEdit m_edit;
    CDrawnButton m_goButton;

    void Log(const wchar_t* format, ...);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnClose();
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnGo();
    afx_msg void OnChangeText();
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
