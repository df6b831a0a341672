#pragma once

#include "CGeoPlace.h"

#include <vector>

// The cities of Debian's libgeonames, read through its API. The library translates names
// with gettext, so the Japanese locale ja_JP.UTF-8 must be installed.
class CGeoSource {
public:
    // Every city in the library's order. Throws std::runtime_error when the locale is missing,
    // the data holds no Japanese names (translations not installed) or a city lacks its
    // country or time zone or has coordinates out of range.
    static std::vector<CGeoPlace> LoadAll();
};
