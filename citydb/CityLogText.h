#pragma once

#include <citydb/CCityData.h>
#include <citydb/ICityTree.h>
#include <citydb/Utf8Text.h>

#include <string>

// The tree as UTF-8 text, one item a line indented two spaces a level: a folder as its name
// and "/", a place as its name, a tab and its location data string.
std::string CityDumpTree(const CCityData& data);
