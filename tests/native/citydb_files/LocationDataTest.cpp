#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

// A string is read into a record and written back from it: what the reader keeps shows in
// what the writer makes of it. A west place with its zone is obsdb's dump of an edited one.
TEST(LocationData, ReadsAndWritesSevenFields)
{
    // altFlag: as read.
    const struct { const char* fault; const wchar_t* text; const wchar_t* written; int altFlag; } cases[] = {
        {"altitude flag 2 reduced when read or kept when written", L"1,2,3,4, 2, 0, 0", L"  1.0000000, 2.0000000,3,04.00, 0, 0, 0", 2},
        {"altitude flag 1 dropped", L"1,2,3,4,1,0,0", L"  1.0000000, 2.0000000,3,04.00, 1, 0, 0", 1},
        {"altitude rounded half up instead of to even", L"0,0,40.5,0,0,0,0", L"  0.0000000, 0.0000000,40,00.00, 0, 0, 0", 0},
        {"fractional altitude truncated when read", L"0,-0.5,-3.7,-3.5,0,10,99", L"  0.0000000,-0.5000000,-4,-3.50, 0,10,99", 0},
        {"fields after the seventh not ignored", L"1,2,3,4,5,6,7,8,9", L"  1.0000000, 2.0000000,3,04.00, 0, 6, 7", 5},
        {"missing fields not zero", L"1,2,3", L"  1.0000000, 2.0000000,3,00.00, 0, 0, 0", 0},
        {"empty field shifts the rest", L"1,,3,4,5,6,7", L"  1.0000000, 0.0000000,3,04.00, 0, 6, 7", 5},
        {"garbage not zero", L"abc", L"  0.0000000, 0.0000000,0,00.00, 0, 0, 0", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CCityData data;
        CCityList seed;
        seed.m_strName = L"kept";
        seed.m_nTag = 5;
        seed.m_dLon = 99;  // fields the string lacks are zeroed
        seed.m_nType = 42;
        const int nIndex = data.AppendCity(seed);
        data.SetLocationData(nIndex, c.text);
        EXPECT_EQ(data.GetLocationData(nIndex), c.written);
        EXPECT_EQ(data.CityAt(nIndex).m_nAltFlag, c.altFlag);
        EXPECT_EQ(data.CityAt(nIndex).m_strName, L"kept") << "name touched";
        EXPECT_EQ(data.CityAt(nIndex).m_nTag, 5) << "folder touched";
    }
}

TEST(LocationData, IndexOutsideTheArrayThrows)
{
    CCityData data;
    CMemTree tree;
    HCITYITEM hRoot = tree.InsertItem(L"場所", 0, 1, CITY_FOLDER_DATA, nullptr, CITY_TVI_LAST);
    HCITYITEM hNegative = tree.InsertItem(L"negative", 3, 2, -7, hRoot, CITY_TVI_LAST);
    CString str;
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"GetLocationData(-1)", [&] { data.GetLocationData(-1); }},
        {"SetLocationData(10000)", [&] { data.SetLocationData(10000, L"1,2,3,4,5,6,7"); }},
        {"TagAt(2000)", [&] { data.TagAt(2000); }},
        {"GetCityString of negative data", [&] { data.GetCityString(tree, hNegative, str); }},
        {"GetCityString of no item", [&] { data.GetCityString(tree, nullptr, str); }},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(ThrowsInvalidArg(c.second)) << c.first;
    // The edges of the array are valid.
    EXPECT_NO_THROW(data.SetLocationData(9999, L"1,2,3,4,5,6,7"));
}

}  // namespace
