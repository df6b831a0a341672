#include "AfxInternal.h"

using namespace afx_internal;

namespace {

const wchar_t kDialogProp[] = L"AfxDialogObject";

UINT RunHookMessage()
{
    static const UINT msg = ::RegisterWindowMessageW(L"AfxRunModalDialogHook");
    return msg;
}

UINT CheckHookMessage()
{
    static const UINT msg = ::RegisterWindowMessageW(L"AfxCheckModalDialogHook");
    return msg;
}

// Messages whose result is the dialog procedure's return value instead of DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

HWND OwnerFor(CWnd* pParent)
{
    HWND h = pParent ? pParent->GetSafeHwnd() : nullptr;
    if (!h) {
        CWnd* main = AfxGetMainWnd();
        h = main ? main->GetSafeHwnd() : nullptr;
    }
    return h;
}

}  // namespace

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* pDlg = reinterpret_cast<CDialog*>(lParam);
        if (!pDlg) return TRUE;
        ::SetPropW(hWnd, kDialogProp, pDlg);
        pDlg->m_hWnd = hWnd;
        AddPermanent(hWnd, pDlg);
        BOOL focusDefault = TRUE;
        {
            MessageScope scope(hWnd, message, wParam, lParam);
            CallGuarded([&] { focusDefault = pDlg->OnInitDialog(); });
        }
        if (::GetPropW(hWnd, kDialogProp) == pDlg && pDlg->m_bModal &&
            HasModalDialogHook(pDlg->GetTemplateID()))
            ::PostMessageW(hWnd, RunHookMessage(), 0, 0);
        return focusDefault;
    }

    auto* pDlg = static_cast<CDialog*>(::GetPropW(hWnd, kDialogProp));
    if (!pDlg) return FALSE;

    // The nested call made by a handler's Default(): let the system handle it.
    if (pDlg->m_bDefaultPending) {
        const MSG& d = pDlg->m_defaultMsg;
        if (d.message == message && d.wParam == wParam && d.lParam == lParam) {
            pDlg->m_bDefaultPending = FALSE;
            return FALSE;
        }
    }

    if (message == WM_NCDESTROY) {
        ::RemovePropW(hWnd, kDialogProp);
        RemovePermanent(hWnd);
        pDlg->m_hWnd = nullptr;
        pDlg->m_bOwnsWindow = FALSE;
        AfxWindowAccess::ReleaseControl(*pDlg);
        return FALSE;
    }

    if (message == RunHookMessage() && RunHookMessage() != 0) {
        // The dialog would be shown once its loop goes idle; the script acts as a user would.
        if (!::IsWindowVisible(hWnd)) ::ShowWindow(hWnd, SW_SHOWNORMAL);
        RunModalDialogHook(pDlg, pDlg->GetTemplateID());
        if (::GetPropW(hWnd, kDialogProp) == pDlg) ::PostMessageW(hWnd, CheckHookMessage(), 0, 0);
        return TRUE;
    }
    if (message == CheckHookMessage() && CheckHookMessage() != 0) {
        if (pDlg->m_bModal && !pDlg->m_bEnded) {
            CString failure;
            failure.Format(L"modal dialog %u was left open by its test script", pDlg->GetTemplateID());
            AfxTestRecordFailure(failure);
            pDlg->EndDialog(IDCANCEL);
        }
        return TRUE;
    }

    LRESULT result = 0;
    BOOL outerUnhandled = pDlg->m_bUnhandled;
    pDlg->m_bUnhandled = FALSE;
    {
        MessageScope scope(hWnd, message, wParam, lParam);
        CallGuarded([&] { result = pDlg->WindowProc(message, wParam, lParam); });
    }
    // The handler may have destroyed the dialog (and its object).
    if (::GetPropW(hWnd, kDialogProp) != pDlg) return TRUE;
    BOOL unhandled = pDlg->m_bUnhandled;
    pDlg->m_bUnhandled = outerUnhandled;
    if (unhandled) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    // Destroy while this is still a CDialog, so the dialog procedure reaches a live object.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        if (m_bModal) ::EndDialog(m_hWnd, IDCANCEL);
        ::DestroyWindow(m_hWnd);
    }
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_hWnd) return FALSE;
    m_nIDHelp = nIDTemplate;
    if (pParentWnd) m_pParentWnd = pParentWnd;
    HINSTANCE hInst = nullptr;
    const DLGTEMPLATE* tmpl = FindDialogTemplate(m_nIDHelp, &hInst);
    if (!tmpl) return FALSE;
    AfxInitCommonControls();
    m_bModal = FALSE;
    m_bEnded = FALSE;
    HWND h = ::CreateDialogIndirectParamW(hInst, tmpl, OwnerFor(pParentWnd), AfxDlgProc,
                                          reinterpret_cast<LPARAM>(this));
    if (!h) {
        if (m_hWnd) {
            RemovePermanent(m_hWnd);
            m_hWnd = nullptr;
        }
        return FALSE;
    }
    m_bOwnsWindow = TRUE;
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd) return -1;
    HINSTANCE hInst = nullptr;
    const DLGTEMPLATE* tmpl = FindDialogTemplate(m_nIDHelp, &hInst);
    if (!tmpl) return -1;
    AfxInitCommonControls();
    m_bModal = TRUE;
    m_bEnded = FALSE;
    INT_PTR result = ::DialogBoxIndirectParamW(hInst, tmpl, OwnerFor(m_pParentWnd), AfxDlgProc,
                                               reinterpret_cast<LPARAM>(this));
    m_bModal = FALSE;
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (!m_hWnd) return;
    m_bEnded = TRUE;
    if (m_bModal)
        ::EndDialog(m_hWnd, nResult);
    else
        ::ShowWindow(m_hWnd, SW_HIDE);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        // The failing field has told the user and taken the focus.
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    // Unhandled messages go back to the system's dialog handling via the procedure's FALSE.
    if (!OnWndMsg(message, wParam, lParam, &result)) m_bUnhandled = TRUE;
    return result;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd) return 0;
    BOOL savedPending = m_bDefaultPending;
    MSG savedMsg = m_defaultMsg;
    m_bDefaultPending = TRUE;
    m_defaultMsg.hwnd = m_hWnd;
    m_defaultMsg.message = message;
    m_defaultMsg.wParam = wParam;
    m_defaultMsg.lParam = lParam;
    LRESULT result = ::DefDlgProcW(m_hWnd, message, wParam, lParam);
    m_bDefaultPending = savedPending;
    m_defaultMsg = savedMsg;
    return result;
}

BOOL CDialog::DestroyWindow()
{
    if (m_hWnd && m_bModal) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    return CWnd::DestroyWindow();
}
