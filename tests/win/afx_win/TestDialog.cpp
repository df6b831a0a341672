#include "TestDialog.h"

BEGIN_MESSAGE_MAP(CDrawnButton, CButton)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_WM_CLOSE()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSEMOVE()
    ON_BN_CLICKED(IDC_AFXTEST_GO, &CTestDialog::OnGo)
    ON_EN_CHANGE(IDC_AFXTEST_INT, &CTestDialog::OnChangeInt)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_AFXTEST_RADIO_A, IDC_AFXTEST_RADIO_C, &CTestDialog::OnRadio)
    ON_NOTIFY(TVN_SELCHANGEDW, IDC_AFXTEST_TREE, &CTestDialog::OnSelchangedTree)
    ON_MESSAGE(WM_AFXTEST_ASK, &CTestDialog::OnAsk)
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CTestDialog, CDialog)
    ON_EVENT(CTestDialog, IDC_AFXTEST_CONTROL, 8, OnSetObsPosition, VTS_R8 VTS_R8)
    ON_EVENT(CTestDialog, IDC_AFXTEST_CONTROL, 9, OnSetMag, VTS_R8)
    ON_EVENT(CTestDialog, IDC_AFXTEST_CONTROL, 10, OnNamed, VTS_BSTR VTS_I4)
END_EVENTSINK_MAP()

BOOL CTestDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_log.push_back(L"Init");
    return TRUE;
}

void CTestDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AFXTEST_INT, m_editInt);
    DDX_Text(pDX, IDC_AFXTEST_INT, m_nInt);
    if (GetTemplateID() != IDD_AFXTEST) return;
    DDX_Control(pDX, IDC_AFXTEST_GO, m_goButton);
    DDX_Text(pDX, IDC_AFXTEST_DOUBLE, m_dDouble);
    DDX_Text(pDX, IDC_AFXTEST_TEXT, m_strText);
    DDX_Text(pDX, IDC_AFXTEST_UINT, m_nUint);
    DDX_Radio(pDX, IDC_AFXTEST_RADIO_A, m_nRadio);
    DDX_Check(pDX, IDC_AFXTEST_CHECK, m_nCheck);
    DDX_CBIndex(pDX, IDC_AFXTEST_COMBO, m_nCombo);
}

void CTestDialog::OnOK()
{
    m_log.push_back(L"OK");
    CDialog::OnOK();
}

void CTestDialog::OnCancel()
{
    m_log.push_back(L"Cancel");
    CDialog::OnCancel();
}

void CTestDialog::OnClose()
{
    m_log.push_back(L"Close");
    CDialog::OnClose();
}

void CTestDialog::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    m_nLastVScrollCode = nSBCode;
    m_hLastScrollBar = pScrollBar ? pScrollBar->GetSafeHwnd() : nullptr;
}

BOOL CTestDialog::OnMouseWheel(UINT, short zDelta, CPoint pt)
{
    m_log.push_back(L"Wheel");
    m_zDelta = zDelta;
    m_pt = pt;
    return TRUE;
}

void CTestDialog::OnMouseMove(UINT, CPoint point)
{
    m_log.push_back(L"MouseMove");
    m_pt = point;
}

void CTestDialog::OnGo()
{
    m_log.push_back(L"Go");
    if (m_bThrowOnGo) AfxThrowInvalidArgException();
}

void CTestDialog::OnChangeInt()
{
    ++m_nEnChangeInt;
}

void CTestDialog::OnRadio(UINT nID)
{
    m_log.push_back(L"Radio:" + std::to_wstring(nID));
}

void CTestDialog::OnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_hLastSelected = reinterpret_cast<NMTREEVIEWW*>(pNMHDR)->itemNew.hItem;
    *pResult = 0;
}

LRESULT CTestDialog::OnAsk(WPARAM wParam, LPARAM lParam)
{
    return static_cast<LRESULT>(wParam) + lParam;
}

void CTestDialog::OnSetObsPosition(double lng, double lat)
{
    m_log.push_back(L"SetObsPosition");
    m_eventArgs = {lng, lat};
}

void CTestDialog::OnSetMag(double mag)
{
    m_log.push_back(L"SetMag");
    m_eventArgs = {mag};
}

BOOL CTestDialog::OnNamed(LPCTSTR name, long n)
{
    m_log.push_back(std::wstring(L"Named:") + name + L":" + std::to_wstring(n));
    return TRUE;
}
