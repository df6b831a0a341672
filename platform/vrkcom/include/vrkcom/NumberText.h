#pragma once

#include <vrkcom/vrkcomdefs.h>
#include <afx/CString.h>

// How the field exchange reads numbers typed into an edit. Reading is lenient: leading white
// space is skipped, then an optional sign, digits, and for doubles one '.' and more digits (no
// exponent); reading stops at the first character that does not fit and the rest is ignored.
// Text with no digits so far ("", "-", ".") reads as 0, "12." as 12, "12abc" as 12.
// A number too large for an int is limited to INT_MIN..INT_MAX.
VRKCOM_API int VrkParseIntLenient(const CString& text);
VRKCOM_API double VrkParseDoubleLenient(const CString& text);

// TRUE when the whole text, white space around it allowed, is a number in the form above with
// at least one digit ("12." and "-0" are numbers; "", "-", "1x" are not).
VRKCOM_API BOOL VrkIsCompleteInt(const CString& text);
VRKCOM_API BOOL VrkIsCompleteDouble(const CString& text);

// TRUE when the text already shows the value: it is a complete number and, written with the
// field's format, it shows the same as the value does. The exchange leaves such text alone.
VRKCOM_API BOOL VrkTextMeansInt(const CString& text, int value);
VRKCOM_API BOOL VrkTextMeansDouble(const CString& text, double value, const wchar_t* fmt);

// TRUE when fmt is a printf format that takes exactly one double (one of %f %e %E %g %G with
// flags, width and precision as numbers, and any %% around it).
VRKCOM_API BOOL VrkIsDoubleFormat(const wchar_t* fmt);
