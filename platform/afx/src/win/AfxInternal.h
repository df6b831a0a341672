#pragma once

// Process-wide state shared by the framework's Windows sources; not part of the interface.

#include <afx/afxwin.h>

#include <exception>

namespace afx_internal {

// Permanent window objects (attached, subclassed, created, dialogs).
CWnd* LookupPermanent(HWND hWnd);
void AddPermanent(HWND hWnd, CWnd* pWnd);
void RemovePermanent(HWND hWnd);
// Temporary wrapper of a window that has no permanent object.
CWnd* LookupOrMakeTemporary(HWND hWnd);

// Original procedures of windows whose object went away while another subclass sat on top.
void AddOrphanProc(HWND hWnd, WNDPROC proc);
WNDPROC TakeOrphanProc(HWND hWnd, bool remove);

// The message being handled, for CWnd::Default(); restored when the handler returns.
MSG& CurrentMessage();
class MessageScope {
public:
    MessageScope(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    ~MessageScope();
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

private:
    MSG m_saved;
};

// A framework exception that reached a Win32 callback: told to the user (through the message
// box handler, so a scripted test records it) and deleted.
void ReportCallbackException(CException* e);
void ReportCallbackException(const std::exception& e);

// Runs code of ours called from a Win32 callback so that no exception unwinds through Win32
// frames: a framework or standard exception is reported. False when one was.
template <class F>
bool CallGuarded(F&& f)
{
    try {
        f();
        return true;
    } catch (CException* e) {
        ReportCallbackException(e);
    } catch (const std::exception& e) {
        ReportCallbackException(e);
    }
    return false;
}

// The module of afx.dll.
HINSTANCE ModuleHandle();

// The framework's window class for CWnd::CreateEx.
LPCWSTR FrameworkWindowClass();
// The object a CreateEx in progress is creating (taken by the first message).
CWnd*& WindowBeingCreated();

// Test hooks run by the dialog procedure.
bool HasModalDialogHook(UINT nIDTemplate);
void RunModalDialogHook(CDialog* pDlg, UINT nIDTemplate);
bool ScriptedMessageBox(HWND owner, const CString& text, const CString& caption, UINT type, int* pAnswer);

// A dialog template through the resource chain; null when none holds it.
const DLGTEMPLATE* FindDialogTemplate(UINT nIDTemplate, HINSTANCE* phInst);

}  // namespace afx_internal

// Reaches CWnd's private subclassing state for the window procedure.
struct AfxWindowAccess {
    // After WM_NCDESTROY: restore the procedure and forget the window.
    static void WindowGone(CWnd& w, HWND hWnd);
    static void ReleaseControl(CWnd& w);
};
