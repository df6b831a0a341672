#pragma once

#include <afx/CString.h>

#include <string>

// Names as a city list holds them: text of the ANSI code page (932) without control
// characters, without "," (it separates the fields of a place line), not beginning with "#" or
// "@" (they mark close and folder lines) nor with or ending in white space (the reader trims
// it), and for places at most 40 bytes (the writer cuts the name field there).

// Bytes of strText in the ANSI code page.
int AnsiBytes(const std::wstring& strText);

// True when the ANSI code page holds every character of strText.
bool AnsiHolds(const std::wstring& strText);
// True when the list holds strName as it is; nMaxBytes 0 sets no length limit.
bool ListHoldsName(const std::wstring& strName, int nMaxBytes);

// The name for the list: strLocal (the Japanese name, where the data has one) when the list
// holds it as it is; else strPlain made fit: characters the code page lacks spelt in ASCII
// ("São" gives "Sao", marks that do not compose go), "," made a blank, runs of blanks made one, a leading "#" or "@" dropped,
// cut to nMaxBytes by ShortName. Throws std::runtime_error when that leaves
// no name or a character has no ASCII spelling.
CString ListName(const std::wstring& strLocal, const std::wstring& strPlain, int nMaxBytes);

// strName, which the code page holds, cut to at most nMaxBytes bytes (0: no limit): after the
// longest whole form that fits, that is a part ending before a blank with no bracket left open;
// only where no whole form fits, after the last character that fits and before a bracket left
// open there. Blanks and the separators "-", "/", "&", ":" are not left at the end.
std::wstring ShortName(const std::wstring& strName, int nMaxBytes);
