#include "CCityListBuilder.h"

#include <gtest/gtest.h>

namespace {

CGeoPlace Geo(const std::wstring& strName, const wchar_t* pszState, unsigned nPopulation, const wchar_t* pszPlain = nullptr)
{
    return {strName, pszPlain ? pszPlain : strName, pszState, pszState, L"アメリカ", L"アメリカ", "US", "America/Chicago", 0, 0, nPopulation};
}

// Every name of a folder differs, after the cut too: the division in parentheses where it tells
// namesakes apart, else a number; a country of many places is divided instead.
TEST(CityListBuilder, NamesDifferInEachFolder)
{
    const wchar_t* kLong = L"Chak Two Hundred Forty-nine Thal Development";
    const struct { const char* fault; std::vector<CGeoPlace> geo; int nFiller; std::vector<std::wstring> want; } cases[] = {
        {"namesakes of two divisions not told apart", {Geo(L"Springfield", L"Illinois", 2), Geo(L"Springfield", L"Ohio", 1)}, 98,
         {L"アメリカ/Springfield (Illinois)", L"アメリカ/Springfield (Ohio)"}},
        {"a country of many places not divided", {Geo(L"Springfield", L"Illinois", 2), Geo(L"Springfield", L"Ohio", 1)}, 99,
         {L"Illinois/Springfield", L"Ohio/Springfield"}},
        {"namesakes of one division not numbered, or the smaller kept", {Geo(L"Lakewood", L"Ohio", 1), Geo(L"Lakewood", L"Ohio", 2)}, 0,
         {L"アメリカ/Lakewood (2)", L"アメリカ/Lakewood"}},
        {"a word or a bracket cut, a Japanese name too long kept",
         {Geo(L"Ampliacion San Mateo (Colonia Solidaridad)", L"Ohio", 3), Geo(L"Abcdefghijklmnopqrstuvwxyzabcdefghij(Klm)", L"Ohio", 2),
          Geo(L"テーサバーンナコーン・ウボンラーチャターニー", L"Ohio", 1, L"Ubon Ratchathani")}, 0,
         {L"アメリカ/Ampliacion San Mateo", L"アメリカ/Abcdefghijklmnopqrstuvwxyzabcdefghij", L"アメリカ/Ubon Ratchathani"}},
        {"names equal after the cut kept", {Geo(kLong + std::wstring(L" Authority"), L"Ohio", 2), Geo(kLong + std::wstring(L" Board"), L"Ohio", 1)}, 0,
         {L"アメリカ/Chak Two Hundred Forty-nine Thal", L"アメリカ/Chak Two Hundred Forty-nine Thal (2)"}},
    };
    for (const auto& c : cases) {
        std::vector<CGeoPlace> geo = c.geo;
        for (int i = 0; i < c.nFiller; ++i)
            geo.push_back(Geo(L"F" + std::to_wstring(i), L"Texas", 0));
        std::vector<std::wstring> got(c.want.size());
        for (const CListPlace& place : CCityListBuilder().FromGeo(geo))
            if (place.m_nGeo < static_cast<int>(got.size()))
                got[place.m_nGeo] = place.m_aPath.back().m_strName + L"/" + place.m_strName.wstr();
        EXPECT_EQ(c.want, got) << c.fault;
    }
}

}  // namespace
