#include <vrkcst/CZelDialog.h>

#include <vrkcst/CZelTheme.h>
#include <host/CCorZel.h>
#include <vrkreg/CRegistry.h>

namespace {
const wchar_t kWindowPos[] = L"WindowPos";
}

BEGIN_MESSAGE_MAP(CZelDialog, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CZelDialog::CZelDialog(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_bThemed(CZelTheme::IsThemeActive()), m_pCor(nullptr)
{
}

CZelDialog::CZelDialog(CCorZel* pCor, UINT nIDTemplate, CWnd* pParent)
    : CZelDialog(nIDTemplate, pParent)
{
    m_pCor = pCor;
}

CZelDialog::~CZelDialog() = default;

BOOL CZelDialog::Create(CCorZel* pCor, CWnd* pParent)
{
    m_pCor = pCor;
    return CDialog::Create(GetTemplateID(), pParent ? pParent : m_pParentWnd);
}

void CZelDialog::AttachControls()
{
}

BOOL CZelDialog::DoitBool(const CString& property, BOOL bValue)
{
    if (!m_pCor)
        return FALSE;
    CString command;
    command.Format(L"%s = %s", property.GetString(), bValue ? L"TRUE" : L"FALSE");
    m_pCor->Command(command);
    return TRUE;
}

void CZelDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BOOL CZelDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strRegKey.IsEmpty()) {
        int show = SW_SHOWNORMAL;
        CRegistry::Read(m_strRegKey, kWindowPos, this, &show, 1);
    }
    return TRUE;
}

void CZelDialog::OnDestroy()
{
    if (!m_strRegKey.IsEmpty())
        CRegistry::Write(m_strRegKey, kWindowPos, this, 0);
    CDialog::OnDestroy();
}
