#include "LogTestKit.h"

#include <gtest/gtest.h>

namespace {

const char* const kHome = "139.7000000,35.7000000,30,09.00, 0, 1, 0";
const char* const kJapan = "場所{日本{東京,大阪},米国{ホノルル}}";

// Records under 場所 > 日本.
std::string InJapan(std::initializer_list<std::string> recs)
{
    std::string inner = Arr(recs);
    return Arr({Rec("path", L"場所", "node", L"", "", L"", Arr({Rec("path", L"日本", "node", L"", "", L"", inner)}))});
}

struct ReplayCase {
    const char* fault;
    std::string log;
    const char* names;
    int cityNum;
};

TEST(Replay, AppliesRecordsAsTheyStandInTheirArrays)
{
    const ReplayCase cases[] = {
        {"empty array changes nothing", "[]", kJapan, 3},
        {"add after a named sibling", InJapan({Rec("add", L"自宅", "leaf", L"東京", kHome)}),
         "場所{日本{東京,自宅,大阪},米国{ホノルル}}", 4},
        {"add with empty offset goes first", InJapan({Rec("add", L"自宅", "leaf", L"", kHome)}),
         "場所{日本{自宅,東京,大阪},米国{ホノルル}}", 4},
        {"add after a sibling that is not there goes first",
         InJapan({Rec("add", L"自宅", "leaf", L"名古屋", kHome)}), "場所{日本{自宅,東京,大阪},米国{ホノルル}}", 4},
        {"add after a sibling deleted by an earlier record goes first",
         InJapan({Rec("delete", L"東京", "node", L"", "", L"", "\"\""), Rec("add", L"自宅", "leaf", L"東京", kHome)}),
         "場所{日本{自宅,大阪},米国{ホノルル}}", 4},
        {"added folder rebuilds its subtree in order",
         InJapan({Rec("add", L"九州", "node", L"大阪", "", L"",
                      Arr({Rec("add", L"福岡", "leaf", L"", kHome), Rec("add", L"熊本", "leaf", L"福岡", kHome),
                           Rec("add", L"宮崎", "node", L"熊本")}))}),
         "場所{日本{東京,大阪,九州{福岡,熊本,宮崎{}}},米国{ホノルル}}", 5},
        {"update renames", InJapan({Rec("update", L"大阪", "leaf", L"", kHome, L"大阪市")}),
         "場所{日本{東京,大阪市},米国{ホノルル}}", 3},
        {"update of a folder keeps applying below it",
         Arr({Rec("path", L"場所", "node", L"", "", L"",
                  Arr({Rec("update", L"日本", "node", L"", "", L"ニッポン", Arr({Rec("delete", L"東京", "node", L"", "", L"", "\"\"")}))}))}),
         "場所{ニッポン{大阪},米国{ホノルル}}", 3},
        {"delete of a missing item changes nothing", InJapan({Rec("delete", L"名古屋", "node", L"", "", L"", "\"\"")}),
         kJapan, 3},
        {"delete of a folder removes items added before",
         Arr({Rec("path", L"場所", "node", L"", "", L"",
                  Arr({Rec("path", L"日本", "node", L"", "", L"", Arr({Rec("add", L"自宅", "leaf", L"", kHome)})),
                       Rec("delete", L"日本", "node", L"", "", L"", "\"\"")}))}),
         "場所{米国{ホノルル}}", 4},
        {"path to a missing folder applies nothing below it",
         Arr({Rec("path", L"場所", "node", L"", "", L"", Arr({Rec("path", L"欧州", "node", L"", "", L"", Arr({Rec("add", L"巴里", "leaf", L"", kHome)}))}))}),
         kJapan, 3},
        // Hand-edited or damaged records: each one that cannot apply is passed over.
        {"values that are not records are skipped",
         "[1,\"x\",null," + Rec("path", L"場所", "node", L"", "", L"", "[3,[]," + Rec("path", L"日本", "node", L"", "", L"", Arr({Rec("add", L"自宅", "leaf", L"", kHome)})) + "]") + "]",
         "場所{日本{自宅,東京,大阪},米国{ホノルル}}", 4},
        {"record without original_name is skipped",
         InJapan({"{\"action\":\"add\",\"type\":\"leaf\",\"data\":\"1,2,3,4,0,1,0\",\"vertical_offset\":\"\",\"next\":[]}"}), kJapan, 3},
        {"record whose action is not text is skipped",
         InJapan({"{\"action\":7,\"original_name\":\"" + Ansi(L"東京") + "\"}"}), kJapan, 3},
        {"unknown action is skipped", InJapan({Rec("move", L"東京")}), kJapan, 3},
        {"add of an unknown type is skipped", InJapan({Rec("add", L"自宅", "house", L"", kHome)}), kJapan, 3},
        {"place add without data is skipped",
         InJapan({"{\"action\":\"add\",\"original_name\":\"x\",\"type\":\"leaf\",\"vertical_offset\":\"\",\"next\":[]}"}), kJapan, 3},
        {"place values are not put into a folder",
         Arr({Rec("path", L"場所", "node", L"", "", L"", Arr({Rec("update", L"日本", "leaf", L"", kHome, L"日本国")}))}),
         kJapan, 3},
        {"the root folder is neither added to nor deleted at the top",
         Arr({Rec("add", L"別", "node"), Rec("delete", L"場所", "node", L"", "", L"", "\"\"")}), kJapan, 3},
        {"path whose next is not an array is skipped",
         Arr({Rec("path", L"場所", "node", L"", "", L"", "{}")}), kJapan, 3},
        {"add without next still adds",
         InJapan({"{\"action\":\"add\",\"original_name\":\"" + Ansi(L"自宅") + "\",\"type\":\"node\",\"vertical_offset\":\"\"}"}),
         "場所{日本{自宅{},東京,大阪},米国{ホノルル}}", 3},
    };
    for (const ReplayCase& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        b.Open(JapanList(), c.log);
        EXPECT_EQ(c.names, b.Names());
        EXPECT_EQ(c.cityNum, b.data.m_nCityNum);
        EXPECT_FALSE(b.log.IsLogDamaged());
        // Records that did not apply stay in the log as they were read.
        picojson::value read;
        ASSERT_TRUE(CLocationLog::ParseLogText(c.log, read));
        EXPECT_EQ(read.serialize(), b.LogText());
    }
}

TEST(Replay, PlacesTakeValuesFromTheirData)
{
    CityBench b;
    b.Open(JapanList(), InJapan({Rec("update", L"大阪", "leaf", L"", "-118.2437000,34.0522000,89,-8.00, 2, 1, 3", L"大阪"),
                                 Rec("add", L"自宅", "leaf", L"", kHome)}));
    EXPECT_EQ("場所{日本{自宅,東京,大阪},米国{ホノルル}}", b.Names());
    // Field 5 is kept as read (2) and written as 0.
    EXPECT_EQ(2, b.data.CityAt(1).m_nAltFlag);
    EXPECT_EQ("-118.2437000,34.0522000,89,-8.00, 0, 1, 3", b.Data({L"場所", L"日本", L"大阪"}));
    EXPECT_EQ(kHome, b.Data({L"場所", L"日本", L"自宅"}));
    EXPECT_EQ(3, static_cast<int>(b.tree.GetItemData(b.Find({L"場所", L"日本", L"自宅"}))));
}

TEST(Replay, SameNamedSiblingsGetEveryRecordOnTheFirst)
{
    CityBench b;
    b.Open(Ansi(L"@日本\r\n東京,1E,1N,1,+09.00,0,0,0\r\n東京,2E,2N,2,+09.00,0,0,0\r\n#\r\n"),
           InJapan({Rec("update", L"東京", "leaf", L"", kHome, L"東京"), Rec("delete", L"東京", "node", L"", "", L"", "\"\"")}));
    // The update went to the first, which the delete then removed; the second is untouched.
    EXPECT_EQ("場所{日本{東京}}", b.Names());
    EXPECT_EQ("  2.0000000, 2.0000000,2,09.00, 0, 0, 0", b.Data({L"場所", L"日本", L"東京"}));
}

TEST(Replay, MissingOrEmptyFileStartsWithTheRootRecord)
{
    const std::string root = Arr({Rec("path", L"場所")});
    for (bool bNoFile : {true, false}) {
        SCOPED_TRACE(bNoFile ? "no file" : "empty file");
        CityBench b;
        b.Open(JapanList(), "", bNoFile);
        EXPECT_EQ(kJapan, b.Names());
        EXPECT_EQ(root, b.LogText());
        EXPECT_FALSE(b.log.IsLogDamaged());
    }
}

struct DamagedCase {
    const char* fault;
    std::string log;
    const char* names;
    std::string logAfter;
};

TEST(Replay, DamagedLogIsReplayedAsFarAsItReadsAndNeverCrashes)
{
    const std::string root = Arr({Rec("path", L"場所")});
    const std::string added = Rec("path", L"場所", "node", L"", "", L"",
                                  Arr({Rec("path", L"日本", "node", L"", "", L"", Arr({Rec("add", L"自宅", "leaf", L"", kHome)}))}));
    std::string deepObjects;
    for (int i = 0; i < 100000; ++i)
        deepObjects += "{\"a\":";
    std::string deepArrays(5000, '[');
    std::string deepRecords;
    for (int i = 0; i < 300; ++i)
        deepRecords += "[{\"action\":\"path\",\"original_name\":\"" + Ansi(L"場所") + "\",\"next\":";
    const DamagedCase cases[] = {
        {"syntax error after a whole record", "[" + added + ",{\"action\":", "場所{日本{自宅,東京,大阪},米国{ホノルル}}",
         "[" + added + ",{\"action\":null}]"},
        {"number out of range", "[1e400]", kJapan, "[null]"},
        {"objects nested without end", deepObjects, kJapan, root},
        {"arrays nested without end", deepArrays, kJapan, ""},
        {"records nested without end", deepRecords, kJapan, ""},
        {"garbage", "garbage", kJapan, root},
        {"white space only", " \r\n", kJapan, root},
        {"byte-order mark", "\xEF\xBB\xBF[]", kJapan, root},
        {"top level is an object", "{\"action\":\"path\"}", kJapan, root},
        {"text after the array", "[]]", kJapan, "[]"},
        {"text after a NUL byte", std::string("[]\0garbage", 10), kJapan, "[]"},
        {"zeros only", std::string(64, '\0'), kJapan, root},
    };
    for (const DamagedCase& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        b.Open(JapanList(), c.log);
        EXPECT_EQ(c.names, b.Names());
        EXPECT_TRUE(b.log.IsLogDamaged());
        ASSERT_TRUE(b.log.m_locationTreeContext.is<picojson::array>());
        if (!c.logAfter.empty()) {
            EXPECT_EQ(c.logAfter, b.LogText());
        }
        // The recording works on whatever was kept.
        CString strRefusal;
        EXPECT_TRUE(b.editor.AddFolder(b.Find({L"場所"}), L"新", strRefusal));
    }
}

}  // namespace
