#include "city/CAddCty.h"

#include "res/resource_city.h"
#include "res/resource_strings.h"

CAddCty::CAddCty(CWnd* pParent)
    : CAddCty(nullptr, pParent)
{
}

CAddCty::CAddCty(CCorZel* pCor, CWnd* pParent)
    : CZelDialog(pCor, IDD_ADDCTY, pParent), m_nAddType(-1)
{
    m_strRegKey.LoadString(IDS_REGKEY_ADDCITY);
}

CAddCty::~CAddCty() = default;

void CAddCty::AttachControls()
{
    m_rdCity.Attach(IDC_ADDCTY_RD_CITY, this);
    m_rdFolder.Attach(IDC_ADDCTY_RD_FOLDER, this);
    m_btnOK.Attach(IDOK, this);
    m_btnCancel.Attach(IDCANCEL, this);
}

void CAddCty::DoDataExchange(CDataExchange* pDX)
{
    CZelDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_ADDCTY_RD_CITY, m_nAddType);
}

BOOL CAddCty::OnInitDialog()
{
    CZelDialog::OnInitDialog();
    AttachControls();
    return TRUE;
}
