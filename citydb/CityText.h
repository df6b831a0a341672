#pragma once

#include <afx/CString.h>

#include <string>
#include <vector>

// Small pure helpers that read and write the city list's text fields.

// White space as CString::Trim sees it.
inline bool CityIsSpace(wchar_t ch)
{
    if (ch < 0x85)
        return ch == 0x20 || (ch >= 0x09 && ch <= 0x0D);
    return ch == 0x85 || ch == 0xA0 || ch == 0x1680 || (ch >= 0x2000 && ch <= 0x200A)
        || ch == 0x2028 || ch == 0x2029 || ch == 0x202F || ch == 0x205F || ch == 0x3000;
}

// Reads a number from [p, pEnd) as _wtof does: leading white space skipped, an optional sign,
// digits with an optional '.' and an optional exponent; reading stops at the first character
// that does not fit. Text holding no number gives 0, and so does a value beyond the range of
// a double, so the result is always finite. No "inf", "nan" or hexadecimal forms.
double CityWtof(const wchar_t* p, const wchar_t* pEnd);
double CityWtof(const CString& str);
// Reads an integer as _wtoi does; values beyond the range of int are clamped to it.
int CityWtoi(const wchar_t* p, const wchar_t* pEnd);
int CityWtoi(const CString& str);

// A coordinate field of a city list: the last character is the hemisphere letter and the text
// before it the value; the letter chNegative, in either case, negates it. Empty text gives 0.
double CityParseHemisphere(const wchar_t* p, const wchar_t* pEnd, wchar_t chNegative);
double CityParseHemisphere(const CString& str, wchar_t chNegative);

// Truncates toward zero into int, clamped to its range; nan gives 0.
int CityTruncToInt(double d);

// The ANSI form of a name, cut to at most nMaxBytes bytes without splitting a two-byte
// character. Line breaks and other control characters become blanks, so that a name can
// never break the line structure of a list.
std::string CityCutName(const CString& strName, int nMaxBytes);
// The ANSI form of a name with control characters made blanks, uncut.
std::string CityAnsiName(const CString& strName);

// Splits a text at every ','; an empty text gives one empty field.
std::vector<CString> CitySplitFields(const CString& strText);

// One line of a list (its line end left out) in wide text, as converting it alone would read
// it, the code page converter called once at most, from the first character beyond ASCII to
// the last; into strLine, so that its storage serves line after line.
void CityWideLine(const char* pLine, const char* pLineEnd, std::wstring& strLine);
