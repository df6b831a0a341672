#include "AfxInternal.h"

namespace {

CString TextOf(HWND h)
{
    CString s;
    if (CWnd* p = CWnd::FromHandle(h)) p->GetWindowText(s);
    return s;
}

}  // namespace

CUserException::~CUserException() = default;

void AfxThrowUserException()
{
    throw new CUserException;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND h = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC) : nullptr;
    // A control the template does not have is a programming error.
    if (!h) AfxThrowInvalidArgException();
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (m_idLastControl != 0 && m_pDlgWnd && m_pDlgWnd->GetSafeHwnd()) {
        HWND dlg = m_pDlgWnd->GetSafeHwnd();
        HWND h = ::GetDlgItem(dlg, m_idLastControl);
        if (h) {
            ::SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(h), TRUE);
            if (m_bEditLastControl) ::SendMessageW(h, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = TextOf(h);
    else if (TextOf(h) != value)
        ::SetWindowTextW(h, value);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND first = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) value = -1;
    int index = 0;
    for (HWND h = first; h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (::GetWindowLongPtrW(h, GWL_STYLE) & WS_GROUP)) break;
        if (!(::SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
        } else {
            const WPARAM want = index == value ? BST_CHECKED : BST_UNCHECKED;
            if (static_cast<WPARAM>(::SendMessageW(h, BM_GETCHECK, 0, 0)) != want)
                ::SendMessageW(h, BM_SETCHECK, want, 0);
        }
        ++index;
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(h, BM_GETCHECK, 0, 0));
    } else {
        const WPARAM state = (value == BST_CHECKED || value == BST_INDETERMINATE) ? value : BST_UNCHECKED;
        ::SendMessageW(h, BM_SETCHECK, state, 0);
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(h, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
