#pragma once

#include "CGeoPlace.h"
#include "CListPlace.h"

#include <cstddef>
#include <vector>

// Decides where each city goes and what its line holds, and makes the smaller cut.
class CCityListBuilder {
public:
    // A country with more places than this in the list gets a folder for each of its first-level
    // divisions, so that no folder of a country runs to several screens of the tree.
    static constexpr size_t DivideAbove = 100;

    // Japan: 日本 → prefecture (in the national code order) → city; elsewhere: 世界 → region
    // (in the table's order) → country (by name) → city, with a division (by name, the Japanese
    // name where the data has one) between country and city for a country of more than
    // DivideAbove places. With nWanted > 0 the places are MostPopulous(nWanted) and the divisions
    // are counted among those. Names by ListName, then made unique in each folder: every one of
    // a name shared gets its division's name in parentheses ("X (イリノイ州)"), unless the
    // folder is that division or the name would pass CCityData::NameBytes; the names still
    // shared, all but the first (the most populous), get a number instead, "X (2)", "X (3)"
    // and so on, the name shortened by ShortName to leave room for it. The time zone is the
    // zone's standard offset (ZoneStandardHours). Throws std::runtime_error for a country
    // without a region, a prefecture not in the table, a name the list cannot hold or two
    // divisions of a country with one name.
    std::vector<CListPlace> FromGeo(const std::vector<CGeoPlace>& aGeo, size_t nWanted = 0);

    // The nWanted most populous places, but every folder keeps at least its most populous
    // one (so the result is larger when there are more folders than nWanted). Ties go by
    // ListOrderBefore.
    static std::vector<CListPlace> MostPopulous(std::vector<CListPlace> aPlace, size_t nWanted);

    // What the last FromGeo did: countries given division folders, division folders, names
    // given their division and names given a number.
    int m_nDivided = 0;
    int m_nDivisions = 0;
    int m_nByDivision = 0;
    int m_nByNumber = 0;

private:
    void Divide(std::vector<CListPlace>& aPlace, const std::vector<CGeoPlace>& aGeo);
    void MakeNamesUnique(std::vector<CListPlace>& aPlace, const std::vector<CGeoPlace>& aGeo);
};
