#include "city/CDlgCityFind.h"

#include "res/resource_city.h"

CDlgCityFind::CDlgCityFind(CCorZel* pCor, CWnd* pParent) : CZelDialog(pCor, IDD_CITY_FIND, pParent) { }

CDlgCityFind::~CDlgCityFind() = default;

void CDlgCityFind::AttachControls()
{
    m_edtText.Attach(IDC_FIND_EDT_TEXT, this);
    m_btnOK.Attach(IDOK, this);
    m_btnCancel.Attach(IDCANCEL, this);
}

void CDlgCityFind::DoDataExchange(CDataExchange* pDX)
{
    CZelDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FIND_EDT_TEXT, m_strText);
}

BOOL CDlgCityFind::OnInitDialog()
{
    CZelDialog::OnInitDialog();
    AttachControls();
    // The last text, selected (as the focus moved by the dialog selects it), so that typing
    // replaces it.
    GotoDlgCtrl(&m_edtText);
    return FALSE;
}

void CDlgCityFind::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strText.IsEmpty()) {
        GotoDlgCtrl(&m_edtText);
        return;
    }
    CZelDialog::OnOK();
}
