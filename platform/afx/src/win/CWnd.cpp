#include "AfxInternal.h"

using namespace afx_internal;

namespace {

// Hands a control's message back to the control's own object; TRUE when it took it.
bool Reflected(CWnd* self, HWND hChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* child = LookupPermanent(hChild);
    return child && child != self && child->OnChildNotify(message, wParam, lParam, pResult);
}

}  // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = LookupPermanent(hWnd);
    if (!pWnd) {
        CWnd*& pending = WindowBeingCreated();
        if (pending && !pending->m_hWnd) {
            pWnd = pending;
            pending = nullptr;
            pWnd->m_hWnd = hWnd;
            AddPermanent(hWnd, pWnd);
        }
    }
    if (!pWnd) {
        // The object went away while another subclass was stacked on ours: pass straight on.
        WNDPROC orphan = TakeOrphanProc(hWnd, message == WM_NCDESTROY);
        return orphan ? ::CallWindowProcW(orphan, hWnd, message, wParam, lParam)
                      : ::DefWindowProcW(hWnd, message, wParam, lParam);
    }

    LRESULT result = 0;
    {
        MessageScope scope(hWnd, message, wParam, lParam);
        CallGuarded([&] { result = pWnd->WindowProc(message, wParam, lParam); });
    }
    if (message == WM_NCDESTROY && LookupPermanent(hWnd) == pWnd) {
        CallGuarded([&] { AfxWindowAccess::WindowGone(*pWnd, hWnd); });
    }
    return result;
}

void AfxWindowAccess::ReleaseControl(CWnd& w)
{
    if (w.m_pCtrlDispatch) {
        w.m_pCtrlDispatch->Release();
        w.m_pCtrlDispatch = nullptr;
    }
    if (w.m_pCtrlEventSink) {
        w.m_pCtrlEventSink->Release();
        w.m_pCtrlEventSink = nullptr;
    }
}

void AfxWindowAccess::WindowGone(CWnd& w, HWND hWnd)
{
    if (w.m_pfnSuper) {
        auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
        if (current == AfxWndProc)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(w.m_pfnSuper));
        w.m_pfnSuper = nullptr;
    }
    RemovePermanent(hWnd);
    w.m_hWnd = nullptr;
    w.m_bOwnsWindow = FALSE;
    ReleaseControl(w);
}

CWnd::~CWnd()
{
    if (m_hWnd && m_bOwnsWindow && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    if (m_hWnd) {
        if (m_pfnSuper)
            UnsubclassWindow();
        else
            Detach();
    }
    AfxWindowAccess::ReleaseControl(*this);
}

HWND CWnd::GetSafeHwnd() const
{
    // Callers of the framework call this through null pointers; the volatile copy keeps the
    // check from being optimised away.
    const CWnd* volatile self = this;
    return self ? self->m_hWnd : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd) return nullptr;
    if (CWnd* p = LookupPermanent(hWnd)) return p;
    return LookupOrMakeTemporary(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return LookupPermanent(hWnd);
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h && LookupPermanent(h) == this) RemovePermanent(h);
    m_hWnd = nullptr;
    m_bOwnsWindow = FALSE;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd) || m_hWnd || LookupPermanent(hWnd)) return FALSE;
    m_hWnd = hWnd;
    AddPermanent(hWnd, this);
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (!old) {
        RemovePermanent(hWnd);
        m_hWnd = nullptr;
        return FALSE;
    }
    // A window left by an earlier object of ours already runs AfxWndProc; keep its real proc.
    if (old == AfxWndProc) old = TakeOrphanProc(hWnd, true);
    m_pfnSuper = old ? old : ::DefWindowProcW;
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND h = m_hWnd;
    if (!h) return nullptr;
    if (m_pfnSuper) {
        auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(h, GWLP_WNDPROC));
        if (current == AfxWndProc)
            ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        else if (::IsWindow(h))
            AddOrphanProc(h, m_pfnSuper);
        m_pfnSuper = nullptr;
    }
    return Detach();
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    if (m_hWnd) return FALSE;
    AfxInitCommonControls();
    const bool own = !lpszClassName || (!IS_INTRESOURCE(lpszClassName) && wcscmp(lpszClassName, L"AfxWnd") == 0);
    LPCWSTR cls = own ? FrameworkWindowClass() : lpszClassName;
    HWND hParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    HMENU idOrMenu = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    if (own) WindowBeingCreated() = this;
    HWND h = ::CreateWindowExW(dwExStyle, cls, lpszWindowName, dwStyle, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, hParent, idOrMenu,
                               ModuleHandle(), lpParam);
    if (own) WindowBeingCreated() = nullptr;
    if (!h) {
        if (m_hWnd) Detach();
        return FALSE;
    }
    if (!own && !SubclassWindow(h)) {
        ::DestroyWindow(h);
        return FALSE;
    }
    // A window destroyed during its own creation has already been forgotten.
    if (m_hWnd != h) return FALSE;
    m_bOwnsWindow = TRUE;
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    HWND h = m_hWnd;
    if (!h) return FALSE;
    BOOL ok = ::DestroyWindow(h);
    // In case its WM_NCDESTROY did not reach us.
    if (m_hWnd == h && !::IsWindow(h)) Detach();
    return ok;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd) return 0;
    if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = CurrentMessage();
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    AFX_MSGCALL call{message, wParam, lParam, 0};
    switch (message) {
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 0;
        return TRUE;
    case WM_NOTIFY: {
        LRESULT r = 0;
        if (!OnNotify(wParam, lParam, &r)) return FALSE;
        *pResult = r;
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (dis && dis->CtlType != ODT_MENU && Reflected(this, dis->hwndItem, message, wParam, lParam, pResult))
            return TRUE;
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (Reflected(this, reinterpret_cast<HWND>(lParam), message, wParam, lParam, pResult)) return TRUE;
        break;
    default:
        break;
    }
    if (!DispatchMessageEntry(message, 0, 0, call)) return FALSE;
    *pResult = call.result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    LRESULT r = 0;
    if (Reflected(this, reinterpret_cast<HWND>(lParam), WM_COMMAND, wParam, lParam, &r)) return TRUE;
    AFX_MSGCALL call{WM_COMMAND, wParam, lParam, 0};
    return DispatchMessageEntry(WM_COMMAND, HIWORD(wParam), LOWORD(wParam), call);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr) return FALSE;
    if (Reflected(this, hdr->hwndFrom, WM_NOTIFY, wParam, lParam, pResult)) return TRUE;
    AFX_MSGCALL call{WM_NOTIFY, wParam, lParam, 0};
    if (!DispatchMessageEntry(WM_NOTIFY, hdr->code, static_cast<UINT>(hdr->idFrom), call)) return FALSE;
    *pResult = call.result;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    AFX_MSGCALL call{message, wParam, lParam, 0};
    UINT reflected = WM_REFLECT_BASE + message;
    UINT code = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
    } else if (message == WM_NOTIFY) {
        code = reinterpret_cast<NMHDR*>(lParam)->code;
    }
    if (!FindMessageEntry(reflected, code, 0)) return FALSE;
    MessageScope scope(m_hWnd, message, wParam, lParam);
    if (!DispatchMessageEntry(reflected, code, 0, call)) return FALSE;
    *pResult = call.result;
    return TRUE;
}

void CWnd::GetWindowText(CString& rString) const
{
    int len = ::GetWindowTextLengthW(m_hWnd);
    if (len <= 0) {
        rString.Empty();
        return;
    }
    std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
    int got = ::GetWindowTextW(m_hWnd, &buf[0], len + 1);
    rString = CString(buf.c_str(), got);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND h = ::GetDlgItem(m_hWnd, nID);
    if (!h) {
        rString.Empty();
        return 0;
    }
    CWnd* p = FromHandle(h);
    p->GetWindowText(rString);
    return rString.GetLength();
}

CScrollBar* AfxScrollBarFromHandle(HWND hWnd)
{
    // As the framework does: the wrapper is handed out under the scroll bar's type; only CWnd
    // members are used through it.
    return hWnd ? reinterpret_cast<CScrollBar*>(CWnd::FromHandle(hWnd)) : nullptr;
}
