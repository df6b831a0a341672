#pragma once

#include <afx/afxdefs.h>
#include <afx/CCmdTarget.h>
#include <afx/CString.h>
#include <afx/Geometry.h>
#include <afx/OleControl.h>

#include <commctrl.h>

class CScrollBar;

// A window. A CWnd is either permanent (subclassed, created or a dialog: FromHandle
// returns this object) or a temporary wrapper that FromHandle makes for any other window and
// that lives until the window is gone. Everything runs on the one UI thread.
class AFX_API CWnd : public CCmdTarget {
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    // Unsubclasses a subclassed window, destroys a window this object created (CreateEx,
    // CreateControl, a dialog) and releases a control's IDispatch.
    ~CWnd() override;

    operator HWND() const { return m_hWnd; }
    // Null for a null object as well.
    HWND GetSafeHwnd() const;

    // The permanent object of the window, else a temporary one; null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // The permanent object of the window, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Forgets the window without unsubclassing it; returns it.
    HWND Detach();
    // Makes this object the window's permanent object and routes the window's messages through
    // WindowProc (then the window's own procedure). FALSE when the handle is null or no window,
    // this object already has a window, or the window already has an object.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent)
    {
        return pParent && pParent->m_hWnd && SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
    }
    // Restores the window's own procedure and detaches; returns the window.
    HWND UnsubclassWindow();

    // Creates a window of the framework's class (className null or "AfxWnd") or of any
    // registered class (then subclassed). FALSE on failure.
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // The message procedure: the message map, then DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Dispatches through the message map (reflecting control messages to the control first);
    // FALSE when nothing handled the message.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A parent hands a control message back to its control; TRUE when the control took it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // The default handling of the current message.
    LRESULT Default();

    // Window functions; each returns what the Win32 call returns (0/FALSE/null on failure).
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }

    void GetWindowText(CString& rString) const;

    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextW(m_hWnd, nID, lpszString); }
    // Characters copied.
    int GetDlgItemText(int nID, CString& rString) const;
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
    }

    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void ClientToScreen(LPRECT lpRect) const
    {
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
    }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const
    {
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
    }
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
    {
        ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
    }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    {
        return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr,
                              x, y, cx, cy, nFlags);
    }

    // The window that had the focus before, or null.
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static BOOL ReleaseCapture() { return ::ReleaseCapture(); }

    void UpdateWindow() { ::UpdateWindow(m_hWnd); }

    // OLE controls. CreateControl asks the factory registered for clsid to create the control
    // (style, rectangle and id as given, child of pParentWnd), attaches its window to this
    // object, keeps its IDispatch for InvokeHelper and routes its events to pParentWnd's event
    // sink map under nID. FALSE when no factory is registered or the factory fails.
    BOOL CreateControl(REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID);
    // Calls IDispatch::Invoke on the control: arguments after pbParamInfo as described by its
    // VTS_ string (VTS_BSTR: LPCTSTR; VTS_R8: double; VTS_PR8: double*; VTS_I4: long;
    // VTS_UI4: unsigned long; VTS_UI8: ULONGLONG; VTS_BOOL: BOOL; any other fails with
    // E_INVALIDARG). The result (VT_EMPTY: none; VT_BSTR: CString*; VT_I4: long*; any other
    // fails with DISP_E_TYPEMISMATCH) is stored in pvRet. Throws nothing: on failure pvRet stays
    // untouched.
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                      const BYTE* pbParamInfo, ...);
    // The HRESULT of the last InvokeHelper on this object (S_OK, or why it failed).
    HRESULT GetLastInvokeResult() const { return m_hrLastInvoke; }
    // Lets InvokeHelper reach a control that was created elsewhere (AddRefs; null releases).
    void SetControlDispatch(IDispatch* pDispatch);

protected:
    // The window's default procedure: its original procedure when subclassed.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Default handlers: each passes the message to Default().
    void OnClose() { Default(); }
    void OnDestroy() { Default(); }
    void OnPaint() { Default(); }
    void OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
    BOOL OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnRButtonDown(UINT, CPoint) { Default(); }

    // Set by windows this object created, so the destructor destroys them.
    BOOL m_bOwnsWindow = FALSE;

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend struct AfxWindowAccess;

    WNDPROC m_pfnSuper = nullptr;
    IDispatch* m_pCtrlDispatch = nullptr;
    IDispatch* m_pCtrlEventSink = nullptr;
    HRESULT m_hrLastInvoke = S_OK;
};

// The window procedure of subclassed and framework-created windows.
AFX_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
