#pragma once

#include "CListPlace.h"

#include <string>
#include <vector>

// The hand-written supplement of the system list: observatories and mountains, which the
// GeoNames cities do not hold. One place a line, fields separated by tabs:
//   folder  name  longitude (east +)  latitude (north +)  altitude (m)  time zone (h)
// The folder is 天文台 (kind 3) or 山岳 (kind 4), placed at the top after 日本 and 世界; a
// line starting with '#' and an empty line are skipped. Places keep the file's order.
class CLandmarkSource {
public:
    // The places of the text (UTF-8). Throws std::runtime_error naming the line for a line
    // without six fields, an unknown folder, a number that does not parse or lies out of range.
    static std::vector<CListPlace> Parse(const std::string& strText);
    static std::vector<CListPlace> Load(const std::string& strPath);
};
