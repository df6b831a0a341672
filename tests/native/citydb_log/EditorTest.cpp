#include "LogTestKit.h"

#include <citydb/CPlaceFields.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

const CCityList kValues = PlaceValues(139.7, 35.7, 30, 9, 4);

TEST(Editor, NewItemsGoFirstInAFolderOrBehindAPlace)
{
    struct Case {
        const char* fault;
        std::initializer_list<const wchar_t*> sel;
        bool bFolder;
        const char* names;
    };
    const Case cases[] = {
        {"place into the root", {L"場所"}, false, "場所{新,日本{東京,大阪},米国{ホノルル}}"},
        {"place into a folder", {L"場所", L"日本"}, false, "場所{日本{新,東京,大阪},米国{ホノルル}}"},
        {"place behind a place", {L"場所", L"日本", L"東京"}, false, "場所{日本{東京,新,大阪},米国{ホノルル}}"},
        {"place behind the last place", {L"場所", L"日本", L"大阪"}, false, "場所{日本{東京,大阪,新},米国{ホノルル}}"},
        {"folder into a folder", {L"場所", L"米国"}, true, "場所{日本{東京,大阪},米国{新{},ホノルル}}"},
        {"folder behind a place", {L"場所", L"米国", L"ホノルル"}, true, "場所{日本{東京,大阪},米国{ホノルル,新{}}}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        b.Open(JapanList(), "", true);
        CString strRefusal;
        HCITYITEM h = c.bFolder ? b.editor.AddFolder(b.Find(c.sel), L"新", strRefusal)
                                : b.editor.AddPlace(b.Find(c.sel), L"新", kValues, strRefusal);
        ASSERT_TRUE(h);
        EXPECT_TRUE(strRefusal.IsEmpty());
        EXPECT_EQ(c.names, b.Names());
        EXPECT_EQ(h, b.tree.GetSelectedItem());
        EXPECT_TRUE(b.editor.m_bModified);
        if (!c.bFolder) {
            // The new place takes the next record: user 1, altitude flag 0, the editor's kind.
            EXPECT_EQ(3, static_cast<int>(b.tree.GetItemData(h)));
            EXPECT_EQ(4, b.data.m_nCityNum);
            const CCityList& rec = b.data.CityAt(3);
            EXPECT_EQ(1, rec.m_nUser);
            EXPECT_EQ(0, rec.m_nAltFlag);
            EXPECT_EQ(4, rec.m_nType);
            EXPECT_DOUBLE_EQ(139.7, rec.m_dLon);
        }
    }
}

TEST(Editor, DuplicateNamesAreRefusedWithTheMessageOfTheItemsKind)
{
    struct Case {
        const char* fault;
        std::function<bool(CityBench&, CString&)> edit;
        const wchar_t* message;  // null: accepted
    };
    using B = CityBench;
    const Case cases[] = {
        {"place named like a sibling place",
         [](B& b, CString& s) { return b.editor.AddPlace(b.Find({L"場所", L"日本"}), L"東京", kValues, s) != nullptr; },
         L"都市名[東京]はすでに存在しています。\n別の名称を指定してください。"},
        {"place named like a sibling folder",
         [](B& b, CString& s) { return b.editor.AddPlace(b.Find({L"場所"}), L"日本", kValues, s) != nullptr; },
         L"都市名[日本]はすでに存在しています。\n別の名称を指定してください。"},
        {"folder named like a sibling place",
         [](B& b, CString& s) { return b.editor.AddFolder(b.Find({L"場所", L"日本", L"大阪"}), L"東京", s) != nullptr; },
         L"フォルダ[東京]はすでに存在しています。\n別の名称を指定してください。"},
        {"letter case makes another name",
         [](B& b, CString& s) { return b.editor.AddFolder(b.Find({L"場所"}), L"Foo", s) && b.editor.AddFolder(b.Find({L"場所"}), L"foo", s); },
         nullptr},
        {"a name used only deeper down is free",
         [](B& b, CString& s) { return b.editor.AddPlace(b.Find({L"場所"}), L"東京", kValues, s) != nullptr; }, nullptr},
        {"editing a place keeps its own name",
         [](B& b, CString& s) { return b.editor.EditPlace(b.Find({L"場所", L"日本", L"東京"}), L"東京", kValues, s); }, nullptr},
        {"renaming a place to a sibling's name",
         [](B& b, CString& s) { return b.editor.EditPlace(b.Find({L"場所", L"日本", L"東京"}), L"大阪", kValues, s); },
         L"都市名[大阪]はすでに存在しています。\n別の名称を指定してください。"},
        {"renaming a folder to a sibling's name",
         [](B& b, CString& s) { return b.editor.EditFolder(b.Find({L"場所", L"米国"}), L"日本", s); },
         L"フォルダ[日本]はすでに存在しています。\n別の名称を指定してください。"},
        {"moving a place into a folder that has its name",
         [](B& b, CString& s) {
             b.editor.AddPlace(b.Find({L"場所", L"米国"}), L"東京", kValues, s);
             return b.editor.DropItem(b.Find({L"場所", L"日本", L"東京"}), b.Find({L"場所", L"米国", L"ホノルル"}), nullptr, s);
         },
         L"都市名[東京]はすでに存在しています。\n別の名称を指定してください。"},
        {"moving a folder into a folder that has its name",
         [](B& b, CString& s) {
             b.editor.AddFolder(b.Find({L"場所", L"米国"}), L"日本", s);
             return b.editor.DropItem(b.Find({L"場所", L"日本"}), b.Find({L"場所", L"米国"}), [](const CString&) { return 1; }, s);
         },
         L"フォルダ[日本]はすでに存在しています。\n別の名称を指定してください。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        b.Open(JapanList(), "", true);
        CString strRefusal;
        bool bDone = c.edit(b, strRefusal);
        std::string before;
        if (c.message) {
            EXPECT_FALSE(bDone);
            EXPECT_STREQ(c.message, strRefusal.GetString());
        } else {
            EXPECT_TRUE(bDone);
            EXPECT_TRUE(strRefusal.IsEmpty());
        }
    }
}

TEST(Editor, RefusedEditsChangeNothing)
{
    CityBench b;
    b.Open(JapanList(), "", true);
    CString s;
    const std::string names = b.Names();
    const std::string log = b.LogText();
    EXPECT_FALSE(b.editor.AddPlace(b.Find({L"場所", L"日本"}), L"大阪", kValues, s));
    EXPECT_FALSE(b.editor.EditPlace(b.Find({L"場所", L"日本", L"東京"}), L"大阪", kValues, s));
    EXPECT_FALSE(b.editor.AddFolder(b.Find({L"場所"}), L"米国", s));
    EXPECT_FALSE(b.editor.DeleteItem(b.Find({L"場所"})));
    EXPECT_EQ(names, b.Names());
    EXPECT_EQ(log, b.LogText());
    EXPECT_EQ(3, b.data.m_nCityNum);
    EXPECT_FALSE(b.editor.m_bModified);
    EXPECT_EQ("139.7667000,35.6833000,40,09.00, 0, 0, 3", b.Data({L"場所", L"日本", L"東京"}));
}

TEST(Editor, EditWritesTheRecordAndDeleteKeepsIt)
{
    CityBench b;
    b.Open(JapanList(), "", true);
    CString s;
    ASSERT_TRUE(b.editor.EditPlace(b.Find({L"場所", L"日本", L"東京"}), L"江戸", PlaceValues(1, 2, 3, -4.5, 6, 1), s));
    EXPECT_EQ("  1.0000000, 2.0000000,3,-4.50, 1, 1, 6", b.Data({L"場所", L"日本", L"江戸"}));
    ASSERT_TRUE(b.editor.DeleteItem(b.Find({L"場所", L"日本"})));
    EXPECT_EQ("場所{米国{ホノルル}}", b.Names());
    // Records stay in use: the next place still takes a new index.
    HCITYITEM h = b.editor.AddPlace(b.Find({L"場所"}), L"新", kValues, s);
    EXPECT_EQ(3, static_cast<int>(b.tree.GetItemData(h)));
}

struct DropCase {
    const char* fault;
    std::initializer_list<const wchar_t*> item;
    std::initializer_list<const wchar_t*> target;  // empty: no target
    int mode;                                      // answer to the question; -1 cancels
    bool bMoved;
    bool bAsked;
    const char* names;
};

TEST(Editor, DropRulesPickTheDestination)
{
    const char* const same = "場所{日本{東京,大阪,九州{福岡}},米国{ホノルル}}";
    const DropCase cases[] = {
        {"place onto a place lands behind it", {L"場所", L"日本", L"東京"}, {L"場所", L"米国", L"ホノルル"}, -1, true, false,
         "場所{日本{大阪,九州{福岡}},米国{ホノルル,東京}}"},
        {"place onto a folder becomes its first", {L"場所", L"米国", L"ホノルル"}, {L"場所", L"日本"}, -1, true, false,
         "場所{日本{ホノルル,東京,大阪,九州{福岡}},米国{}}"},
        {"place onto its own folder goes to the top", {L"場所", L"日本", L"大阪"}, {L"場所", L"日本"}, -1, true, false,
         "場所{日本{大阪,東京,九州{福岡}},米国{ホノルル}}"},
        {"folder onto a place lands behind it", {L"場所", L"日本", L"九州"}, {L"場所", L"米国", L"ホノルル"}, -1, true, false,
         "場所{日本{東京,大阪},米国{ホノルル,九州{福岡}}}"},
        {"folder onto a folder, behind", {L"場所", L"日本", L"九州"}, {L"場所", L"米国"}, 0, true, true,
         "場所{日本{東京,大阪},米国{ホノルル},九州{福岡}}"},
        {"folder onto a folder, into", {L"場所", L"日本", L"九州"}, {L"場所", L"米国"}, 1, true, true,
         "場所{日本{東京,大阪},米国{九州{福岡},ホノルル}}"},
        {"folder onto a folder, cancelled", {L"場所", L"日本", L"九州"}, {L"場所", L"米国"}, -1, false, true, same},
        {"onto itself", {L"場所", L"日本"}, {L"場所", L"日本"}, 0, false, false, same},
        {"into its own subtree", {L"場所", L"日本"}, {L"場所", L"日本", L"九州", L"福岡"}, 0, false, false, same},
        {"onto the root", {L"場所", L"日本", L"東京"}, {L"場所"}, 0, false, false, same},
        {"onto nothing", {L"場所", L"日本", L"東京"}, {}, 0, false, false, same},
        {"the root itself", {L"場所"}, {L"場所", L"米国"}, 1, false, false, same},
    };
    for (const DropCase& c : cases) {
        SCOPED_TRACE(c.fault);
        CityBench b;
        b.Open(JapanList(), "", true);
        CString s;
        b.editor.AddFolder(b.Find({L"場所", L"日本", L"大阪"}), L"九州", s);
        b.editor.AddPlace(b.Find({L"場所", L"日本", L"九州"}), L"福岡", kValues, s);
        b.editor.m_bModified = 0;
        const std::string log = b.LogText();
        bool bAsked = false;
        CString strAskedFor;
        auto ask = [&](const CString& strFolder) { bAsked = true; strAskedFor = strFolder; return c.mode; };
        HCITYITEM hTarget = c.target.size() ? b.Find(c.target) : nullptr;
        bool bMoved = b.editor.EndOfDrag(TRUE, b.Find(c.item), hTarget, ask, s);
        EXPECT_EQ(c.bMoved, bMoved);
        EXPECT_EQ(c.bAsked, bAsked);
        if (bAsked) {
            EXPECT_EQ(b.tree.GetItemText(hTarget), strAskedFor);
        }
        EXPECT_EQ(c.names, b.Names());
        // Every end of a drag marks the list modified; only a move is recorded.
        EXPECT_TRUE(b.editor.m_bModified);
        if (!bMoved) {
            EXPECT_EQ(log, b.LogText());
        } else {
            EXPECT_NE(log, b.LogText());
        }
    }
}

// A tree view can refuse an insert; this one refuses every insert after the first nAllowed.
class RefusingTree : public CMemTree {
public:
    int nAllowed = 1 << 30;
    HCITYITEM InsertItem(const CString& strText, int nImage, int nSelectedImage, std::intptr_t nData,
                         HCITYITEM hParent, HCITYITEM hInsertAfter) override
    {
        if (nAllowed-- <= 0)
            return nullptr;
        return CMemTree::InsertItem(strText, nImage, nSelectedImage, nData, hParent, hInsertAfter);
    }
};

TEST(Editor, MovedSubtreeKeepsItsItemsOrIsNotMovedAtAll)
{
    TempDir dir;
    WriteBytes(dir.Path("zelkam.obs"), JapanList());
    // 日本 with its two places is three inserts; each count short of that fails at another item.
    for (int nAllowed = 0; nAllowed <= 3; ++nAllowed) {
        SCOPED_TRACE("inserts allowed: " + std::to_string(nAllowed));
        RefusingTree tree;
        CCitySession session(tree);
        session.SetFiles(dir.WidePath("zelkam.obs"), dir.WidePath("u.obs"), dir.WidePath("none.json"));
        session.Load();
        tree.SetItemState(session.Find({L"場所", L"日本"}), CITY_TVIS_EXPANDED, CITY_TVIS_EXPANDED);
        const std::string log = session.m_log.m_locationTreeContext.serialize();
        const size_t nCount = tree.GetCount();
        tree.nAllowed = nAllowed;
        CString s;
        bool bMoved = session.m_editor.DropItem(session.Find({L"場所", L"日本"}), session.Find({L"場所", L"米国", L"ホノルル"}), nullptr, s);
        EXPECT_EQ(nAllowed == 3, bMoved);
        EXPECT_EQ(nCount, tree.GetCount());
        EXPECT_EQ(bMoved, log != session.m_log.m_locationTreeContext.serialize());
        HCITYITEM hJapan = session.Find(bMoved ? std::vector<CString>{L"場所", L"米国", L"日本"} : std::vector<CString>{L"場所", L"日本"});
        ASSERT_TRUE(hJapan);
        // The copy keeps expanded folders, places' records and images.
        EXPECT_EQ(CITY_TVIS_EXPANDED, tree.GetItemState(hJapan, CITY_TVIS_EXPANDED));
        HCITYITEM hOsaka = tree.GetNextSiblingItem(tree.GetChildItem(hJapan));
        EXPECT_EQ(1, static_cast<int>(tree.GetItemData(hOsaka)));
        int nImage = -1, nSel = -1;
        tree.GetItemImage(hOsaka, nImage, nSel);
        EXPECT_EQ(std::make_pair(CITY_IMG_PLACE, CITY_IMG_PLACE_SELECTED), std::make_pair(nImage, nSel));
        EXPECT_EQ(3, session.m_data.m_nCityNum);
    }
}

TEST(Editor, EditedAltFlagIsSetWhenOnlyThePositionChanged)
{
    const CCityList osaka = PlaceValues(135.5, 34.6833, 5, 9);
    const struct {
        const char* fault;
        CCityList after;
        int flag;
    } cases[] = {
        {"a new position alone sets the flag", PlaceValues(135.6, 34.6833, 5, 9), 1},
        {"the other hemisphere alone is a new position", PlaceValues(135.5, -34.6833, 5, 9), 1},
        {"a new altitude clears it", PlaceValues(135.6, 34.6833, 6, 9), 0},
        {"no change leaves it clear", osaka, 0},
        {"less than the fields show is no change", PlaceValues(135.500001, 34.6833, 5, 9), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.flag, CCityEditor::EditedAltFlag(osaka, c.after)) << c.fault;
}

TEST(Editor, PlaceEditorChecksEveryFieldOnOkInOrder)
{
    struct Case {
        const char* fault;
        CPlaceFields fields;
        const wchar_t* messages;
    };
    // Name, longitude degrees, minutes, seconds, latitude likewise, altitude, time-zone hours, minutes.
    using F = CPlaceFields;
    const Case cases[] = {
        {"the bounds themselves refused", F{L"a", 180, 0, 0, 90, 0, 0, -9999, 14, 0}, L""},
        {"the last minute or tenth refused", F{L"a", 179, 59, 59.9, 89, 59, 59.9, 999999, 13, 59}, L""},
        {"blank name taken", F{L" \t\x3000", 1, 0, 0, 1, 0, 0, 0, 9, 0}, L"都市名を入力してください。\n"},
        {"a tenth of a second past 180 taken", F{L"a", 180, 0, 0.1, 1, 0, 0, 0, 9, 0},
         L"経度には 0.0 から 180.0 までの値を入力してください\n"},
        {"59.95 seconds taken on OK", F{L"a", 1, 0, 59.95, 1, 0, 0, 0, 9, 0}, L"経度の秒には 0 から 59.9 までの値を入力してください\n"},
        {"a minute past 14 hours taken", F{L"a", 1, 0, 0, 1, 0, 0, 0, 14, 1}, L"タイムゾーンには 0 から 14 までの値を入力してください\n"},
        {"messages swapped, merged or lost", F{L"", 181, 60, 60, 91, -1, -0.1, 1000000, 15, 60},
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CPlaceFields fields = c.fields;
        EXPECT_STREQ(c.messages, fields.Check().GetString());
    }
    CPlaceFields trimmed = F{L" 東京\x3000", 1, 0, 0, 1, 0, 0, 0, 9, 0};
    trimmed.Check();
    EXPECT_STREQ(L"東京", trimmed.m_strName.GetString());
    CString strFolder = L"  ";
    EXPECT_STREQ(L"フォルダ名を入力してください。\n", CCityEditor::CheckFolderName(strFolder).GetString());
    strFolder = L" 九州 ";
    EXPECT_TRUE(CCityEditor::CheckFolderName(strFolder).IsEmpty());
    EXPECT_STREQ(L"九州", strFolder.GetString());
}

}  // namespace
