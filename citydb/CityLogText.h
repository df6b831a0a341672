#pragma once

#include <citydb/CCityData.h>
#include <citydb/ICityTree.h>
#include <citydb/Utf8Text.h>

#include <string>

// The tree as UTF-8 text, one item a line indented two spaces a level: a folder as its name
// and "/", a place as its name, a tab and its location data string. Control characters in
// names are shown as their pictures (U+2400 to U+241F, U+2421), so each item keeps one line.
std::string CityDumpTree(const CCityData& data);
