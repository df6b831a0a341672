#pragma once

#include <afx/afxdefs.h>
#include <afx/CString.h>

// Every framework message box goes through one replaceable handler: owner window, text,
// caption, MB_ flags; it returns the button (IDOK, IDCANCEL, ...).
using AfxMessageBoxHandler = int (*)(HWND owner, const CString& text, const CString& caption, UINT type);

// Installs a handler (null: the real MessageBox); returns the previous one.
AFX_API AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);

// Owner: the active window of this thread, else the main window. Caption: the application's
// name. The scripted test handler (AfxTest.h) comes first when it is on.
AFX_API int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
