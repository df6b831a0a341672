#include "TestFiles.h"

#include <afx/CException.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct FormatCase {
    const char* fault;
    double lon, lat, alt, tz;
    int altFlag, user, type;
    const wchar_t* expected;
};

TEST(LocationData, FormatsSevenFields)
{
    const FormatCase cases[] = {
        {"west place", -118.2437, 34.0522, 89, -8, 0, 1, 3, L"-118.2437000,34.0522000,89,-8.00, 0, 1, 3"},
        {"Tokyo", 139.6917, 35.6895, 40, 9, 0, 1, 0, L"139.6917000,35.6895000,40,09.00, 0, 1, 0"},
        {"altitude flag 2 written as is", 1, 2, 3, 4, 2, 0, 0, L"  1.0000000, 2.0000000,3,04.00, 0, 0, 0"},
        {"altitude flag 1 dropped", 1, 2, 3, 4, 1, 0, 0, L"  1.0000000, 2.0000000,3,04.00, 1, 0, 0"},
        {"altitude rounded half up instead of to even", 0, 0, 40.5, 0, 0, 0, 0, L"  0.0000000, 0.0000000,40,00.00, 0, 0, 0"},
        {"negative fraction zone", 0, -0.5, -3.7, -3.5, 0, 10, 99, L"  0.0000000,-0.5000000,-4,-3.50, 0,10,99"},
    };
    for (const FormatCase& c : cases) {
        CCityData data;
        CCityList city;
        city.m_dLon = c.lon;
        city.m_dLat = c.lat;
        city.m_dAlt = c.alt;
        city.m_dTz = c.tz;
        city.m_nAltFlag = c.altFlag;
        city.m_nUser = c.user;
        city.m_nType = c.type;
        int nIndex = data.AppendCity(city);
        EXPECT_EQ(data.GetLocationData(nIndex), c.expected) << c.fault;
    }
}

struct ParseCase {
    const char* fault;
    const wchar_t* text;
    double lon, lat, alt, tz;
    int altFlag, user, type;
};

TEST(LocationData, ParsesSevenFields)
{
    const ParseCase cases[] = {
        {"west place", L"-118.2437000,34.0522000,89,-8.00, 0, 1, 3", -118.2437, 34.0522, 89, -8, 0, 1, 3},
        {"altitude flag 2 reduced", L"1,2,3,4, 2, 0, 0", 1, 2, 3, 4, 2, 0, 0},
        {"fractional altitude truncated", L"0,0,12.75,0,0,0,0", 0, 0, 12.75, 0, 0, 0, 0},
        {"fields after the seventh not ignored", L"1,2,3,4,5,6,7,8,9", 1, 2, 3, 4, 5, 6, 7},
        {"missing fields not zero", L"1,2,3", 1, 2, 3, 0, 0, 0, 0},
        {"empty field shifts the rest", L"1,,3,4,5,6,7", 1, 0, 3, 4, 5, 6, 7},
        {"garbage not zero", L"abc", 0, 0, 0, 0, 0, 0, 0},
    };
    for (const ParseCase& c : cases) {
        CCityData data;
        CCityList seed;
        seed.m_strName = L"kept";
        seed.m_nTag = 5;
        seed.m_dLon = 99;
        seed.m_nType = 42;
        int nIndex = data.AppendCity(seed);
        data.SetLocationData(nIndex, c.text);
        const CCityList& city = data.m_aCity[nIndex];
        EXPECT_DOUBLE_EQ(city.m_dLon, c.lon) << c.fault;
        EXPECT_DOUBLE_EQ(city.m_dLat, c.lat) << c.fault;
        EXPECT_DOUBLE_EQ(city.m_dAlt, c.alt) << c.fault;
        EXPECT_DOUBLE_EQ(city.m_dTz, c.tz) << c.fault;
        EXPECT_EQ(city.m_nAltFlag, c.altFlag) << c.fault;
        EXPECT_EQ(city.m_nUser, c.user) << c.fault;
        EXPECT_EQ(city.m_nType, c.type) << c.fault;
        EXPECT_EQ(city.m_strName, L"kept") << c.fault << ": name touched";
        EXPECT_EQ(city.m_nTag, 5) << c.fault << ": folder touched";
    }
}

TEST(LocationData, WrittenStringReadsBack)
{
    CCityData data;
    CCityList city;
    city.m_dLon = -118.2437;
    city.m_dLat = 34.0522;
    city.m_dAlt = 89;
    city.m_dTz = -8;
    city.m_nUser = 1;
    city.m_nType = 3;
    int a = data.AppendCity(city);
    int b = data.AppendCity(CCityList());
    data.SetLocationData(b, data.GetLocationData(a));
    EXPECT_EQ(data.GetLocationData(b), data.GetLocationData(a));
    EXPECT_DOUBLE_EQ(data.m_aCity[b].m_dLon, -118.2437);
}

TEST(LocationData, IndexOutsideTheArrayThrows)
{
    CCityData data;
    CMemTree tree;
    HCITYITEM hRoot = tree.InsertItem(L"場所", 0, 1, CITY_FOLDER_DATA, nullptr, CITY_TVI_LAST);
    HCITYITEM hUnused = tree.InsertItem(L"unused record", 3, 2, 5, hRoot, CITY_TVI_LAST);
    HCITYITEM hNegative = tree.InsertItem(L"negative", 3, 2, -7, hRoot, CITY_TVI_LAST);
    CString str;
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"GetLocationData(-1)", [&] { data.GetLocationData(-1); }},
        {"GetLocationData(10000)", [&] { data.GetLocationData(10000); }},
        {"SetLocationData(10000)", [&] { data.SetLocationData(10000, L"1,2,3,4,5,6,7"); }},
        {"SetLocationData(-1)", [&] { data.SetLocationData(-1, L"1,2,3,4,5,6,7"); }},
        {"CityAt(10000)", [&] { data.CityAt(10000); }},
        {"TagAt(2000)", [&] { data.TagAt(2000); }},
        {"TagAt(-1)", [&] { data.TagAt(-1); }},
        {"GetCityString of a record not in use", [&] { data.GetCityString(tree, hUnused, str); }},
        {"GetCityString of negative data", [&] { data.GetCityString(tree, hNegative, str); }},
        {"GetCityString of no item", [&] { data.GetCityString(tree, nullptr, str); }},
    };
    for (const auto& c : cases) {
        bool bThrown = false;
        try {
            c.second();
        } catch (CInvalidArgException* e) {
            bThrown = true;
            e->Delete();
        }
        EXPECT_TRUE(bThrown) << c.first;
    }
    // The edges of the array are valid.
    EXPECT_NO_THROW(data.CityAt(9999));
    EXPECT_NO_THROW(data.TagAt(1999));
    EXPECT_NO_THROW(data.SetLocationData(9999, L"1,2,3,4,5,6,7"));
    EXPECT_DOUBLE_EQ(data.m_aCity[9999].m_dTz, 4);
}

TEST(LocationData, AppendGrowsTheFullArrayKeepingIndices)
{
    CCityData data;
    for (int i = 0; i < CCityData::CityCapacity; ++i) {
        CCityList city;
        city.m_nType = i;
        ASSERT_EQ(data.AppendCity(city), i);
    }
    ASSERT_EQ(data.m_nCityNum, 10000);
    CCityList extra;
    extra.m_nType = -1;
    EXPECT_EQ(data.AppendCity(extra), 10000);
    EXPECT_EQ(data.m_nCityNum, 10001);
    EXPECT_GE(data.m_nCityMax, 10001);
    EXPECT_EQ(data.CityAt(10000).m_nType, -1);
    EXPECT_EQ(data.CityAt(1234).m_nType, 1234);
}

}  // namespace
