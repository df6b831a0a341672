#pragma once

#include <afx/afxdefs.h>

#include <string>

// The one place where wide text meets the ANSI code page. On Windows that is CP_ACP; natively
// it is a process-wide code page (default 932) converted with iconv, so that native code writes
// the bytes a Japanese Windows writes. Characters the code page cannot hold become '?'
// (natively after a small best-fit table of Latin accents, as Windows does); undecodable bytes
// become U+FFFD. Never throws.
AFX_API std::string AnsiFromWide(const std::wstring& wide);
AFX_API std::wstring WideFromAnsi(const std::string& ansi);

// Natively selects the code page for all later conversions; ignored on Windows.
AFX_API void AfxSetAnsiCodePage(unsigned cp);
// The code page conversions use (on Windows, GetACP()).
AFX_API unsigned AfxGetAnsiCodePage();

// True when the byte starts a two-byte character in the ANSI code page (932: 81-9F, E0-FC).
AFX_API bool AfxIsAnsiLeadByte(unsigned char byte);
