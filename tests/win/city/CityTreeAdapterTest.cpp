#include "city/CCityTreeAdapter.h"

#include <TreeBehaviour.h>
#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every edit, drop and reload of the city list dialog's tests runs through the adapter onto the
// real tree view, whose shape, records and open folders they check; here the tree behaviours
// the in-memory tree is held to, and null handles.
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

// What the table does not ask: the answers for no item.
TEST_F(CityTreeAdapterTest, NullHandlesGiveNothing)
{
    CCityTreeAdapter view(m_tree);
    HCITYITEM hTop = view.InsertItem(L"top", 0, 1, CITY_FOLDER_DATA, nullptr, CITY_TVI_LAST);
    EXPECT_EQ((std::vector<HCITYITEM>{hTop, nullptr, nullptr, nullptr}), (std::vector<HCITYITEM>{view.GetChildItem(nullptr),
              view.GetParentItem(nullptr), view.GetNextSiblingItem(nullptr), view.GetPrevSiblingItem(nullptr)}));
    EXPECT_EQ(view.GetItemData(nullptr), 0);
    EXPECT_EQ(view.GetItemText(nullptr), CString());
    EXPECT_FALSE(view.ItemHasChildren(nullptr));
}

}  // namespace
