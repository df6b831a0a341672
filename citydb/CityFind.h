#pragma once

#include <citydb/ICityTree.h>

#include <afx/CString.h>

#include <string>

// Finding a place or folder by a part of its name, as a user types it: Latin letters in either
// case, full-width or half-width forms, hiragana or katakana all find the same name. No reading
// dictionary: とうきょう finds a name only if it holds those kana.

// The text as the find compares it: full-width ASCII and the ideographic space made half-width,
// half-width katakana made full-width (a voiced mark joined to its kana), katakana made
// hiragana, Latin capitals made small.
std::wstring CityFindFold(const std::wstring& text);

// The first item after hAfter in tree order (pre-order; null: from the first item) whose name
// holds strText, wrapping at the end, hAfter itself last; null when none does or the text is
// empty.
HCITYITEM CityFindNext(const ICityTree& tree, HCITYITEM hAfter, const CString& strText);
