#pragma once

#include <vrkcom/vrkcomdefs.h>

class CDataExchange;

// Field exchange for edits that the user types numbers into.
//
// Saving (control -> member) never fails and shows no message: the text is read leniently,
// because the dialogs check ranges themselves on every change and a partly typed number ("",
// "-", "12.") must read as the number so far. Leading white space is skipped, then an optional
// sign, digits, and for doubles one '.' and more digits (no exponent); reading stops at the
// first character that does not fit. Text with no digits so far reads as 0, "12." as 12, "12abc"
// as 12; an int too large is limited to INT_MIN..INT_MAX.
// Loading (member -> control) writes the edit only when its text does not already mean the value
// (the whole text, white space around it allowed, is such a number and shows the same as the
// value in the field's format), so that UpdateData(FALSE) neither sends a needless EN_CHANGE nor
// spoils a number being typed.
//
// nWidth: DDX_Int writes at least that many digits, zero-filled (0: as many as needed).
// nMaxChars: the edit's text limit (EM_LIMITTEXT), set on every exchange; 0 leaves it as it is.
VRKCOM_API void DDX_Int(CDataExchange* pDX, int nIDC, int& value, int nWidth, int nMaxChars);
// fmt is a printf format for one double ("%.1f", "%4.1f", "%.0f"); any other format is
// replaced by "%g".
VRKCOM_API void DDX_DoubleFmt(CDataExchange* pDX, int nIDC, double& value, const wchar_t* fmt,
                              int nMaxChars);
