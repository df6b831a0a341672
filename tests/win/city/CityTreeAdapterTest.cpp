#include "city/CCityTreeAdapter.h"

#include <TreeBehaviour.h>
#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every edit, drop and reload of the city list dialog's tests runs through the adapter onto the
// real tree view, whose shape, records and open folders they check; here the tree behaviours
// the in-memory tree is held to.
class CityTreeAdapterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hWnd = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP | TVS_HASLINES | TVS_HASBUTTONS, 0, 0, 300, 400, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        m_tree.SubclassWindow(m_hWnd);
    }
    void TearDown() override { m_tree.UnsubclassWindow(); DestroyWindow(m_hWnd); }

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

}  // namespace
