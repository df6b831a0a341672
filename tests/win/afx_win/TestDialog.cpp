#include "TestDialog.h"

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_BN_CLICKED(IDC_AFXTEST_GO, &CTestDialog::OnGo)
END_MESSAGE_MAP()

BOOL CTestDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_log.push_back(L"Init");
    return TRUE;
}

void CTestDialog::OnGo()
{
    m_log.push_back(L"Go");
    if (m_bThrowOnGo) AfxThrowInvalidArgException();
}
