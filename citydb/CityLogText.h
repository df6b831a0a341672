#pragma once

#include <citydb/CCityData.h>
#include <citydb/ICityTree.h>

#include <string>

// UTF-8 for text that leaves or enters through the command line and test output; the city
// files themselves stay in the ANSI code page. Invalid input decodes to U+FFFD, a code point
// that has no UTF-8 form encodes as U+FFFD; never throws.
std::string CityUtf8FromWide(const std::wstring& wide);
std::wstring CityWideFromUtf8(const std::string& utf8);

// The tree as UTF-8 text, one item a line indented two spaces a level: a folder as its name
// and "/", a place as its name, a tab and its location data string.
std::string CityDumpTree(const CCityData& data);
