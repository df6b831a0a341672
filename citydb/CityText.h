#pragma once

#include <afx/CString.h>
#include <afx/CStringA.h>

#include <string>
#include <vector>

// Small pure helpers that read and write the city list's text fields.

// Reads a number as _wtof does: leading white space skipped, an optional sign, digits with an
// optional '.' and exponent; reading stops at the first character that does not fit. Text
// holding no number gives 0; so does a value beyond the range of a double (never inf or nan).
double CityWtof(const wchar_t* psz);
// Reads an integer as _wtoi does; values beyond the range of int are clamped to it.
int CityWtoi(const wchar_t* psz);

// A coordinate field of the list: the last character is the hemisphere letter and the text
// before it the absolute value; the letter chNegative (either case) makes the value negative.
double CityParseHemisphere(const CString& strField, wchar_t chNegative);

// Truncates toward zero into int, clamped to its range; nan gives 0.
int CityTruncToInt(double d);

// The ANSI form of a name cut to at most nMaxBytes bytes without splitting a two-byte
// character, then padded with blanks to exactly nMaxBytes. Line breaks and other control
// characters become blanks, so a name can never break the line structure.
std::string CityCutName(const CString& strName, int nMaxBytes);

// Splits a line at every ','; an empty text gives one empty field.
std::vector<CString> CitySplitFields(const CString& strLine);
