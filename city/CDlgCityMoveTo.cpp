#include "city/CDlgCityMoveTo.h"

#include "res/resource_city.h"
#include "res/resource_strings.h"

BEGIN_MESSAGE_MAP(CDlgCityMoveTo, CDialog)
    ON_BN_CLICKED(IDC_MOVETO_RD_BEHIND, &CDlgCityMoveTo::OnRdMoveTo)
    ON_BN_CLICKED(IDC_MOVETO_RD_INTO, &CDlgCityMoveTo::OnRdMoveTo)
END_MESSAGE_MAP()

CDlgCityMoveTo::CDlgCityMoveTo(const CString& strFolder, CWnd* pParent)
    : CDialog(IDD_CITY_MOVETO, pParent),
      m_nMoveMode(0),
      m_strFolder(strFolder)
{
}

void CDlgCityMoveTo::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_MOVETO_RD_BEHIND, m_nMoveMode);
}

BOOL CDlgCityMoveTo::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_MOVETO_ICON, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, IDI_ASTERISK)), 0);

    // A "&" in the folder's name would otherwise vanish and make the next letter an access key.
    CString strName = m_strFolder;
    strName.Replace(L"&", L"&&");
    CString strBehind;
    strBehind.Format(IDS_MOVE_BEHIND_FOLDER, strName.GetString());
    SetDlgItemText(IDC_MOVETO_RD_BEHIND, strBehind);
    CString strInto;
    strInto.Format(IDS_MOVE_INTO_FOLDER, strName.GetString());
    SetDlgItemText(IDC_MOVETO_RD_INTO, strInto);

    UpdateData(FALSE);
    return TRUE;
}

void CDlgCityMoveTo::OnRdMoveTo() { UpdateData(TRUE); }
