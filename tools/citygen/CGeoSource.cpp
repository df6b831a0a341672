#include "CGeoSource.h"

#include <citydb/Utf8Text.h>

#include <geonames.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace {

const char* const kJapanese = "ja_JP.UTF-8";

using CityPtr = std::unique_ptr<GeonamesCity, decltype(&geonames_city_free)>;

CityPtr CityAt(int nIndex)
{
    CityPtr city(geonames_get_city(nIndex), &geonames_city_free);
    if (!city)
        throw std::runtime_error("libgeonames has no city " + std::to_string(nIndex));
    return city;
}

std::wstring Wide(const char* pszUtf8)
{
    return CityWideFromUtf8(pszUtf8 ? pszUtf8 : "");
}

std::string Narrow(const char* psz)
{
    return psz ? psz : "";
}

void Validate(const CGeoPlace& place, int nIndex)
{
    std::string strWhere = "libgeonames city " + std::to_string(nIndex) + " (" + CityUtf8FromWide(place.m_strPlainName) + ")";
    if (place.m_strCountryCode.size() != 2 || place.m_strCountry.empty())
        throw std::runtime_error(strWhere + " has no country");
    if (place.m_strZone.empty())
        throw std::runtime_error(strWhere + " has no time zone");
    if (!(std::fabs(place.m_dLon) <= 180.0) || !(std::fabs(place.m_dLat) <= 90.0))
        throw std::runtime_error(strWhere + " has coordinates out of range");
}

}  // namespace

std::vector<CGeoPlace> CGeoSource::LoadAll()
{
    // LANGUAGE would override the locale's choice of translations.
    ::unsetenv("LANGUAGE");
    if (!std::setlocale(LC_ALL, kJapanese))
        throw std::runtime_error(std::string("the locale ") + kJapanese + " is not installed (scripts/setup installs it)");
    std::setlocale(LC_NUMERIC, "C");

    const int nCount = geonames_get_n_cities();
    if (nCount <= 0)
        throw std::runtime_error("libgeonames holds no cities");
    std::vector<CGeoPlace> aPlace(static_cast<size_t>(nCount));
    int nTranslated = 0;
    for (int i = 0; i < nCount; ++i) {
        CityPtr city = CityAt(i);
        CGeoPlace& place = aPlace[i];
        place.m_strName = Wide(geonames_city_get_name(city.get()));
        place.m_strState = Wide(geonames_city_get_state(city.get()));
        place.m_strCountry = Wide(geonames_city_get_country(city.get()));
        place.m_strCountryCode = Narrow(geonames_city_get_country_code(city.get()));
        place.m_strZone = Narrow(geonames_city_get_timezone(city.get()));
        place.m_dLon = geonames_city_get_longitude(city.get());
        place.m_dLat = geonames_city_get_latitude(city.get());
        place.m_nPopulation = geonames_city_get_population(city.get());
    }
    // The untranslated names: the same cities without translations.
    std::setlocale(LC_MESSAGES, "C");
    for (int i = 0; i < nCount; ++i) {
        CGeoPlace& place = aPlace[i];
        CityPtr city = CityAt(i);
        place.m_strPlainName = Wide(geonames_city_get_name(city.get()));
        place.m_strPlainState = Wide(geonames_city_get_state(city.get()));
        place.m_strPlainCountry = Wide(geonames_city_get_country(city.get()));
        if (place.m_strPlainName != place.m_strName)
            ++nTranslated;
        Validate(place, i);
    }
    std::setlocale(LC_MESSAGES, kJapanese);
    if (nTranslated == 0)
        throw std::runtime_error("libgeonames gives no Japanese names (is libgeonames-common installed?)");
    return aPlace;
}
