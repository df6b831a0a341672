#include "TestFiles.h"

#include <citydb/CSafeFile.h>

#include <gtest/gtest.h>

#include <tuple>

namespace {

const std::string kRoot = "場所";
const std::string P = ",139.7667000E, 35.6833000N,     40,+09.00, 0, 0, 3\r\n";
const std::string P_ = P.substr(0, P.size() - 2);  // without its line end

// A line's bytes converted alone, in UTF-8.
std::string U8(const std::string& line) { return CityUtf8FromWide(WideFromAnsi(line)); }

// What the host saw: a start with its text, at most 100 steps rising to at most 100, an end;
// whatever the file, no division by zero.
void ExpectProgress(const LoadedList& list)
{
    ASSERT_GE(list.reports.size(), 2u);
    EXPECT_EQ(list.reports.front(), std::make_pair(0, 0));
    EXPECT_EQ(list.texts.front(), L"都市データの読み込み中");
    EXPECT_EQ(list.reports.back(), std::make_pair(2, 0));
    EXPECT_LE(list.reports.size(), 102u);
    for (size_t i = 1; i + 1 < list.reports.size(); ++i) {
        EXPECT_EQ(list.reports[i].first, 1);
        EXPECT_GT(list.reports[i].second, list.reports[i - 1].second);
        EXPECT_LE(list.reports[i].second, 100);
    }
}

TEST(LoadCityList, BuildsTheTreeAsTheLinesSay)
{
    // The tree by its names, the header in ANSI.
    const struct { const char* fault; std::string file, tree, header; } cases[] = {
        {"header lines lost or doubled", "#h1\r\n#h2\r\n@A\r\n", kRoot + "{A{}}", "#h1\n#h2\n"},
        {"header not ended by the first body line", "#h1\r\n@A\r\n#\r\n", kRoot + "{A{}}", "#h1\n"},
        {"header taken after trimming", " #h1\r\n@A\r\n", kRoot + "{A{}}", ""},
        {"places before and after a subfolder reordered", "@A\r\np1" + P + "p2" + P + "@@B\r\n#\r\np3" + P + "p4" + P, kRoot + "{A{p1,p2,B{},p3,p4}}", ""},
        {"place after close lands in the inner folder", "@A\r\n@@B\r\np1" + P + "#\r\np2" + P, kRoot + "{A{B{p1},p2}}", ""},
        {"close at level 0 goes below 0", "@A\r\n#\r\n#\r\n#\r\np" + P + "@B\r\n", kRoot + "{A{},p,B{}}", ""},
        {"seven-field line read or nine-field line dropped", "@A\r\nseven,1E,2N,3,+1.00, 0, 0\r\nnine" + P_ + ",x\r\n", kRoot + "{A{nine}}", ""},
        {"LF-only and mixed line ends", "#h\n@A\nx" + P_ + "\n@B\r\ny" + P, kRoot + "{A{x},B{y}}", "#h\n"},
        {"white space in folder lines", "  \t@ A  \r\n\r\n   \r\n  #  rest\r\n@B\r\n", kRoot + "{ A{},B{}}", ""},
        {"orphan place before any folder", "p" + P + "@A\r\n", kRoot + "{p,A{}}", ""},
        {"orphan folder of level 2 right after the header", "#h\r\n@@X\r\np" + P + "#\r\nq" + P, kRoot + "{X{p},q}", "#h\n"},
        {"level-2 folder after a closed level-1 folder", "@A\r\n@@B\r\n#\r\n#\r\n@@C\r\n", kRoot + "{A{B{},C{}}}", ""},
        {"deeper than the deepest level", "@A\r\n" + std::string(150, '@') + "Deep\r\np" + P + "#\r\nq" + P, kRoot + "{A{Deep{p},q}}", ""},
        {"last line without line end", "@A\r\np" + P_, kRoot + "{A{p}}", ""},
        {"empty file", "", kRoot + "{}", ""},
        {"header only", "#only\r\n", kRoot + "{}", "#only\n"},
        {"empty first body line", "#h\r\n\r\n@A\r\n", kRoot + "{A{}}", "#h\n"},
        {"Japanese names", A(L"@日本\r\n東京") + P + A(L"大阪") + P, kRoot + "{日本{東京,大阪}}", ""},
        {"a line ending in a lead byte read with the next", "@A\x82\n@\x93\x8C\x82\r\n@C\n", kRoot + "{" + U8("A\x82")
         + "{}," + U8("\x93\x8C\x82") + "{},C{}}", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        TempDir dir;
        LoadedList list;
        list.Load(dir, c.file);
        EXPECT_TRUE(list.bRead);
        EXPECT_EQ(TreeNames(list.tree), c.tree);
        EXPECT_EQ(AnsiFromWide(list.data.m_strObsHeader.wstr()), c.header);
        ExpectProgress(list);
    }
}

// A plain east and north line and an upper-case W are the system list every log test loads, and
// obsdb's find and dump print as read.
TEST(LoadCityList, ReadsPlaceFieldsAsWtofAndWtoi)
{
    using V = std::tuple<double, double, double, double, int, int, int>;  // lon, lat, alt, tz, flag, user, type
    const struct { const char* fault; std::string line; V values; const wchar_t* name; } cases[] = {
        {"lower-case w not west", "a,10.5w,1N,0,+0, 0, 0, 0", V{-10.5, 1, 0, 0, 0, 0, 0}, L"a"},
        {"lower-case s not south", "a,10E,33.5s,0,+0, 0, 0, 0", V{10, -33.5, 0, 0, 0, 0, 0}, L"a"},
        {"other letter taken as west", "a,10X,20Z,0,+0, 0, 0, 0", V{10, 20, 0, 0, 0, 0, 0}, L"a"},
        {"no letter: last digit eaten", "a,15,20,0,+0, 0, 0, 0", V{1, 2, 0, 0, 0, 0, 0}, L"a"},
        {"altitude read as float", "a,1E,1N,40.6,+0, 0, 0, 0", V{1, 1, 40, 0, 0, 0, 0}, L"a"},
        {"altitude flag 2 kept", "a,1E,1N,0,+0, 2, 5, 7", V{1, 1, 0, 0, 0, 5, 7}, L"a"},
        {"altitude flag 1 lost", "a,1E,1N,0,+0, 1, 0, 0", V{1, 1, 0, 0, 1, 0, 0}, L"a"},
        {"name not trimmed or inner blanks lost", "  New York   ,74W,40.7N,10,-05.00, 0, 0, 1", V{-74, 40.7, 10, -5, 0, 0, 1},
         L"New York"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        TempDir dir;
        LoadedList list;
        list.Load(dir, "@F\r\n" + c.line + "\r\n");
        ASSERT_EQ(list.data.m_nCityNum, 1);
        const CCityList& city = list.data.m_aCity[0];
        EXPECT_EQ(city.m_strName, c.name);
        EXPECT_EQ(V(city.m_dLon, city.m_dLat, city.m_dAlt, city.m_dTz, city.m_nAltFlag, city.m_nUser, city.m_nType), c.values);
    }
}

TEST(LoadCityList, MoreThanTheCapacitiesKeepsEverythingAndRecordsMatchItems)
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
    list.Load(dir, file + std::string(150, '@') + "Deep\r\n");
    ASSERT_EQ(list.data.m_nTagNum, 2102);
    EXPECT_EQ(list.data.m_nCityNum, 10500);
    EXPECT_EQ(list.data.m_aTag[0].m_hItem, nullptr) << "the root entry keeps no item";
    EXPECT_EQ(list.data.m_aTag[2101].m_nLevel, CCityData::MaxLevel);
    // The last place still points at its own record, and its record at its item and folder.
    const CCityList& last = list.data.CityAt(10499);
    EXPECT_EQ(list.tree.GetItemText(last.m_hItem), L"p2099_4");
    EXPECT_EQ(list.tree.GetItemData(last.m_hItem), 10499);
    EXPECT_EQ(last.m_nTag, 2100);
    EXPECT_EQ(list.tree.GetParentItem(last.m_hItem), list.data.TagAt(2100).m_hItem);
    // A place's images are checked on its moved copy.
    int nImage = -1, nSelected = -1;
    ASSERT_TRUE(list.tree.GetItemImage(list.data.TagAt(2100).m_hItem, nImage, nSelected));
    EXPECT_EQ(std::make_pair(nImage, nSelected), std::make_pair(0, 1));
    EXPECT_TRUE(list.tree.GetItemState(list.tree.GetRootItem(), CITY_TVIS_EXPANDED)) << "root not expanded";
    ExpectProgress(list);
}

int g_nReads = 0, g_nFailingRead = 0;
bool FailNthRead(const char* pszCall)
{
    return std::string(pszCall) != "read" || ++g_nReads != g_nFailingRead;
}

// A list that cannot be read, from the start or half way, leaves the root alone.
TEST(LoadCityList, UnreadableFileGivesTheRootAndEndsTheProgress)
{
    TempDir dir;
    std::string file = "#h\r\n@A\r\n";
    for (int i = 0; i < 2000; ++i)
        file += "p" + P;
    WriteBytes(dir.Path("zelkam.obs"), file + "@B\r\n");
    // The reads of a whole load: the file is read twice, in more than one piece each time.
    LoadedList whole;
    whole.data.m_strObsFile = dir.WidePath("zelkam.obs");
    g_nReads = 0, g_nFailingRead = -1;
    CSafeFile::SetStepHook(FailNthRead);
    struct Unhook {
        ~Unhook() { CSafeFile::SetStepHook(nullptr); }
    } unhook;
    ASSERT_TRUE(whole.data.LoadCityList());
    ASSERT_GE(g_nReads, 4);
    const struct { const char* fault; const char* name; int nFailingRead; } cases[] = {
        {"missing file", "missing.obs", 0},
        {"read failing at once", "zelkam.obs", 1},
        {"read failing half way through the places", "zelkam.obs", g_nReads / 2 + 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        LoadedList list;
        list.data.m_strObsFile = dir.WidePath(c.name);
        g_nReads = 0, g_nFailingRead = c.nFailingRead;
        EXPECT_FALSE(list.data.LoadCityList());
        EXPECT_EQ(TreeNames(list.tree), kRoot + "{}");
        EXPECT_EQ(std::make_pair(list.data.m_nTagNum, list.data.m_nCityNum), std::make_pair(1, 0));
        EXPECT_TRUE(list.data.m_strObsHeader.IsEmpty());
        ExpectProgress(list);
    }
}

}  // namespace
