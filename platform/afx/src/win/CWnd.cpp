#include "AfxInternal.h"

using namespace afx_internal;

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
    w.PostNcDestroy();
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

const MSG* CWnd::GetCurrentMessage()
{
    return &CurrentMessage();
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd || LookupPermanent(hWnd)) return FALSE;
    m_hWnd = hWnd;
    AddPermanent(hWnd, this);
    return TRUE;
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

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->m_hWnd) return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
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

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow()
{
    HWND h = m_hWnd;
    if (!h) return FALSE;
    BOOL ok = ::DestroyWindow(h);
    // A window we only attached sends us no WM_NCDESTROY.
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
    LRESULT reflected = 0;
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
        if (dis && dis->CtlType != ODT_MENU) {
            CWnd* child = LookupPermanent(dis->hwndItem);
            if (child && child != this && child->OnChildNotify(message, wParam, lParam, &reflected)) {
                *pResult = reflected;
                return TRUE;
            }
        }
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        CWnd* child = LookupPermanent(reinterpret_cast<HWND>(lParam));
        if (child && child != this && child->OnChildNotify(message, wParam, lParam, &reflected)) {
            *pResult = reflected;
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    if (!DispatchMessageEntry(message, 0, 0, call)) return FALSE;
    *pResult = call.result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hCtl = reinterpret_cast<HWND>(lParam);
    if (hCtl) {
        CWnd* child = LookupPermanent(hCtl);
        LRESULT r = 0;
        if (child && child != this && child->OnChildNotify(WM_COMMAND, wParam, lParam, &r)) return TRUE;
    }
    AFX_MSGCALL call{WM_COMMAND, wParam, lParam, 0};
    return DispatchMessageEntry(WM_COMMAND, HIWORD(wParam), LOWORD(wParam), call);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr) return FALSE;
    CWnd* child = LookupPermanent(hdr->hwndFrom);
    if (child && child != this && child->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult)) return TRUE;
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

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::PostNcDestroy()
{
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

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
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

int CWnd::GetCheckedRadioButton(int nIDFirst, int nIDLast) const
{
    for (int id = nIDFirst; id <= nIDLast; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) return id;
    return 0;
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    RECT rcWnd{};
    ::GetWindowRect(m_hWnd, &rcWnd);
    HWND hCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD) hCenter = ::GetParent(m_hWnd);
    RECT rcArea{};
    if (hCenter && ::IsWindowVisible(hCenter) && !::IsIconic(hCenter)) {
        ::GetWindowRect(hCenter, &rcArea);
        if (GetStyle() & WS_CHILD) {
            ::GetClientRect(hCenter, &rcArea);
        }
    } else {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
    }
    int w = rcWnd.right - rcWnd.left;
    int h = rcWnd.bottom - rcWnd.top;
    int x = (rcArea.left + rcArea.right - w) / 2;
    int y = (rcArea.top + rcArea.bottom - h) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

CWnd* CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetOwner() const
{
    return FromHandle(::GetWindow(m_hWnd, GW_OWNER));
}

CWnd* CWnd::GetTopLevelParent() const
{
    return FromHandle(::GetAncestor(m_hWnd, GA_ROOT));
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetStyle();
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetExStyle();
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(newStyle));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return AfxShowMessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

CScrollBar* AfxScrollBarFromHandle(HWND hWnd)
{
    // As the framework does: the wrapper is handed out under the scroll bar's type; only CWnd
    // members are used through it.
    return hWnd ? reinterpret_cast<CScrollBar*>(CWnd::FromHandle(hWnd)) : nullptr;
}

// Default handlers.
void CWnd::OnClose() { Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
