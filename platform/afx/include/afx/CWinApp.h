#pragma once

#include <afx/afxdefs.h>
#include <afx/CCmdTarget.h>
#include <afx/CString.h>

class CWnd;

// The application object: one per process, shared by the host and every extension DLL through
// afx.dll. The host constructs it (usually as a global) and sets m_pMainWnd.
class AFX_API CWinApp : public CCmdTarget {
public:
    // The name is the default caption of message boxes (else the executable's name).
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;  // the executable's module
    LPCTSTR m_pszAppName = nullptr;   // points into this object

    virtual BOOL InitInstance();
    // The message loop (with dialog keyboard handling for framework dialogs); the WM_QUIT code.
    virtual int Run();
    virtual int ExitInstance();
    // Gives framework windows their PreTranslateMessage and modeless dialogs their keyboard
    // handling; TRUE when the message was consumed.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorW(nullptr, lpszCursorName); }
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconW(nullptr, lpszIconName); }

private:
    CString m_strAppName;
};

// The application object, or null before one is constructed.
AFX_API CWinApp* AfxGetApp();
// The application's main window, or null.
AFX_API CWnd* AfxGetMainWnd();
AFX_API HINSTANCE AfxGetInstanceHandle();
// The module searched first for resources (the executable unless set).
AFX_API HINSTANCE AfxGetResourceHandle();
AFX_API void AfxSetResourceHandle(HINSTANCE hInstResource);
// Each framework window's PreTranslateMessage (innermost first), then the keyboard handling of
// the framework dialog the message is for; TRUE when the message was consumed.
AFX_API BOOL AfxPreTranslateMessage(MSG* pMsg);
// Dispatches every message waiting for this thread through the application's (or the default)
// PreTranslateMessage, then returns (tests, long operations).
AFX_API void AfxPumpMessages();
// Registers the common control classes the dialogs use (trackbar, up-down, tree view, ...);
// called by the framework before it creates windows, harmless to repeat.
AFX_API void AfxInitCommonControls();
