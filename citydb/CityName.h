#pragma once

#include <afx/CString.h>

// Names in the city list files. A place line is split at every ",", and a line whose first
// character is "@" or "#" (after its leading white space) is a folder or a close line, so a name
// with such a character would read back as something else. The files hold ANSI text, so a
// character the code page lacks would come back as "?" or a look-alike.

// What refuses strName as a name for the list: one line, ending in a line feed, for each
// character it may not hold, naming the character; empty when the name can be stored.
// pszWhat names the field ("都市名", "フォルダ名").
CString CityNameRefusal(const CString& strName, const wchar_t* pszWhat);

// strName as the list file writes it: every "," and a leading "@" or "#" made full-width
// ("，", "＠", "＃"), so that a name that reached the tree another way still reads back as one name.
CString CityListName(const CString& strName);
