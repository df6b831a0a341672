#include "TestFiles.h"

#include <gtest/gtest.h>

#include <stdexcept>

static void DumpItems(const ICityTree& tree, HCITYITEM hItem, std::string& out)
{
    for (bool bFirst = true; hItem; hItem = tree.GetNextSiblingItem(hItem), bFirst = false) {
        if (!bFirst)
            out += ',';
        out += AnsiFromWide(tree.GetItemText(hItem).wstr());
        if (tree.GetItemData(hItem) == CITY_FOLDER_DATA) {
            out += '{';
            DumpItems(tree, tree.GetChildItem(hItem), out);
            out += '}';
        }
    }
}

std::string DumpTree(const ICityTree& tree)
{
    std::string out;
    DumpItems(tree, tree.GetRootItem(), out);
    return out;
}

static HCITYITEM FindItem(const ICityTree& tree, HCITYITEM hItem, const wchar_t* pszName)
{
    for (; hItem; hItem = tree.GetNextSiblingItem(hItem)) {
        if (tree.GetItemText(hItem) == pszName)
            return hItem;
        if (HCITYITEM hFound = FindItem(tree, tree.GetChildItem(hItem), pszName))
            return hFound;
    }
    return nullptr;
}

const CCityList* LoadedList::Place(const wchar_t* pszName) const
{
    HCITYITEM hItem = FindItem(tree, tree.GetRootItem(), pszName);
    if (!hItem || tree.GetItemData(hItem) < 0 || tree.GetItemData(hItem) >= data.m_nCityNum)
        return nullptr;
    return &data.m_aCity[static_cast<size_t>(tree.GetItemData(hItem))];
}
