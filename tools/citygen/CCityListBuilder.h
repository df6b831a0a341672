#pragma once

#include "CGeoPlace.h"
#include "CListPlace.h"

#include <cstddef>
#include <vector>

// Decides where each city goes and what its line holds, and makes the smaller cut.
class CCityListBuilder {
public:
    // Japan: 日本 → prefecture (in the national code order) → city; elsewhere: 世界 → region
    // (in the table's order) → country (by name) → city. Names by ListName; the time zone is
    // the zone's standard offset (ZoneStandardHours). Throws std::runtime_error for a country
    // without a region, a prefecture not in the table or a name the list cannot hold.
    static std::vector<CListPlace> FromGeo(const std::vector<CGeoPlace>& aGeo);

    // The nWanted most populous places, but every folder keeps at least its most populous
    // one (so the result is larger when there are more folders than nWanted). Ties go by
    // ListOrderBefore.
    static std::vector<CListPlace> MostPopulous(std::vector<CListPlace> aPlace, size_t nWanted);
};
