#pragma once

#include <string>

// UTF-8 for text that leaves or enters through the command line, test output and Linux file
// names; the city files themselves stay in the ANSI code page. Invalid input decodes to U+FFFD,
// a code point that has no UTF-8 form encodes as U+FFFD; never throws.
std::string CityUtf8FromWide(const std::wstring& wide);
std::wstring CityWideFromUtf8(const std::string& utf8);
