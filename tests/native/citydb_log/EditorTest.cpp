#include "LogTestKit.h"

#include <citydb/PlaceCheck.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

const CCityList kValues = PlaceValues(139.7, 35.7, 30, 9, 4);

std::wstring Taken(const wchar_t* kind, const wchar_t* name)
{
    return std::wstring(kind) + L"[" + name + L"]はすでに存在しています。\n別の名称を指定してください。";
}

// An add named like a sibling of either kind, letter case, and an edit that keeps its name are the
// city list dialog's tests' (DlgCityEdit), which show the refusal and the tree.
TEST(Editor, RefusedEditsSayWhyAndChangeNothing)
{
    using B = CityBench;
    const struct { const char* fault; std::function<bool(B&)> edit; bool bRefused; std::wstring message; } cases[] = {
        {"a name used only deeper down is free", [](B& b) { return !!b.AddPlace({L"場所"}, L"東京"); }, false, L""},
        {"renaming a place to a sibling's name",
         [](B& b) { return b.editor.EditPlace(b.Find({L"場所", L"日本", L"東京"}), L"大阪", kValues, b.refusal); }, true,
         Taken(L"都市名", L"大阪")},
        {"renaming a folder to a sibling's name", [](B& b) { return b.Rename({L"場所", L"米国"}, L"日本"); }, true,
         Taken(L"フォルダ", L"日本")},
        {"moving a place into a folder that has its name",
         [](B& b) { return b.Drop({L"場所", L"日本", L"東京"}, {L"場所", L"米国", L"ホノルル"}); }, true, Taken(L"都市名", L"東京")},
        {"moving a folder into a folder that has its name", [](B& b) { return b.Drop({L"場所", L"日本"}, {L"場所", L"米国"}, 1); },
         true, Taken(L"フォルダ", L"日本")},
        {"a label edit to a name the list cannot hold",
         [](B& b) { return b.editor.RenameItem(b.Find({L"場所", L"日本"}), L"Zürich, CH", b.refusal); }, true,
         L"フォルダ名に半角の「,」(カンマ)は使えません。\nフォルダ名に「ü」は使えません(保存できない文字です)。\n"},
        {"deleting the root", [](B& b) { return b.Delete({L"場所"}); }, true, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        b.Open(JapanList(), "", true);
        b.AddPlace({L"場所", L"米国"}, L"東京");
        b.AddFolder({L"場所", L"米国"}, L"日本");
        b.editor.m_bModified = 0;
        const std::string dump = b.Dump(), log = b.LogText();
        EXPECT_EQ(!c.bRefused, c.edit(b));
        EXPECT_EQ(c.message, b.refusal.wstr());
        EXPECT_EQ(!c.bRefused, b.editor.m_bModified);
        if (c.bRefused) {
            EXPECT_EQ(dump, b.Dump());
            EXPECT_EQ(log, b.LogText());
            EXPECT_EQ(4, b.data.m_nCityNum);
        }
    }
}

// What an edit writes into the record shows in the records' tests and obsdb's dump.
TEST(Editor, DeleteKeepsTheRecordsAndANewPlaceIsSelected)
{
    CityBench b;
    b.Open(JapanList(), "", true);
    ASSERT_TRUE(b.Delete({L"場所", L"日本"}));
    EXPECT_EQ("場所{米国{ホノルル}}", b.Names());
    // Records stay in use: the next place still takes a new index; it is selected.
    HCITYITEM h = b.AddPlace({L"場所"}, L"新");
    EXPECT_EQ(3, static_cast<int>(b.tree.GetItemData(h)));
    EXPECT_EQ(h, b.tree.GetSelectedItem());
}

// A place onto a place, a folder onto a folder (behind, into, the question cancelled) are the city
// list dialog's drag test's (DlgCityDrag), which shows the question, the tree and the modified list;
// a folder onto a place and the two modes obsdb's too, and what a move records the Record tests'.
TEST(Editor, DropRulesPickTheDestination)
{
    const char* const same = "場所{日本{東京,大阪,九州{福岡}},米国{ホノルル}}";
    // An empty target: none. None of these drops asks where a folder goes.
    const struct { const char* fault; At item, target; bool bMoved; const char* names; } cases[] = {
        {"place onto a folder becomes its first", {L"場所", L"米国", L"ホノルル"}, {L"場所", L"日本"}, true, "場所{日本{ホノルル,東京,大阪,九州{福岡}},米国{}}"},
        {"place onto its own folder goes to the top", {L"場所", L"日本", L"大阪"}, {L"場所", L"日本"}, true, "場所{日本{大阪,東京,九州{福岡}},米国{ホノルル}}"},
        {"onto itself", {L"場所", L"日本"}, {L"場所", L"日本"}, false, same},
        {"into its own subtree", {L"場所", L"日本"}, {L"場所", L"日本", L"九州", L"福岡"}, false, same},
        {"onto the root", {L"場所", L"日本", L"東京"}, {L"場所"}, false, same},
        {"onto nothing", {L"場所", L"日本", L"東京"}, {}, false, same},
        {"the root itself", {L"場所"}, {L"場所", L"米国"}, false, same},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        b.Open(JapanList(), "", true);
        b.AddFolder({L"場所", L"日本", L"大阪"}, L"九州");
        b.AddPlace({L"場所", L"日本", L"九州"}, L"福岡");
        b.editor.m_bModified = 0;
        const std::string log = b.LogText();
        CString strAskedFor;
        auto ask = [&](const CString& strFolder) { strAskedFor = strFolder; return 1; };
        EXPECT_EQ(c.bMoved, b.editor.EndOfDrag(TRUE, b.Find(c.item), b.Find(c.target), ask, b.refusal));
        EXPECT_EQ(CString(), strAskedFor) << "a drop that is no folder onto a folder asked";
        EXPECT_EQ(c.names, b.Names());
        // Every end of a drag marks the list modified; only a move is recorded.
        EXPECT_TRUE(b.editor.m_bModified);
        EXPECT_EQ(c.bMoved, log != b.LogText());
    }
}

TEST(Editor, MovedSubtreeKeepsItsItemsOrIsNotMovedAtAll)
{
    // 日本 with its two places is three inserts; each count short of that fails at another item.
    for (int nAllowed = 0; nAllowed <= 3; ++nAllowed) {
        SCOPED_TRACE("inserts allowed: " + std::to_string(nAllowed));
        CityBench b;
        b.Open(JapanList(), "", true);
        b.tree.SetItemState(b.Find({L"場所", L"日本"}), CITY_TVIS_EXPANDED, CITY_TVIS_EXPANDED);
        const std::string log = b.LogText();
        const size_t nCount = b.tree.GetCount();
        b.tree.nAllowed = nAllowed;
        const bool bMoved = b.Drop({L"場所", L"日本"}, {L"場所", L"米国", L"ホノルル"});
        EXPECT_EQ(nAllowed == 3, bMoved);
        EXPECT_EQ(nCount, b.tree.GetCount());
        EXPECT_EQ(bMoved, log != b.LogText());
        HCITYITEM hJapan = bMoved ? b.Find({L"場所", L"米国", L"日本"}) : b.Find({L"場所", L"日本"});
        ASSERT_TRUE(hJapan);
        // The copy keeps expanded folders, places' records and images.
        EXPECT_EQ(CITY_TVIS_EXPANDED, b.tree.GetItemState(hJapan, CITY_TVIS_EXPANDED));
        HCITYITEM hOsaka = b.tree.GetNextSiblingItem(b.tree.GetChildItem(hJapan));
        EXPECT_EQ(1, static_cast<int>(b.tree.GetItemData(hOsaka)));
        int nImage = -1, nSel = -1;
        b.tree.GetItemImage(hOsaka, nImage, nSel);
        EXPECT_EQ(std::make_pair(CITY_IMG_PLACE, CITY_IMG_PLACE_SELECTED), std::make_pair(nImage, nSel));
        EXPECT_EQ(3, b.data.m_nCityNum);
    }
}

// A new longitude alone, seconds by less than a twentieth and no change at all are the city list
// dialog's edit test's (DlgCityEdit), where the flag shows in the place's record.
TEST(Editor, EditedAltFlagIsSetWhenOnlyThePositionChanged)
{
    // The fields as remembered before the editor ran, and as it left them: E/W deg min sec,
    // N/S deg min sec, altitude, time zone.
    const CCoordFields osaka{0, 135, 30, 0.0, 0, 34, 41, 0.0, 5.0, 0, 9, 0}, nullIsland{0, 0, 0, 0.0, 0, 0, 0, 0.0, 5.0, 0, 0, 0};
    auto with = [](CCoordFields f, auto change) { change(f); return f; };
    const struct { const char* fault; CCoordFields before, after; int flag; } cases[] = {
        {"the other hemisphere alone is a new position", osaka, with(osaka, [](CCoordFields& f) { f.nNorthSouth = 1; }), 1},
        {"the other hemisphere at 0 0 0 is a new position", nullIsland, with(nullIsland, [](CCoordFields& f) { f.nEastWest = 1; }), 1},
        {"a new altitude clears it", osaka, with(osaka, [](CCoordFields& f) { f.nLngMin = 31, f.dAlt = 6; }), 0},
        {"a new time zone alone is a new position", osaka, with(osaka, [](CCoordFields& f) { f.nTzHour = 8; }), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.flag, CCityEditor::EditedAltFlag(c.before, c.after)) << c.fault;
}

// The folder editor's check of its name, blank or trimmed, is the small dialogs' test's.
TEST(Editor, PlaceEditorChecksEveryFieldOnOkInOrder)
{
    // Name, longitude degrees, minutes, seconds, latitude likewise, altitude, time-zone hours, minutes.
    const auto F = [](const wchar_t* name, int lngD, int lngM, double lngS, int latD, int latM, double latS, double alt,
                      int tzH, int tzM) { return std::make_pair(CString(name), CCoordFields{0, lngD, lngM, lngS, 0, latD, latM, latS, alt, 0, tzH, tzM}); };
    const struct { const char* fault; std::pair<CString, CCoordFields> place; const wchar_t* messages; } cases[] = {
        {"the bounds themselves refused", F(L"a", 180, 0, 0, 90, 0, 0, -9999, 14, 0), L""},
        {"the last minute or tenth refused", F(L"a", 179, 59, 59.9, 89, 59, 59.9, 999999, 13, 59), L""},
        {"blank name taken", F(L" \t\x3000", 1, 0, 0, 1, 0, 0, 0, 9, 0), L"都市名を入力してください。\n"},
        {"a tenth of a second past 180 taken", F(L"a", 180, 0, 0.1, 1, 0, 0, 0, 9, 0), L"経度には 0.0 から 180.0 までの値を入力してください\n"},
        {"59.95 seconds taken on OK", F(L"a", 1, 0, 59.95, 1, 0, 0, 0, 9, 0), L"経度の秒には 0 から 59.9 までの値を入力してください\n"},
        {"a minute past 14 hours taken", F(L"a", 1, 0, 0, 1, 0, 0, 0, 14, 1), L"タイムゾーンには 0 から 14 までの値を入力してください\n"},
        {"messages swapped, merged or lost", F(L"", 181, 60, 60, 91, -1, -0.1, 1000000, 15, 60),
         L"都市名を入力してください。\n"
         L"経度には 0.0 から 180.0 までの値を入力してください\n"
         L"経度の分には 0 から 59 までの値を入力してください\n"
         L"経度の秒には 0 から 59.9 までの値を入力してください\n"
         L"緯度には 0.0 から 90.0 までの値を入力してください\n"
         L"緯度の分には 0 から 59 までの値を入力してください\n"
         L"緯度の秒には 0 から 59.9 までの値を入力してください\n"
         L"標高には -9999 から 999999 までの値を入力してください\n"
         L"タイムゾーンには 0 から 14 までの値を入力してください\n"
         L"タイムゾーンの分には 0 から 59 までの値を入力してください\n"},
    };
    for (const auto& c : cases) {
        CString strName = c.place.first;
        EXPECT_STREQ(c.messages, CheckPlace(strName, c.place.second).GetString()) << c.fault;
    }
    CString strTrimmed = L" 東京\x3000";
    CheckPlace(strTrimmed, F(L"", 1, 0, 0, 1, 0, 0, 0, 9, 0).second);
    EXPECT_STREQ(L"東京", strTrimmed.GetString());
}

}  // namespace
