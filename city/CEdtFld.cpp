#include "city/CEdtFld.h"

#include "res/resource_city.h"
#include "res/resource_strings.h"

#include <citydb/CCityEditor.h>

CEdtFld::CEdtFld(CWnd* pParent)
    : CEdtFld(nullptr, pParent)
{
}

CEdtFld::CEdtFld(CCorZel* pCor, CWnd* pParent)
    : CZelDialog(pCor, IDD_EDTFLD, pParent)
{
    m_strRegKey.LoadString(IDS_REGKEY_EDITFOLDER);
}

CEdtFld::~CEdtFld() = default;

void CEdtFld::AttachControls()
{
    m_edtName.Attach(IDC_EDTFLD_EDT_NAME, this);
    m_btnOK.Attach(IDOK, this);
    m_btnCancel.Attach(IDCANCEL, this);
}

void CEdtFld::DoDataExchange(CDataExchange* pDX)
{
    CZelDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EDTFLD_EDT_NAME, m_strName);
}

BOOL CEdtFld::OnInitDialog()
{
    CZelDialog::OnInitDialog();
    AttachControls();
    return TRUE;
}

void CEdtFld::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const CString strRefusal = CCityEditor::CheckFolderName(m_strName);
    if (!strRefusal.IsEmpty()) {
        AfxMessageBox(strRefusal, MB_OK);
        UpdateData(FALSE);
        // The user retypes the name without first reaching for the mouse.
        GotoDlgCtrl(&m_edtName);
        return;
    }
    UpdateData(FALSE);
    CZelDialog::OnOK();
}
