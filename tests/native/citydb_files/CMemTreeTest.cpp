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
    HCITYITEM hRoot = tree.InsertItem(L"R", 0, 1, CITY_FOLDER_DATA, nullptr, CITY_TVI_LAST);
    HCITYITEM hA = tree.InsertItem(L"a", 0, 1, CITY_FOLDER_DATA, hRoot, CITY_TVI_LAST);
    tree.InsertItem(L"b", 0, 1, CITY_FOLDER_DATA, hRoot, CITY_TVI_LAST);
    tree.InsertItem(L"x", 0, 1, CITY_FOLDER_DATA, hA, CITY_TVI_LAST);
    std::string preOrder;
    for (HCITYITEM h : tree.GetItems())
        preOrder += AnsiFromWide(tree.GetItemText(h).wstr());
    EXPECT_EQ(preOrder, "Raxb");
    tree.DeleteItem(hA);
    EXPECT_EQ(tree.GetCount(), 2u);
}

}  // namespace
