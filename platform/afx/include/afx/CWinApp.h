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

    // The message loop (with dialog keyboard handling for framework dialogs); the WM_QUIT code.
    virtual int Run();

private:
    CString m_strAppName;
};

// The application object, or null before one is constructed.
AFX_API CWinApp* AfxGetApp();
// The application's main window, or null.
AFX_API CWnd* AfxGetMainWnd();
// The module searched first for resources: the executable.
AFX_API HINSTANCE AfxGetInstanceHandle();
// Dispatches every message waiting for this thread, with the dialog keyboard handling of the
// message loop, then returns (tests, long operations).
AFX_API void AfxPumpMessages();
// Registers the common control classes the dialogs use (trackbar, up-down, tree view, ...);
// called by the framework before it creates windows, harmless to repeat.
AFX_API void AfxInitCommonControls();
