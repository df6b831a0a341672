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
    void OnOK() override { CDialog::OnOK(); Log(L"OK:%s", m_strText.GetString()); }
    void OnCancel() override { Log(L"Cancel"); CDialog::OnCancel(); }

    afx_msg void OnClose() { Log(L"Close"); CDialog::OnClose(); }
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT, short zDelta, CPoint pt) { Log(L"Wheel:%d:%ld,%ld", zDelta, pt.x, pt.y); return TRUE; }
    afx_msg void OnGo();
    afx_msg void OnChangeText() { Log(L"Change"); }
    afx_msg void OnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnAsk(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
    void OnSetObsPosition(double lng, double lat) { Log(L"SetObsPosition:%g,%g", lng, lat); }
    void OnSetMag(double mag) { Log(L"SetMag:%g", mag); }

    DECLARE_MESSAGE_MAP()
    DECLARE_EVENTSINK_MAP()
};

// A private message the dialog answers with wParam + lParam.
constexpr UINT WM_AFXTEST_ASK = WM_APP + 17;
constexpr UINT IDC_AFXTEST_CONTROL = 5002;
