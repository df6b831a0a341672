#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

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

TEST(CMemTree, InsertsWhereAskedAndDeleteMovesTheSelection)
{
    CMemTree tree;
    auto add = [&](const wchar_t* name, HCITYITEM hParent, HCITYITEM hAfter = CITY_TVI_LAST) {
        return tree.InsertItem(name, 0, 1, CITY_FOLDER_DATA, hParent, hAfter);
    };
    HCITYITEM hRoot = add(L"R", nullptr);
    HCITYITEM hB = add(L"b", hRoot);
    HCITYITEM hA = add(L"a", hRoot, CITY_TVI_FIRST);
    HCITYITEM hD = add(L"d", hRoot);
    add(L"c", hRoot, hB);
    add(L"e", hRoot, add(L"x", hB));  // an item of another parent inserts last
    add(L"R2", nullptr, CITY_TVI_FIRST);
    EXPECT_EQ(Children(tree, hRoot), "abcde");
    EXPECT_EQ(Children(tree, nullptr), "R2R") << "null parent must give the top level";
    std::string preOrder;
    for (HCITYITEM h : tree.GetItems())
        preOrder += AnsiFromWide(tree.GetItemText(h).wstr());
    EXPECT_EQ(preOrder, "R2Rabxcde");

    ASSERT_TRUE(tree.SelectItem(tree.GetChildItem(hB)));
    ASSERT_TRUE(tree.DeleteItem(hB));
    EXPECT_EQ(Children(tree, hRoot), "acde");
    EXPECT_EQ(tree.GetCount(), 6u);
    EXPECT_EQ(tree.GetSelectedItem(), tree.GetNextSiblingItem(hA)) << "selection must move to the next sibling";
    // Deleting the last child selects the previous one, then the parent.
    HCITYITEM hE = tree.GetNextSiblingItem(hD);
    ASSERT_TRUE(tree.SelectItem(hE) && tree.DeleteItem(hE));
    EXPECT_EQ(tree.GetSelectedItem(), hD);
    ASSERT_TRUE(tree.DeleteItem(hA) && tree.DeleteItem(tree.GetChildItem(hRoot)) && tree.DeleteItem(hD));
    EXPECT_EQ(tree.GetSelectedItem(), hRoot);
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetRootItem(), nullptr);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
}

}  // namespace
