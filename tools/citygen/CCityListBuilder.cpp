#include "CCityListBuilder.h"

#include "GeoTables.h"
#include "PlaceName.h"
#include "ZoneOffset.h"

#include <citydb/CCityData.h>
#include <citydb/Utf8Text.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

namespace {

const wchar_t* const kJapan = L"日本";
const wchar_t* const kWorld = L"世界";

// The folder name of the place's first-level division (the prefecture in Japan).
std::wstring DivisionName(const CGeoPlace& geo)
{
    return ListName(geo.m_strState, geo.m_strPlainState, 0).wstr();
}

std::wstring FolderKey(const CListPlace& place)
{
    std::wstring strKey;
    for (const CListFolder& folder : place.m_aPath)
        strKey += folder.m_strName + L'/';
    return strKey;
}

std::vector<CListFolder> PathOf(const CGeoPlace& geo)
{
    if (geo.m_strCountryCode == "JP") {
        int nOrder = PrefectureOrder(geo.m_strState);
        if (nOrder < 0)
            throw std::runtime_error("prefecture \"" + CityUtf8FromWide(geo.m_strState) + "\" is not in the table");
        return {{0, kJapan}, {nOrder, DivisionName(geo)}};
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

std::vector<CListPlace> CCityListBuilder::FromGeo(const std::vector<CGeoPlace>& aGeo, size_t nWanted)
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
        place.m_nGeo = static_cast<int>(aPlace.size());
        aPlace.push_back(std::move(place));
    }
    if (nWanted > 0)
        aPlace = MostPopulous(std::move(aPlace), nWanted);
    Divide(aPlace, aGeo);
    MakeNamesUnique(aPlace, aGeo);
    return aPlace;
}

void CCityListBuilder::Divide(std::vector<CListPlace>& aPlace, const std::vector<CGeoPlace>& aGeo)
{
    std::map<std::wstring, size_t> mapCount;  // places of each country
    for (const CListPlace& place : aPlace)
        if (place.m_aPath.front().m_strName == kWorld)
            ++mapCount[FolderKey(place)];
    std::set<std::wstring> setDivided;
    std::map<std::wstring, std::wstring> mapPlainOf;  // division folder to the division it holds
    for (CListPlace& place : aPlace) {
        const std::wstring strCountry = FolderKey(place);
        auto itCount = mapCount.find(strCountry);
        if (itCount == mapCount.end() || itCount->second <= DivideAbove)
            continue;
        const CGeoPlace& geo = aGeo[place.m_nGeo];
        place.m_aPath.push_back({0, DivisionName(geo)});
        auto [itPlain, bNew] = mapPlainOf.emplace(FolderKey(place), geo.m_strPlainState);
        if (!bNew && itPlain->second != geo.m_strPlainState)
            throw std::runtime_error("the divisions \"" + CityUtf8FromWide(itPlain->second) + "\" and \"" +
                                     CityUtf8FromWide(geo.m_strPlainState) + "\" of " + geo.m_strCountryCode +
                                     " have one name");
        setDivided.insert(strCountry);
    }
    m_nDivided = static_cast<int>(setDivided.size());
    m_nDivisions = static_cast<int>(mapPlainOf.size());
}

void CCityListBuilder::MakeNamesUnique(std::vector<CListPlace>& aPlace, const std::vector<CGeoPlace>& aGeo)
{
    m_nByDivision = m_nByNumber = 0;
    std::sort(aPlace.begin(), aPlace.end(), ListOrderBefore);
    for (size_t nBegin = 0, nEnd = 0; nBegin < aPlace.size(); nBegin = nEnd) {
        while (nEnd < aPlace.size() && SameFolder(aPlace[nBegin], aPlace[nEnd]))
            ++nEnd;
        // Each name with its division in parentheses, empty where the folder is the division;
        // the counts tell which names are shared and which divisions tell them apart.
        std::vector<std::wstring> aWith;
        std::map<std::wstring, int> mapCount;
        for (size_t i = nBegin; i < nEnd; ++i) {
            const std::wstring strDivision = DivisionName(aGeo[aPlace[i].m_nGeo]);
            const bool bShown = strDivision != aPlace[i].m_aPath.back().m_strName;
            aWith.push_back(bShown ? aPlace[i].m_strName.wstr() + L" (" + strDivision + L")" : std::wstring());
            ++mapCount[aPlace[i].m_strName.wstr()];
            ++mapCount[aWith.back()];
        }
        for (size_t i = nBegin; i < nEnd; ++i) {
            CListPlace& place = aPlace[i];
            const std::wstring& strWith = aWith[i - nBegin];
            if (mapCount[place.m_strName.wstr()] > 1 && !strWith.empty() && mapCount[strWith] == 1 &&
                AnsiBytes(strWith) <= CCityData::NameBytes) {
                place.m_strName = CString(strWith);
                ++m_nByDivision;
            }
        }
        // The first of a name keeps it; a number is one no name of the folder has.
        std::set<std::wstring> setUsed, setSeen;
        for (size_t i = nBegin; i < nEnd; ++i)
            setUsed.insert(aPlace[i].m_strName.wstr());
        for (size_t i = nBegin; i < nEnd; ++i) {
            CListPlace& place = aPlace[i];
            if (setSeen.insert(place.m_strName.wstr()).second)
                continue;
            const CGeoPlace& geo = aGeo[place.m_nGeo];
            for (int n = 2;; ++n) {
                const std::wstring strNumber = L" (" + std::to_wstring(n) + L")";
                const std::wstring strNew =
                    ListName(geo.m_strName, geo.m_strPlainName, CCityData::NameBytes - AnsiBytes(strNumber)).wstr() +
                    strNumber;
                if (setUsed.insert(strNew).second) {
                    place.m_strName = CString(strNew);
                    setSeen.insert(strNew);
                    break;
                }
            }
            ++m_nByNumber;
        }
    }
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
