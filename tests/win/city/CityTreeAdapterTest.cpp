#include "city/CCityTreeAdapter.h"

#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>
#include <citydb/CityLogText.h>

#include <afx/AnsiCodePage.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A city list session over a tree, loaded from the test's files, with the references the
// edits below use.
struct Session {
    CCitySession session;
    CCityData& data = session.m_data;
    CCityEditor& editor = session.m_editor;

    Session(ICityTree& tree, const TempFolder& dir) : session(tree)
    {
        session.SetFiles(dir.Path(L"zelkam.obs"), dir.Path(L"zelkam_user.obs"), dir.Path(L"zelkam_user_obs.json"));
        session.Load();
    }
    HCITYITEM Find(std::initializer_list<const wchar_t*> path) const { return session.Find(std::vector<CString>(path.begin(), path.end())); }
    // What a user sees and what OK would write: the tree with its values, then the log.
    std::string State() const
    {
        std::string out = CityDumpTree(data) + "\n" + session.m_log.m_locationTreeContext.serialize();
        for (HCITYITEM h = data.m_pTree->GetChildItem(Find({L"場所"})); h; h = data.m_pTree->GetNextSiblingItem(h))
            out += data.m_pTree->GetItemState(h, CITY_TVIS_EXPANDED) ? "+" : "-";
        return out;
    }
};

class CityTreeAdapterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hWnd = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP | TVS_HASLINES | TVS_HASBUTTONS, 0, 0, 300, 400, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        m_tree.Attach(m_hWnd);
        WriteBytes(m_dir.Path(L"zelkam.obs"), AnsiFromWide(
                    L"# system list\r\n@日本\r\n東京,139.7667000E,35.6833000N,40,+09.00, 0, 0, 3\r\n"
                    L"大阪,135.5000000E,34.6833000N,5,+09.00, 0, 0, 3\r\n#\r\n@米国\r\n"
                    L"ホノルル,157.8583000W,21.3069000N,-3,-10.00, 0, 0, 1\r\n#\r\n"));
    }
    void TearDown() override { m_tree.Detach(); DestroyWindow(m_hWnd); }

    HWND m_hWnd = nullptr;
    CTreeCtrl m_tree;
    TempFolder m_dir;
};

CCityList Place(double lon, double lat) { CCityList place; place.m_dLon = lon, place.m_dLat = lat, place.m_dAlt = 12, place.m_dTz = 9; return place; }

// Every kind of edit, saved and replayed, leaves the real tree view exactly as the in-memory
// tree: a handle, sentinel or insert position the adapter passed wrongly would show here.
TEST_F(CityTreeAdapterTest, EditsAndReplayGiveTheSameTreeAsInMemory)
{
    CCityTreeAdapter view(m_tree);
    CMemTree mem;
    auto edit = [](Session& s) {
        CString refusal;
        HCITYITEM hJapan = s.Find({L"場所", L"日本"});
        s.editor.AddPlace(hJapan, L"京都", Place(135.7681, 35.0116), refusal);
        s.editor.AddFolder(s.Find({L"場所"}), L"旅行", refusal);
        s.editor.EditPlace(s.Find({L"場所", L"日本", L"大阪"}), L"難波", Place(135.5, 34.66), refusal);
        s.editor.DropItem(s.Find({L"場所", L"米国", L"ホノルル"}), s.Find({L"場所", L"旅行"}), [](const CString&) { return 1; }, refusal);
        s.editor.DropItem(s.Find({L"場所", L"米国"}), s.Find({L"場所", L"日本"}), [](const CString&) { return 0; }, refusal);
        s.editor.DeleteItem(s.Find({L"場所", L"日本", L"東京"}));
        EXPECT_TRUE(refusal.IsEmpty()) << AnsiFromWide(refusal.GetString());
    };

    Session onView(view, m_dir);
    Session inMemory(mem, m_dir);
    ASSERT_NE(onView.Find({L"場所", L"米国", L"ホノルル"}), nullptr);
    EXPECT_EQ(onView.State(), inMemory.State());

    edit(onView);
    edit(inMemory);
    EXPECT_EQ(onView.State(), inMemory.State());
    EXPECT_NE(onView.Find({L"場所", L"旅行", L"ホノルル"}), nullptr);

    // Saved from the view, reloaded onto a fresh view and into memory.
    const std::string strEdited = CityDumpTree(onView.data);
    ASSERT_TRUE(onView.session.m_log.SaveCityList());
    m_tree.DeleteAllItems();
    Session reloaded(view, m_dir);
    CMemTree mem2;
    Session reloadedInMemory(mem2, m_dir);
    EXPECT_EQ(reloaded.State(), reloadedInMemory.State());
    EXPECT_EQ(CityDumpTree(reloaded.data), strEdited);
}

TEST_F(CityTreeAdapterTest, InsertPositionsAndNullHandlesAreTheTreeViews)
{
    CCityTreeAdapter view(m_tree);
    HCITYITEM hTop = view.InsertItem(L"top", 0, 1, CITY_FOLDER_DATA, nullptr, CITY_TVI_LAST);
    HCITYITEM hB = view.InsertItem(L"b", 3, 2, 7, hTop, CITY_TVI_LAST);
    HCITYITEM hA = view.InsertItem(L"a", 3, 2, 8, hTop, CITY_TVI_FIRST);
    ASSERT_TRUE(hTop && hA && hB);
    // First child, next, previous, parent; then the same asked of no item.
    EXPECT_EQ((std::vector<HCITYITEM>{hTop, hA, hB, hA, nullptr, nullptr}), (std::vector<HCITYITEM>{view.GetChildItem(nullptr),
              view.GetChildItem(hTop), view.GetNextSiblingItem(hA), view.GetPrevSiblingItem(hB), view.GetParentItem(hTop), view.GetNextSiblingItem(nullptr)}));
    EXPECT_EQ((std::vector<std::intptr_t>{7, CITY_FOLDER_DATA, 0}), (std::vector<std::intptr_t>{view.GetItemData(hB), view.GetItemData(hTop), view.GetItemData(nullptr)}));
    int nImage = -1, nSelected = -1;
    EXPECT_TRUE(view.GetItemImage(hA, nImage, nSelected) && nImage == 3 && nSelected == 2) << nImage << " " << nSelected;
    EXPECT_EQ(view.GetItemText(nullptr), CString());
    EXPECT_FALSE(view.ItemHasChildren(nullptr));
}

}  // namespace
