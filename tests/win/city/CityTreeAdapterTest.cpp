#include "city/CCityTreeAdapter.h"

#include <TreeBehaviour.h>
#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every edit, drop and reload of the city list dialog's tests runs through the adapter onto the
// real tree view, whose shape, records and open folders they check; here its contract for
// insert positions and null handles.
class CityTreeAdapterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hWnd = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP | TVS_HASLINES | TVS_HASBUTTONS, 0, 0, 300, 400, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        m_tree.Attach(m_hWnd);
    }
    void TearDown() override { m_tree.Detach(); DestroyWindow(m_hWnd); }

    HWND m_hWnd = nullptr;
    CTreeCtrl m_tree;
};

TEST_F(CityTreeAdapterTest, BehavesAsTheInMemoryTreeIsHeldTo)
{
    ExpectTreeViewBehaviour([this]() -> std::unique_ptr<ICityTree> {
        m_tree.DeleteAllItems();
        return std::make_unique<CCityTreeAdapter>(m_tree);
    });
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
