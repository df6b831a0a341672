#include "TestDialog.h"

#include <afx/TextFormat.h>

#include <cstdarg>

BEGIN_MESSAGE_MAP(CDrawnButton, CButton)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

void CDrawnButton::DrawItem(LPDRAWITEMSTRUCT)
{
    static_cast<CTestDialog*>(GetParent())->Log(L"Drawn");
}

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_WM_CLOSE()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_BN_CLICKED(IDC_AFXTEST_GO, &CTestDialog::OnGo)
    ON_EN_CHANGE(IDC_AFXTEST_INT, &CTestDialog::OnChangeText)
    ON_NOTIFY(TVN_SELCHANGEDW, IDC_AFXTEST_TREE, &CTestDialog::OnSelchangedTree)
    ON_MESSAGE(WM_AFXTEST_ASK, &CTestDialog::OnAsk)
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CTestDialog, CDialog)
    ON_EVENT(CTestDialog, IDC_AFXTEST_CONTROL, 8, OnSetObsPosition, VTS_R8 VTS_R8)
    ON_EVENT(CTestDialog, IDC_AFXTEST_CONTROL, 9, OnSetMag, VTS_R8)
END_EVENTSINK_MAP()

void CTestDialog::Log(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    m_log.push_back(FormatTextV(format, args));
    va_end(args);
}

BOOL CTestDialog::OnInitDialog()
{
    m_edit.SubclassDlgItem(IDC_AFXTEST_INT, this);
    if (GetTemplateID() == IDD_AFXTEST) m_goButton.SubclassDlgItem(IDC_AFXTEST_GO, this);
    CDialog::OnInitDialog();
    Log(L"Init");
    return TRUE;
}

void CTestDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_AFXTEST_INT, m_strText);
    if (GetTemplateID() != IDD_AFXTEST) return;
    DDX_Radio(pDX, IDC_AFXTEST_RADIO_A, m_nRadio);
    DDX_Check(pDX, IDC_AFXTEST_CHECK, m_nCheck);
    DDX_CBIndex(pDX, IDC_AFXTEST_COMBO, m_nCombo);
}

void CTestDialog::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    const bool slider = pScrollBar && pScrollBar->GetSafeHwnd() == ::GetDlgItem(m_hWnd, IDC_AFXTEST_SLIDER);
    Log(L"VScroll:%u:%s", nSBCode, slider ? L"slider" : L"?");
}

void CTestDialog::OnGo()
{
    Log(L"Go");
    if (m_bThrowOnGo) AfxThrowInvalidArgException();
}

void CTestDialog::OnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    Log(L"Tree:%d", reinterpret_cast<NMTREEVIEWW*>(pNMHDR)->itemNew.hItem != nullptr);
    *pResult = 0;
}

