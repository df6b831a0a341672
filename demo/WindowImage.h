#pragma once

#include <afx/afxwin.h>

// Writes the screen's pixels under a window as a 24-bit bitmap file; false on failure.
bool SaveWindowImage(HWND hWnd, const CString& path);
