#include "LogTestKit.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const char* const kJapan = "場所{日本{東京,大阪},米国{ホノルル}}";
const char* const kHomeFirst = "場所{日本{自宅,東京,大阪},米国{ホノルル}}";
const std::string kAddHome = Rec("add", L"自宅", "leaf", L"", kHome);

// An add with an empty offset, a folder's update with records below it and a folder's delete are
// what the Record tests' edits write, and their saved logs replay to the same tree there.
TEST(Replay, AppliesEachRecordThatFitsAndKeepsTheRest)
{
    std::string deepObjects, deepRecords, deepArrays(5000, '[');
    for (int i = 0; i < 100000; ++i)
        deepObjects += "{\"a\":";
    for (int i = 0; i < 300; ++i)
        deepRecords += "[{\"action\":\"path\",\"original_name\":\"" + Ansi(L"場所") + "\",\"next\":";
    const std::string root = Top({});
    const std::string added = PathRec(L"場所", {PathRec(L"日本", {kAddHome})});
    // logAfter empty: the log is kept as the reader read it, records that did not apply included.
    const struct { const char* fault; std::string log; const char* names; bool bDamaged; std::string logAfter; } cases[] = {
        {"empty array changes nothing", "[]", kJapan, false, ""},
        {"add after a sibling that is not there goes first", InJapan({Rec("add", L"自宅", "leaf", L"名古屋", kHome)}), kHomeFirst, false, ""},
        {"add after a sibling deleted by an earlier record goes first",
         InJapan({Del(L"東京"), Rec("add", L"自宅", "leaf", L"東京", kHome)}), "場所{日本{自宅,大阪},米国{ホノルル}}", false, ""},
        {"added folder rebuilds its subtree in order",
         InJapan({Rec("add", L"九州", "node", L"大阪", "", L"",
                      Arr({kAddHome, Rec("add", L"熊本", "leaf", L"自宅", kHome), Rec("add", L"宮崎", "node", L"熊本")}))}),
         "場所{日本{東京,大阪,九州{自宅,熊本,宮崎{}}},米国{ホノルル}}", false, ""},
        {"delete of a missing item changes nothing", InJapan({Del(L"名古屋")}), kJapan, false, ""},
        {"a record takes an item an earlier record of its array took", Top({PathRec(L"日本", {kAddHome}), Del(L"日本")}), kHomeFirst, false, ""},
        {"path to a missing folder applies nothing below it", Top({PathRec(L"欧州", {kAddHome})}), kJapan, false, ""},
        // Hand-edited records: each one that cannot apply is passed over.
        {"values that are not records are skipped",
         "[1,\"x\",null," + Rec("path", L"場所", "node", L"", "", L"", "[3,[]," + PathRec(L"日本", {kAddHome}) + "]") + "]",
         kHomeFirst, false, ""},
        {"record without original_name is skipped",
         InJapan({"{\"action\":\"add\",\"type\":\"leaf\",\"data\":\"1,2,3,4,0,1,0\",\"vertical_offset\":\"\",\"next\":[]}"}),
         kJapan, false, ""},
        {"unknown action is skipped", InJapan({Rec("move", L"東京")}), kJapan, false, ""},
        {"add of an unknown type is skipped", InJapan({Rec("add", L"自宅", "house", L"", kHome)}), kJapan, false, ""},
        {"place add without data is skipped",
         InJapan({"{\"action\":\"add\",\"original_name\":\"x\",\"type\":\"leaf\",\"vertical_offset\":\"\",\"next\":[]}"}),
         kJapan, false, ""},
        {"place values are not put into a folder", Top({Rec("update", L"日本", "leaf", L"", kHome, L"日本国")}), kJapan, false, ""},
        {"the root folder is neither added to nor deleted at the top", Arr({Rec("add", L"別"), Del(L"場所")}), kJapan, false, ""},
        {"path whose next is not an array is skipped", Arr({Rec("path", L"場所", "node", L"", "", L"", "{}")}), kJapan, false, ""},
        {"add without next still adds",
         InJapan({"{\"action\":\"add\",\"original_name\":\"" + Ansi(L"自宅") + "\",\"type\":\"node\",\"vertical_offset\":\"\"}"}),
         "場所{日本{自宅{},東京,大阪},米国{ホノルル}}", false, ""},
        // Damaged logs: replayed as far as they read, never a crash.
        {"empty file", "", kJapan, false, root},
        {"syntax error after a whole record", "[" + added + ",{\"action\":", kHomeFirst, true,
         "[" + added + ",{\"action\":null}]"},
        {"number out of range", "[1e400]", kJapan, true, "[null]"},
        {"objects nested without end", deepObjects, kJapan, true, root},
        {"arrays nested without end", deepArrays, kJapan, true, ""},
        {"records nested without end", deepRecords, kJapan, true, ""},
        {"white space only", " \r\n", kJapan, true, root},
        {"zeros only", std::string(64, '\0'), kJapan, true, root},
        {"byte-order mark", "\xEF\xBB\xBF[]", kJapan, true, root},
        {"top level is an object", "{\"action\":\"path\"}", kJapan, true, root},
        {"text after the array", "[]]", kJapan, true, "[]"},
        {"text after a NUL byte", std::string("[]\0garbage", 10), kJapan, true, "[]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        b.Open(JapanList(), c.log);
        EXPECT_EQ(c.names, b.Names());
        EXPECT_EQ(c.bDamaged, b.log.IsLogDamaged());
        picojson::value read;
        CLocationLog::ParseLogText(c.log, read);
        EXPECT_EQ(c.logAfter.empty() ? read.serialize() : c.logAfter, b.LogText());
        // The recording works on whatever was kept.
        EXPECT_TRUE(b.AddFolder({L"場所"}, L"新"));
    }
}


// Edits of same-named siblings, recorded, saved and replayed.
TEST(Replay, EachRecordTakesTheFirstItemOfItsNameThatNoEarlierRecordTook)
{
    const std::string twoA = "@F\r\nA,1E,1N,1,+09.00,0,0,0\r\nA,2E,2N,2,+09.00,0,0,0\r\n#\r\n";
    const std::string twoTokyo = Ansi(L"@東京\r\nx,1E,1N,1,+09.00,0,0,0\r\n#\r\n@東京\r\ny,2E,2N,2,+09.00,0,0,0\r\n#\r\n");
    std::string sixA = "@F\r\n";
    for (int i = 1; i <= 6; ++i)
        sixA += "A," + std::to_string(i) + "E,1N,1,+09.00,0,0,0\r\n";
    sixA += "#\r\n";
    const char* const kEdited = "  5.0000000, 5.0000000,5,09.00, 0, 1, 0";
    auto inF = [](Recs recs) { return Top({PathRec(L"F", recs)}); };
    auto upd = [&](const wchar_t* from, const wchar_t* to) { return Rec("update", from, "leaf", L"", kEdited, to); };
    // Places by position: after a rename a name finds the other one.
    auto nth = [](CityBench& b, int n) {
        HCITYITEM h = b.tree.GetChildItem(b.Find({L"場所", L"F"}));
        while (n-- > 0)
            h = b.tree.GetNextSiblingItem(h);
        return h;
    };
    auto edit = [](CityBench& b, HCITYITEM h, const wchar_t* name) {
        ASSERT_TRUE(b.editor.EditPlace(h, name, PlaceValues(5, 5, 5, 9), b.refusal));
    };
    auto editIn = [&](CityBench& b, const wchar_t* folder, const wchar_t* from, const wchar_t* to) {
        edit(b, b.Find({L"場所", folder, from}), to);
    };
    using B = CityBench;
    const struct { const char* fault; std::string system; std::function<void(B&)> edit; std::string log; const char* names; } cases[] = {
        {"a delete after a rename takes the renamed place's namesake", twoA,
         [&](B& b) { edit(b, nth(b, 0), L"B"); b.editor.DeleteItem(nth(b, 1)); }, inF({upd(L"A", L"B"), Del(L"A")}),
         "場所{F{B}}"},
        {"two namesakes renamed apart", twoA, [&](B& b) { edit(b, nth(b, 0), L"B"); edit(b, nth(b, 1), L"C"); },
         inF({upd(L"A", L"B"), upd(L"A", L"C")}), "場所{F{B,C}}"},
        {"an add goes into the namesake of a renamed folder", twoTokyo,
         [&](B& b) {
             ASSERT_TRUE(b.Rename({L"場所", L"東京"}, L"B"));
             ASSERT_TRUE(b.AddPlace({L"場所", L"東京"}, L"自宅", PlaceValues(5, 5, 5, 9)));
         },
         Top({Rec("update", L"東京", "node", L"", "", L"B"), PathRec(L"東京", {Rec("add", L"自宅", "leaf", L"", kEdited)})}),
         "場所{B{x},東京{自宅,y}}"},
        {"swap: an edited place renamed onto a deleted sibling keeps its edit",
         "@F\r\nB,1E,1N,1,+09.00,0,0,0\r\nA,2E,2N,2,+09.00,0,0,0\r\n#\r\n",
         [&](B& b) { editIn(b, L"F", L"B", L"B"); b.Delete({L"場所", L"F", L"A"}); editIn(b, L"F", L"B", L"A"); },
         inF({upd(L"B", L"A"), Del(L"A")}), "場所{F{A}}"},
        {"a place takes the name of a sibling renamed after it got a record", JapanList(),
         [&](B& b) { editIn(b, L"日本", L"東京", L"東京"); editIn(b, L"日本", L"大阪", L"難波"); editIn(b, L"日本", L"東京", L"大阪"); },
         InJapan({upd(L"東京", L"大阪"), upd(L"大阪", L"難波")}), "場所{日本{大阪,難波},米国{ホノルル}}"},
        {"two places swap names", JapanList(),
         [&](B& b) { editIn(b, L"日本", L"東京", L"仮"); editIn(b, L"日本", L"大阪", L"東京"); editIn(b, L"日本", L"仮", L"大阪"); },
         InJapan({upd(L"東京", L"大阪"), upd(L"大阪", L"東京")}), "場所{日本{大阪,東京},米国{ホノルル}}"},
        {"an edit of the second namesake first passes over the first", twoA, [&](B& b) { edit(b, nth(b, 1), L"A"); },
         inF({PathRec(L"A", {}), upd(L"A", L"A")}), "場所{F{A,A}}"},
        {"the last of many namesakes: every one above it gets a record first", sixA,
         [&](B& b) { edit(b, nth(b, 5), L"A"); },
         inF({PathRec(L"A", {}), PathRec(L"A", {}), PathRec(L"A", {}), PathRec(L"A", {}), PathRec(L"A", {}), upd(L"A", L"A")}),
         "場所{F{A,A,A,A,A,A}}"},
        {"a place moved behind its namesake keeps its own record", twoA,
         [&](B& b) { ASSERT_TRUE(b.editor.DropItem(nth(b, 0), nth(b, 1), nullptr, b.refusal)); edit(b, nth(b, 1), L"C"); },
         inF({Del(L"A"), PathRec(L"A", {}), Rec("add", L"C", "leaf", L"A", kEdited)}), "場所{F{A,C}}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b, replay;
        b.Open(c.system, "", true);
        c.edit(b);
        EXPECT_EQ(c.log, b.LogText());
        b.SaveAndReplay(replay);
        EXPECT_EQ(c.names, replay.Names());
        EXPECT_EQ(b.Dump(), replay.Dump());
    }
}


// An update of the system list adds 名古屋 behind 大阪 and a folder 欧州, and changes 大阪's
// altitude: every kind of saved edit still lands where the user made it, over the new list.
TEST(Replay, EachKindOfEditSurvivesANewerSystemList)
{
    const std::string kNewer = Ansi(L"# newer system list\r\n@日本\r\n"
                                    L"東京,139.7667000E,35.6833000N,40,+09.00, 0, 0, 3\r\n"
                                    L"大阪,135.5000000E,34.6833000N,6,+09.00, 0, 0, 3\r\n"
                                    L"名古屋,136.9066000E,35.1815000N,51,+09.00, 0, 0, 3\r\n"
                                    L"#\r\n@米国\r\nホノルル,157.8583000W,21.3069000N,-3,-10.00, 0, 0, 1\r\n#\r\n"
                                    L"@欧州\r\nパリ,2.3522000E,48.8566000N,35,+01.00, 0, 0, 1\r\n#\r\n");
    struct Case {
        const char* fault;
        std::function<void(CityBench&)> edit;
        const char* names;
    };
    using B = CityBench;
    const Case cases[] = {
        {"an added place lost", [](B& b) { b.AddPlace({L"場所", L"日本"}, L"京都"); },
         "場所{日本{京都,東京,大阪,名古屋},米国{ホノルル},欧州{パリ}}"},
        {"an added folder lost", [](B& b) { b.AddFolder({L"場所"}, L"旅行"); },
         "場所{旅行{},日本{東京,大阪,名古屋},米国{ホノルル},欧州{パリ}}"},
        {"a rename lost", [](B& b) { b.Rename({L"場所", L"日本", L"東京"}, L"江戸"); },
         "場所{日本{江戸,大阪,名古屋},米国{ホノルル},欧州{パリ}}"},
        {"a deleted place back", [](B& b) { b.Delete({L"場所", L"米国", L"ホノルル"}); },
         "場所{日本{東京,大阪,名古屋},米国{},欧州{パリ}}"},
        {"a place moved into a folder left behind",
         [](B& b) { b.Drop({L"場所", L"米国", L"ホノルル"}, {L"場所", L"日本"}); },
         "場所{日本{ホノルル,東京,大阪,名古屋},米国{},欧州{パリ}}"},
        {"a folder moved behind a place not behind it",
         [](B& b) { b.Drop({L"場所", L"米国"}, {L"場所", L"日本", L"大阪"}); },
         "場所{日本{東京,大阪,米国{ホノルル},名古屋},欧州{パリ}}"},
        {"a reset kept old edits", [](B& b) { b.AddPlace({L"場所", L"日本"}, L"京都"), b.session.Reset(); },
         "場所{日本{東京,大阪,名古屋},米国{ホノルル},欧州{パリ}}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        b.Open(JapanList(), "[]");
        c.edit(b);
        ASSERT_TRUE(b.log.SaveCityList());
        WriteBytes(b.dir.Path("zelkam.obs"), kNewer);
        b.Reopen();
        EXPECT_EQ(c.names, b.Names());
    }
    // The user's own values of a place outlive the list's new ones; untouched places take them.
    CityBench b;
    b.Open(JapanList(), "[]");
    ASSERT_TRUE(b.editor.EditPlace(b.Find({L"場所", L"日本", L"東京"}), L"東京", PlaceValues(139.7, 35.7, 30, 9), b.refusal));
    ASSERT_TRUE(b.log.SaveCityList());
    WriteBytes(b.dir.Path("zelkam.obs"), kNewer);
    b.Reopen();
    EXPECT_NE(b.Dump().find(std::string("東京\t") + kHome), std::string::npos) << b.Dump();
    EXPECT_NE(b.Dump().find("大阪\t135.5000000,34.6833000,6,"), std::string::npos) << b.Dump();
}

}  // namespace
