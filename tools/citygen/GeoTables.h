#pragma once

#include <string>

// The fixed orders of the generated city list's upper folders.

// Index of the world region a country belongs to (continents as GeoNames assigns them), or -1
// for a country code the table does not know.
int RegionOfCountry(const std::string& strCountryCode);
// Number of regions and the folder name of each, in folder order.
int RegionCount();
const wchar_t* RegionName(int nRegion);

// The country's folder name where the data's Japanese name is wrong, else null.
const wchar_t* CountryNameFix(const std::string& strCountryCode);

// Position of a prefecture in the national code order (北海道 0 to 沖縄県 46), or -1.
int PrefectureOrder(const std::wstring& strName);
