#pragma once

#include <afx/afxdefs.h>

#include <cstdarg>
#include <string>

// printf formatting that does not depend on the C library, so that the native build and the
// .exe write the same bytes. Flags "- + 0 space #", width and precision (also '*'), conversions
// d i u x X o c s f F e E g G p %, length modifiers h hh l ll I64 I32 z j t L.
// %f/%e/%g round the exact binary value of the double, ties to even (the digits come from
// std::to_chars with a precision); inf and nan print as "inf"/"nan". In the wide form %s takes const wchar_t* (%hs const char*); in the narrow form
// %s takes const char* (%ls const wchar_t*) and widths and precisions count bytes.
// A null string prints as "(null)". An unknown conversion is copied to the output as written.
AFX_API std::wstring FormatTextV(const wchar_t* fmt, va_list args);
AFX_API std::string FormatTextV(const char* fmt, va_list args);

AFX_API std::wstring FormatText(const wchar_t* fmt, ...);
AFX_API std::string FormatText(const char* fmt, ...);
