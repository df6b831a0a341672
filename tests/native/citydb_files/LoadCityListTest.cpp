#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const std::string kRoot = A(L"場所");
const std::string P = ",139.7667000E, 35.6833000N,     40,+09.00, 0, 0, 3\r\n";

struct StructureCase {
    const char* fault;
    std::string file;
    std::string tree;    // expected DumpTree
    std::string header;  // expected m_strObsHeader, ANSI
};

TEST(LoadCityList, BuildsTheTreeAsTheLinesSay)
{
    const StructureCase cases[] = {
        {"header lines lost or doubled", "#h1\r\n#h2\r\n@A\r\n", kRoot + "{A{}}", "#h1\n#h2\n"},
        {"header not ended by the first body line", "#h1\r\n@A\r\n#\r\n", kRoot + "{A{}}", "#h1\n"},
        {"header taken after trimming", " #h1\r\n@A\r\n", kRoot + "{A{}}", ""},
        {"place after close lands in the inner folder",
         "@A\r\n@@B\r\np1" + P + "#\r\np2" + P, kRoot + "{A{B{p1},p2}}", ""},
        {"close at level 0 goes below 0", "@A\r\n#\r\n#\r\n#\r\np" + P + "@B\r\n",
         kRoot + "{A{},p,B{}}", ""},
        {"seven-field line read or nine-field line dropped", "@A\r\nseven,1E,2N,3,+1.00, 0, 0\r\nnine" + P.substr(0, P.size() - 2) + ",x\r\n",
         kRoot + "{A{nine}}", ""},
        {"LF-only and mixed line ends", "#h\n@A\nx" + P.substr(0, P.size() - 2) + "\n@B\r\ny" + P,
         kRoot + "{A{x},B{y}}", "#h\n"},
        {"white space in folder lines", "  \t@ A  \r\n\r\n   \r\n  #  rest\r\n@B\r\n",
         kRoot + "{ A{},B{}}", ""},
        {"orphan place before any folder", "p" + P + "@A\r\n", kRoot + "{p,A{}}", ""},
        {"orphan folder of level 2 right after the header", "#h\r\n@@X\r\np" + P + "#\r\nq" + P,
         kRoot + "{X{p},q}", "#h\n"},
        {"level-2 folder after a closed level-1 folder", "@A\r\n@@B\r\n#\r\n#\r\n@@C\r\n",
         kRoot + "{A{B{},C{}}}", ""},
        {"last line without line end", "@A\r\np" + P.substr(0, P.size() - 2), kRoot + "{A{p}}", ""},
        {"empty file", "", kRoot + "{}", ""},
        {"header only", "#only\r\n", kRoot + "{}", "#only\n"},
        {"Japanese names", A(L"@日本\r\n東京") + P + A(L"大阪") + P, kRoot + "{" + A(L"日本{東京,大阪}}"), ""},
    };
    for (const StructureCase& c : cases) {
        TempDir dir;
        LoadedList list;
        list.Load(dir, c.file);
        EXPECT_TRUE(list.bRead) << c.fault;
        EXPECT_EQ(DumpTree(list.tree), c.tree) << c.fault;
        EXPECT_EQ(AnsiFromWide(list.data.m_strObsHeader.wstr()), c.header) << c.fault;
    }
}

TEST(LoadCityList, RecordsAndItemsAgree)
{
    TempDir dir;
    LoadedList list;
    list.Load(dir, "#h\r\n@A\r\n@@B\r\np1" + P + "#\r\np2" + P + "#\r\n@C\r\np3" + P);
    ASSERT_EQ(list.data.m_nTagNum, 4);  // root, A, B, C
    ASSERT_EQ(list.data.m_nCityNum, 3);
    EXPECT_EQ(list.data.m_aTag[0].m_hItem, nullptr) << "the root entry keeps no item";
    EXPECT_EQ(list.data.m_aTag[2].m_nLevel, 2);
    const int expectedTag[] = {2, 1, 3};
    for (int i = 0; i < 3; ++i) {
        const CCityList& city = list.data.m_aCity[i];
        EXPECT_EQ(city.m_nTag, expectedTag[i]) << "place " << i;
        EXPECT_EQ(list.tree.GetItemData(city.m_hItem), i) << "place " << i;
        EXPECT_EQ(list.tree.GetParentItem(city.m_hItem), list.data.m_aTag[expectedTag[i]].m_hItem);
    }
    int nImage = -1, nSelected = -1;
    ASSERT_TRUE(list.tree.GetItemImage(list.data.m_aCity[0].m_hItem, nImage, nSelected));
    EXPECT_EQ(std::make_pair(nImage, nSelected), std::make_pair(3, 2));
    ASSERT_TRUE(list.tree.GetItemImage(list.data.m_aTag[1].m_hItem, nImage, nSelected));
    EXPECT_EQ(std::make_pair(nImage, nSelected), std::make_pair(0, 1));
    EXPECT_TRUE(list.tree.GetItemState(list.tree.GetRootItem(), CITY_TVIS_EXPANDED)) << "root not expanded";
}

struct FieldCase {
    const char* fault;
    std::string line;
    double lon, lat, alt, tz;
    int altFlag, user, type;
    const wchar_t* name;
};

TEST(LoadCityList, ReadsPlaceFieldsAsWtofAndWtoi)
{
    const FieldCase cases[] = {
        {"plain east/north line", "Tokyo   ,139.7667000E, 35.6833000N,     40,+09.00, 0, 0, 3",
         139.7667, 35.6833, 40, 9, 0, 0, 3, L"Tokyo"},
        {"upper-case W not west", "a,157.8583000W,21.3069000N,-3,-10.00, 0, 1, 2", -157.8583, 21.3069, -3, -10, 0, 1, 2, L"a"},
        {"lower-case w not west", "a,10.5w,1N,0,+0, 0, 0, 0", -10.5, 1, 0, 0, 0, 0, 0, L"a"},
        {"lower-case s not south", "a,10E,33.5s,0,+0, 0, 0, 0", 10, -33.5, 0, 0, 0, 0, 0, L"a"},
        {"other letter taken as west", "a,10X,20Z,0,+0, 0, 0, 0", 10, 20, 0, 0, 0, 0, 0, L"a"},
        {"no letter: last digit eaten", "a,15,20,0,+0, 0, 0, 0", 1, 2, 0, 0, 0, 0, 0, L"a"},
        {"altitude read as float", "a,1E,1N,40.6,+0, 0, 0, 0", 1, 1, 40, 0, 0, 0, 0, L"a"},
        {"altitude flag 2 kept", "a,1E,1N,0,+0, 2, 5, 7", 1, 1, 0, 0, 0, 5, 7, L"a"},
        {"altitude flag 1 lost", "a,1E,1N,0,+0, 1, 0, 0", 1, 1, 0, 0, 1, 0, 0, L"a"},
        {"name not trimmed or inner blanks lost", "  New York   ,74W,40.7N,10,-05.00, 0, 0, 1",
         -74, 40.7, 10, -5, 0, 0, 1, L"New York"},
    };
    for (const FieldCase& c : cases) {
        TempDir dir;
        LoadedList list;
        list.Load(dir, "@F\r\n" + c.line + "\r\n");
        ASSERT_EQ(list.data.m_nCityNum, 1) << c.fault;
        const CCityList& city = list.data.m_aCity[0];
        EXPECT_EQ(city.m_strName, c.name) << c.fault;
        EXPECT_DOUBLE_EQ(city.m_dLon, c.lon) << c.fault;
        EXPECT_DOUBLE_EQ(city.m_dLat, c.lat) << c.fault;
        EXPECT_DOUBLE_EQ(city.m_dAlt, c.alt) << c.fault;
        EXPECT_DOUBLE_EQ(city.m_dTz, c.tz) << c.fault;
        EXPECT_EQ(city.m_nAltFlag, c.altFlag) << c.fault;
        EXPECT_EQ(city.m_nUser, c.user) << c.fault;
        EXPECT_EQ(city.m_nType, c.type) << c.fault;
    }
}

TEST(LoadCityList, DeepNestingHangsAtTheDeepestLevel)
{
    TempDir dir;
    LoadedList list;
    list.Load(dir, "@A\r\n" + std::string(150, '@') + "Deep\r\np" + P + "#\r\nq" + P);
    EXPECT_EQ(DumpTree(list.tree), kRoot + "{A{Deep{p},q}}");
    ASSERT_EQ(list.data.m_nTagNum, 3);
    EXPECT_EQ(list.data.m_aTag[2].m_nLevel, CCityData::MaxLevel);
}

TEST(LoadCityList, MoreThanTheCapacitiesKeepsEverything)
{
    std::string file;
    for (int f = 0; f < 2100; ++f) {
        file += "@F" + std::to_string(f) + "\r\n";
        for (int p = 0; p < 5; ++p)
            file += "p" + std::to_string(f) + "_" + std::to_string(p) + P;
        file += "#\r\n";
    }
    TempDir dir;
    LoadedList list;
    list.Load(dir, file);
    EXPECT_EQ(list.data.m_nTagNum, 2101);
    EXPECT_EQ(list.data.m_nCityNum, 10500);
    // The last place still points at its own record.
    const CCityList& last = list.data.CityAt(10499);
    EXPECT_EQ(list.tree.GetItemText(last.m_hItem), L"p2099_4");
    EXPECT_EQ(list.tree.GetItemData(last.m_hItem), 10499);
    EXPECT_EQ(last.m_nTag, 2100);
}

TEST(LoadCityList, ReportsProgressBoundedAndInOrder)
{
    struct ProgressCase {
        const char* fault;
        std::string file;
        bool bExists;
    };
    std::string big;
    for (int i = 0; i < 5000; ++i)
        big += "p" + std::to_string(i) + P;
    const ProgressCase cases[] = {
        {"many lines flood the host", "@A\r\n" + big, true},
        {"one line divides by zero", "@A\r\n", true},
        {"empty first body line divides by zero", "#h\r\n\r\n@A\r\n", true},
        {"no body", "#h\r\n", true},
        {"missing file sends no end", "", false},
    };
    for (const ProgressCase& c : cases) {
        TempDir dir;
        LoadedList list;
        if (c.bExists) {
            list.Load(dir, c.file);
        } else {
            list.data.m_strObsFile = dir.WidePath("missing.obs");
            list.bRead = list.data.LoadCityList();
        }
        EXPECT_EQ(list.bRead, c.bExists) << c.fault;
        ASSERT_GE(list.reports.size(), 2u) << c.fault;
        EXPECT_EQ(list.reports.front(), std::make_pair(0, 0)) << c.fault;
        EXPECT_EQ(list.texts.front(), L"都市データの読み込み中") << c.fault;
        EXPECT_EQ(list.reports.back(), std::make_pair(2, 0)) << c.fault;
        int nLast = 0;
        for (size_t i = 1; i + 1 < list.reports.size(); ++i) {
            EXPECT_EQ(list.reports[i].first, 1) << c.fault;
            EXPECT_GT(list.reports[i].second, nLast) << c.fault;
            EXPECT_LE(list.reports[i].second, 100) << c.fault;
            nLast = list.reports[i].second;
        }
        EXPECT_LE(list.reports.size(), 102u) << c.fault;
        if (!c.bExists) {
            EXPECT_EQ(DumpTree(list.tree), kRoot + "{}") << c.fault;
        }
    }
}

}  // namespace
