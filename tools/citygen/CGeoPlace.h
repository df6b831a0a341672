#pragma once

#include <string>

// One city of the GeoNames data as the library gives it.
class CGeoPlace {
public:
    std::wstring m_strName;       // in the Japanese locale: the Japanese name where there is one
    std::wstring m_strPlainName;  // untranslated
    std::wstring m_strState;      // first-level division (the prefecture in Japan), Japanese
    std::wstring m_strPlainState;
    std::wstring m_strCountry;    // Japanese
    std::wstring m_strPlainCountry;
    std::string m_strCountryCode; // ISO 3166
    std::string m_strZone;        // tz database name
    double m_dLon = 0.0;
    double m_dLat = 0.0;
    unsigned m_nPopulation = 0;
};
