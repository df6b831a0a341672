#include <gtest/gtest.h>

#include "TestDialog.h"
#include "TestSupport.h"

namespace {

HBRUSH DialogBrush() { return static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)); }
HBRUSH EditBrush() { return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)); }

// A dialog that colours its controls, derived from a dialog with its own map: both maps apply.
class CColourDialog : public CTestDialog {
public:
    int m_nCtlColorCalls = 0;

protected:
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        ++m_nCtlColorCalls;
        EXPECT_NE(nullptr, pDC);
        EXPECT_NE(nullptr, pWnd);
        EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), nCtlColor);
        return DialogBrush();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourDialog, CTestDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// A control that colours and draws itself; a null brush leaves the colour to the dialog.
class CSelfDrawn : public CButton {
public:
    bool m_bColour = true;
    int m_nDrawn = 0;
    UINT m_nClicks = 0;

protected:
    afx_msg HBRUSH CtlColor(CDC*, UINT) { return m_bColour ? EditBrush() : nullptr; }
    afx_msg void DrawItem(LPDRAWITEMSTRUCT) { ++m_nDrawn; }
    afx_msg void OnReflectedClick() { ++m_nClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfDrawn, CButton)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_DRAWITEM_REFLECT()
    ON_CONTROL_REFLECT(BN_DOUBLECLICKED, &CSelfDrawn::OnReflectedClick)
END_MESSAGE_MAP()

class Reflection : public ScriptedTest {};

TEST_F(Reflection, ControlsGetTheirOwnMessagesBeforeTheDialog)
{
    CColourDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
    CSelfDrawn button;
    ASSERT_TRUE(button.SubclassDlgItem(IDC_AFXTEST_GO, &dlg));
    HDC dc = ::GetDC(dlg);

    // WM_CTLCOLOR* results are the dialog procedure's return value.
    EXPECT_EQ(reinterpret_cast<LRESULT>(EditBrush()),
              dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(button.m_hWnd)));
    EXPECT_EQ(0, dlg.m_nCtlColorCalls) << "the dialog coloured a control that colours itself";

    button.m_bColour = false;
    EXPECT_EQ(reinterpret_cast<LRESULT>(DialogBrush()),
              dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(button.m_hWnd)));
    EXPECT_EQ(1, dlg.m_nCtlColorCalls);

    const HWND plain = ::GetDlgItem(dlg, IDC_AFXTEST_CHECK);
    EXPECT_EQ(reinterpret_cast<LRESULT>(DialogBrush()),
              dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(plain)));
    EXPECT_EQ(2, dlg.m_nCtlColorCalls);
    ::ReleaseDC(dlg, dc);

    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = IDC_AFXTEST_GO;
    dis.hwndItem = button.m_hWnd;
    EXPECT_EQ(TRUE, dlg.SendMessage(WM_DRAWITEM, IDC_AFXTEST_GO, reinterpret_cast<LPARAM>(&dis)));
    EXPECT_EQ(1, button.m_nDrawn);

    // A reflected notification is the control's; the dialog's own handlers still get the rest.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_AFXTEST_GO, BN_DOUBLECLICKED),
                    reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(1u, button.m_nClicks);
    ::SendMessageW(button.m_hWnd, BM_CLICK, 0, 0);
    const std::vector<std::wstring> expected = {L"Init", L"Go"};
    EXPECT_EQ(expected, dlg.m_log);
    EXPECT_EQ(L"", JoinedFailures());
}

}  // namespace

namespace {

// A dialog whose handler asks the system's default first, as themed dialogs do.
class CDefaultColourDialog : public CTestDialog {
public:
    HBRUSH m_hDefault = nullptr;

protected:
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        m_hDefault = CTestDialog::OnCtlColor(pDC, pWnd, nCtlColor);
        return m_hDefault;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDefaultColourDialog, CTestDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST_F(Reflection, DefaultInsideAHandlerReturnsTheSystemsAnswer)
{
    CDefaultColourDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
    HDC dc = ::GetDC(dlg);
    const LRESULT r = dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDC_AFXTEST_CHECK)));
    ::ReleaseDC(dlg, dc);
    EXPECT_NE(nullptr, dlg.m_hDefault) << "Default() gave no brush";
    EXPECT_EQ(reinterpret_cast<LRESULT>(dlg.m_hDefault), r);
    // The dialog still works after the nested default handling.
    EXPECT_EQ(42, dlg.SendMessage(WM_AFXTEST_ASK, 40, 2));
    EXPECT_EQ(L"", JoinedFailures());
}

}  // namespace
