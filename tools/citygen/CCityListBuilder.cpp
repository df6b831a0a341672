#include "CCityListBuilder.h"

#include "GeoTables.h"
#include "PlaceName.h"
#include "ZoneOffset.h"

#include <citydb/CCityData.h>
#include <citydb/Utf8Text.h>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace {

const wchar_t* const kJapan = L"日本";
const wchar_t* const kWorld = L"世界";

std::vector<CListFolder> PathOf(const CGeoPlace& geo)
{
    if (geo.m_strCountryCode == "JP") {
        int nOrder = PrefectureOrder(geo.m_strState);
        if (nOrder < 0)
            throw std::runtime_error("prefecture \"" + CityUtf8FromWide(geo.m_strState) + "\" is not in the table");
        return {{0, kJapan}, {nOrder, ListName(geo.m_strState, geo.m_strPlainState, 0).wstr()}};
    }
    int nRegion = RegionOfCountry(geo.m_strCountryCode);
    if (nRegion < 0)
        throw std::runtime_error("country " + geo.m_strCountryCode + " (" + CityUtf8FromWide(geo.m_strPlainCountry) +
                                 ") has no region in the table");
    const wchar_t* pszFix = CountryNameFix(geo.m_strCountryCode);
    std::wstring strCountry = ListName(pszFix ? pszFix : geo.m_strCountry, geo.m_strPlainCountry, 0).wstr();
    return {{1, kWorld}, {nRegion, RegionName(nRegion)}, {0, strCountry}};
}

}  // namespace

std::vector<CListPlace> CCityListBuilder::FromGeo(const std::vector<CGeoPlace>& aGeo)
{
    std::map<std::string, double> mapZoneHours;
    std::vector<CListPlace> aPlace;
    aPlace.reserve(aGeo.size());
    for (const CGeoPlace& geo : aGeo) {
        auto itZone = mapZoneHours.find(geo.m_strZone);
        if (itZone == mapZoneHours.end())
            itZone = mapZoneHours.emplace(geo.m_strZone, ZoneStandardHours(geo.m_strZone)).first;
        CListPlace place;
        place.m_aPath = PathOf(geo);
        place.m_strName = ListName(geo.m_strName, geo.m_strPlainName, CCityData::NameBytes);
        place.m_dLon = geo.m_dLon;
        place.m_dLat = geo.m_dLat;
        place.m_dTz = itZone->second;
        place.m_nPopulation = geo.m_nPopulation;
        aPlace.push_back(std::move(place));
    }
    return aPlace;
}

std::vector<CListPlace> CCityListBuilder::MostPopulous(std::vector<CListPlace> aPlace, size_t nWanted)
{
    std::sort(aPlace.begin(), aPlace.end(), ListOrderBefore);
    // In file order the first place of each folder is its most populous.
    std::vector<CListPlace> aKept;
    std::vector<CListPlace> aRest;
    std::vector<bool> aFirst(aPlace.size());
    for (size_t i = 0; i < aPlace.size(); ++i)
        aFirst[i] = i == 0 || !SameFolder(aPlace[i - 1], aPlace[i]);
    for (size_t i = 0; i < aPlace.size(); ++i)
        (aFirst[i] ? aKept : aRest).push_back(std::move(aPlace[i]));
    std::sort(aRest.begin(), aRest.end(), [](const CListPlace& a, const CListPlace& b) {
        if (a.m_nPopulation != b.m_nPopulation)
            return a.m_nPopulation > b.m_nPopulation;
        return ListOrderBefore(a, b);
    });
    for (size_t i = 0; i < aRest.size() && aKept.size() < nWanted; ++i)
        aKept.push_back(std::move(aRest[i]));
    return aKept;
}
