#include "LogTestKit.h"

#include <gtest/gtest.h>

#include <functional>

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
        {"delete of a folder removes its subtree",
         Arr({Rec("path", L"場所", "node", L"", "", L"", Arr({Rec("delete", L"日本", "node", L"", "", L"", "\"\"")}))}),
         "場所{米国{ホノルル}}", 3},
        {"a record never takes the item an earlier record of its array took",
         Arr({Rec("path", L"場所", "node", L"", "", L"",
                  Arr({Rec("path", L"日本", "node", L"", "", L"", Arr({Rec("add", L"自宅", "leaf", L"", kHome)})),
                       Rec("delete", L"日本", "node", L"", "", L"", "\"\"")}))}),
         "場所{日本{自宅,東京,大阪},米国{ホノルル}}", 4},
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

// Edits of same-named siblings, recorded, saved and replayed.
struct SameNameCase {
    const char* fault;
    std::string system;
    std::function<void(CityBench&)> edit;
    std::string log;
    const char* names;
};

TEST(Replay, EachRecordTakesTheFirstItemOfItsNameThatNoEarlierRecordTook)
{
    const std::string twoA = "@F\r\nA,1E,1N,1,+09.00,0,0,0\r\nA,2E,2N,2,+09.00,0,0,0\r\n#\r\n";
    const std::string twoTokyo = Ansi(L"@東京\r\nx,1E,1N,1,+09.00,0,0,0\r\n#\r\n@東京\r\ny,2E,2N,2,+09.00,0,0,0\r\n#\r\n");
    const char* const kEdited = "  5.0000000, 5.0000000,5,09.00, 0, 1, 0";
    std::string sixA = "@F\r\n";
    for (int i = 1; i <= 6; ++i)
        sixA += "A," + std::to_string(i) + "E,1N,1,+09.00,0,0,0\r\n";
    sixA += "#\r\n";
    auto inF = [](std::initializer_list<std::string> recs) {
        return Arr({Rec("path", L"場所", "node", L"", "", L"", Arr({Rec("path", L"F", "node", L"", "", L"", Arr(recs))}))});
    };
    // By place: after a rename the name finds the other one.
    auto first = [](CityBench& b) { return b.tree.GetChildItem(b.Find({L"場所", L"F"})); };
    auto second = [](CityBench& b) { return b.tree.GetNextSiblingItem(b.tree.GetChildItem(b.Find({L"場所", L"F"}))); };
    auto edit = [](CityBench& b, HCITYITEM h, const wchar_t* name) {
        CString s;
        ASSERT_TRUE(b.editor.EditPlace(h, name, PlaceValues(5, 5, 5, 9), s));
    };
    const std::string deleteA = Rec("delete", L"A", "node", L"", "", L"", "\"\"");
    const SameNameCase cases[] = {
        {"a delete after a rename takes the renamed place's namesake", twoA,
         [&](CityBench& b) { edit(b, first(b), L"B"); b.editor.DeleteItem(second(b)); },
         inF({Rec("update", L"A", "leaf", L"", kEdited, L"B"), deleteA}), "場所{F{B}}"},
        {"two namesakes renamed apart", twoA,
         [&](CityBench& b) { edit(b, first(b), L"B"); edit(b, second(b), L"C"); },
         inF({Rec("update", L"A", "leaf", L"", kEdited, L"B"), Rec("update", L"A", "leaf", L"", kEdited, L"C")}),
         "場所{F{B,C}}"},
        {"an add goes into the namesake of a renamed folder", twoTokyo,
         [&](CityBench& b) {
             CString s;
             ASSERT_TRUE(b.editor.EditFolder(b.Find({L"場所", L"東京"}), L"B", s));
             ASSERT_TRUE(b.editor.AddPlace(b.Find({L"場所", L"東京"}), L"自宅", PlaceValues(5, 5, 5, 9), s));
         },
         Arr({Rec("path", L"場所", "node", L"", "", L"",
                  Arr({Rec("update", L"東京", "node", L"", "", L"B"),
                       Rec("path", L"東京", "node", L"", "", L"", Arr({Rec("add", L"自宅", "leaf", L"", kEdited)}))}))}),
         "場所{B{x},東京{自宅,y}}"},
        {"swap: an edited place renamed onto a deleted sibling keeps its edit",
         "@F\r\nB,1E,1N,1,+09.00,0,0,0\r\nA,2E,2N,2,+09.00,0,0,0\r\n#\r\n",
         [&](CityBench& b) {
             edit(b, b.Find({L"場所", L"F", L"B"}), L"B");
             b.editor.DeleteItem(b.Find({L"場所", L"F", L"A"}));
             edit(b, b.Find({L"場所", L"F", L"B"}), L"A");
         },
         inF({Rec("update", L"B", "leaf", L"", kEdited, L"A"), deleteA}), "場所{F{A}}"},
        {"a place takes the name of a sibling renamed after it got a record", JapanList(),
         [&](CityBench& b) {
             edit(b, b.Find({L"場所", L"日本", L"東京"}), L"東京");
             edit(b, b.Find({L"場所", L"日本", L"大阪"}), L"難波");
             edit(b, b.Find({L"場所", L"日本", L"東京"}), L"大阪");
         },
         InJapan({Rec("update", L"東京", "leaf", L"", kEdited, L"大阪"), Rec("update", L"大阪", "leaf", L"", kEdited, L"難波")}),
         "場所{日本{大阪,難波},米国{ホノルル}}"},
        {"two places swap names", JapanList(),
         [&](CityBench& b) {
             edit(b, b.Find({L"場所", L"日本", L"東京"}), L"仮");
             edit(b, b.Find({L"場所", L"日本", L"大阪"}), L"東京");
             edit(b, b.Find({L"場所", L"日本", L"仮"}), L"大阪");
         },
         InJapan({Rec("update", L"東京", "leaf", L"", kEdited, L"大阪"), Rec("update", L"大阪", "leaf", L"", kEdited, L"東京")}),
         "場所{日本{大阪,東京},米国{ホノルル}}"},
        {"an edit of the second namesake first passes over the first", twoA,
         [&](CityBench& b) { edit(b, second(b), L"A"); },
         inF({Rec("path", L"A"), Rec("update", L"A", "leaf", L"", kEdited, L"A")}), "場所{F{A,A}}"},
        {"the last of many namesakes: every one above it gets a record first",
         sixA,
         [&](CityBench& b) {
             HCITYITEM h = first(b);
             for (int i = 0; i < 5; ++i)
                 h = b.tree.GetNextSiblingItem(h);
             edit(b, h, L"A");
         },
         inF({Rec("path", L"A"), Rec("path", L"A"), Rec("path", L"A"), Rec("path", L"A"), Rec("path", L"A"),
              Rec("update", L"A", "leaf", L"", kEdited, L"A")}),
         "場所{F{A,A,A,A,A,A}}"},
        {"a place moved behind its namesake keeps its own record", twoA,
         [&](CityBench& b) {
             CString s;
             ASSERT_TRUE(b.editor.DropItem(first(b), second(b), nullptr, s));
             edit(b, second(b), L"C");
         },
         inF({deleteA, Rec("path", L"A"), Rec("add", L"C", "leaf", L"A", kEdited)}), "場所{F{A,C}}"},
    };
    for (const SameNameCase& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        b.Open(c.system, "", true);
        c.edit(b);
        EXPECT_EQ(c.log, b.LogText());
        ASSERT_TRUE(b.log.SaveCityList());
        CityBench replay;
        replay.Open(c.system, b.SavedLog());
        EXPECT_EQ(c.names, replay.Names());
        EXPECT_EQ(b.Dump(), replay.Dump());
    }
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
