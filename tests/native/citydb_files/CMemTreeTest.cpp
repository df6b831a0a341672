#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

HCITYITEM Add(CMemTree& tree, const wchar_t* name, HCITYITEM hParent, HCITYITEM hAfter = CITY_TVI_LAST)
{
    return tree.InsertItem(name, 0, 1, CITY_FOLDER_DATA, hParent, hAfter);
}

// The children's names in order, checked against their parent and the walk backwards.
std::string Children(const CMemTree& tree, HCITYITEM hParent)
{
    std::string out, back;
    HCITYITEM hLast = nullptr;
    for (HCITYITEM h = tree.GetChildItem(hParent); h; hLast = h, h = tree.GetNextSiblingItem(h))
        out += AnsiFromWide(tree.GetItemText(h).wstr()) + (tree.GetParentItem(h) == hParent ? "" : "(wrong parent)");
    for (HCITYITEM h = hLast; h; h = tree.GetPrevSiblingItem(h))
        back = AnsiFromWide(tree.GetItemText(h).wstr()) + back;
    return back == out ? out : out + " but backwards " + back;
}

TEST(CMemTree, InsertsWhereAsked)
{
    CMemTree tree;
    HCITYITEM hRoot = Add(tree, L"R", nullptr);
    HCITYITEM hB = Add(tree, L"b", hRoot);
    Add(tree, L"a", hRoot, CITY_TVI_FIRST);
    Add(tree, L"d", hRoot);
    Add(tree, L"c", hRoot, hB);
    Add(tree, L"e", hRoot, Add(tree, L"x", hB));  // an item of another parent inserts last
    EXPECT_EQ(Children(tree, hRoot), "abcde");
    EXPECT_EQ(tree.GetChildItem(nullptr), hRoot) << "null parent must give the top level";
    EXPECT_EQ(tree.GetParentItem(hRoot), nullptr);
    Add(tree, L"R2", nullptr, CITY_TVI_FIRST);
    EXPECT_EQ(Children(tree, nullptr), "R2R");
    EXPECT_EQ(tree.GetCount(), 8u);
    std::string preOrder;
    for (HCITYITEM h : tree.GetItems())
        preOrder += AnsiFromWide(tree.GetItemText(h).wstr());
    EXPECT_EQ(preOrder, "R2Rabxcde");
}

TEST(CMemTree, DeleteTakesTheSubtreeAndMovesTheSelection)
{
    CMemTree tree;
    HCITYITEM hRoot = Add(tree, L"R", nullptr);
    HCITYITEM hA = Add(tree, L"a", hRoot);
    HCITYITEM hB = Add(tree, L"b", hRoot);
    HCITYITEM hC = Add(tree, L"c", hRoot);
    HCITYITEM hB1 = Add(tree, L"1", hB);
    Add(tree, L"2", hB1);
    ASSERT_TRUE(tree.SelectItem(hB1));
    ASSERT_TRUE(tree.DeleteItem(hB));
    EXPECT_EQ(Children(tree, hRoot), "ac");
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetSelectedItem(), hC) << "selection must move to the next sibling";
    EXPECT_FALSE(tree.SetItemText(hB1, L"gone")) << "a deleted item still accepts text";
    // Deleting the last child selects the previous one, then the parent.
    ASSERT_TRUE(tree.DeleteItem(hC));
    EXPECT_EQ(tree.GetSelectedItem(), hA);
    ASSERT_TRUE(tree.DeleteItem(hA));
    EXPECT_EQ(tree.GetSelectedItem(), hRoot);
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetRootItem(), nullptr);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
}

}  // namespace
