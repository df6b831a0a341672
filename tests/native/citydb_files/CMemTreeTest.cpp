#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

HCITYITEM Add(CMemTree& tree, const wchar_t* name, HCITYITEM hParent, HCITYITEM hAfter = CITY_TVI_LAST)
{
    return tree.InsertItem(name, 0, 1, CITY_FOLDER_DATA, hParent, hAfter);
}

std::string Children(const CMemTree& tree, HCITYITEM hParent)
{
    std::string out, back;
    HCITYITEM hLast = nullptr;
    for (HCITYITEM h = tree.GetChildItem(hParent); h; h = tree.GetNextSiblingItem(h)) {
        out += AnsiFromWide(tree.GetItemText(h).wstr());
        if (tree.GetParentItem(h) != hParent)
            out += "(wrong parent)";
        hLast = h;
    }
    // Walking backwards must give the same order.
    for (HCITYITEM h = hLast; h; h = tree.GetPrevSiblingItem(h))
        back = AnsiFromWide(tree.GetItemText(h).wstr()) + back;
    if (back != out)
        out += " but backwards " + back;
    return out;
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
    EXPECT_EQ(Children(tree, hB), "x");
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

TEST(CMemTree, DeleteTakesTheSubtreeAndKeepsOtherHandles)
{
    CMemTree tree;
    HCITYITEM hRoot = Add(tree, L"R", nullptr);
    HCITYITEM hA = Add(tree, L"a", hRoot);
    HCITYITEM hB = Add(tree, L"b", hRoot);
    HCITYITEM hC = Add(tree, L"c", hRoot);
    HCITYITEM hB1 = Add(tree, L"1", hB);
    Add(tree, L"2", hB1);
    ASSERT_TRUE(tree.SelectItem(hB1));
    EXPECT_TRUE(tree.GetItemState(hB1, CITY_TVIS_SELECTED));
    ASSERT_TRUE(tree.DeleteItem(hB));
    EXPECT_EQ(Children(tree, hRoot), "ac");
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetSelectedItem(), hC) << "selection must move to the next sibling";
    EXPECT_FALSE(tree.SetItemText(hB1, L"gone")) << "a deleted item still accepts text";
    EXPECT_FALSE(tree.DeleteItem(hB));
    // Deleting the last child selects the previous one, then the parent.
    ASSERT_TRUE(tree.DeleteItem(hC));
    EXPECT_EQ(tree.GetSelectedItem(), hA);
    ASSERT_TRUE(tree.DeleteItem(hA));
    EXPECT_EQ(tree.GetSelectedItem(), hRoot);
    HCITYITEM hNew = Add(tree, L"n", hRoot, CITY_TVI_FIRST);
    EXPECT_EQ(Children(tree, hRoot), "n");
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetRootItem(), nullptr);
    EXPECT_EQ(tree.GetItemText(hNew), L"");
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
}

TEST(CMemTree, DeepTreeDeletesWithoutRecursion)
{
    CMemTree tree;
    HCITYITEM hTop = Add(tree, L"top", nullptr);
    HCITYITEM h = hTop;
    for (int i = 0; i < 200000; ++i)
        h = Add(tree, L"d", h);
    EXPECT_TRUE(tree.DeleteItem(hTop));
    EXPECT_EQ(tree.GetCount(), 0u);
}

}  // namespace
