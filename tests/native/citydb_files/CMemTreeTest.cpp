#include "TestFiles.h"

#include <TreeBehaviour.h>

#include <gtest/gtest.h>

namespace {

TEST(CMemTree, BehavesAsTheTreeView)
{
    ExpectTreeViewBehaviour([] { return std::make_unique<CMemTree>(); });
}

// What only the in-memory tree offers: all items in pre-order, and the count.
TEST(CMemTree, ListsItsItemsInPreOrder)
{
    CMemTree tree;
    auto add = [&](const wchar_t* name, HCITYITEM hParent) { return tree.InsertItem(name, 0, 1, CITY_FOLDER_DATA, hParent, CITY_TVI_LAST); };
    HCITYITEM hRoot = add(L"R", nullptr), hA = add(L"a", hRoot);
    add(L"b", hRoot), add(L"x", hA);
    std::string preOrder;
    for (HCITYITEM h : tree.GetItems())
        preOrder += AnsiFromWide(tree.GetItemText(h).wstr());
    EXPECT_EQ(preOrder, "Raxb");
    tree.DeleteItem(hA);
    EXPECT_EQ(tree.GetCount(), 2u);
}

}  // namespace
