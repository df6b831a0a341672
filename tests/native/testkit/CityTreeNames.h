#pragma once

#include <citydb/ICityTree.h>
#include <citydb/Utf8Text.h>

#include <string>

// The names from hFirst and its siblings down, UTF-8: folders as name{children}, siblings
// joined by ','. What a load or an edit did to the tree's shape, in one comparable text.
inline std::string TreeNames(const ICityTree& tree, HCITYITEM hFirst)
{
    std::string out;
    for (HCITYITEM h = hFirst; h; h = tree.GetNextSiblingItem(h)) {
        out += (h == hFirst ? "" : ",") + CityUtf8FromWide(tree.GetItemText(h).wstr());
        if (tree.GetItemData(h) == CITY_FOLDER_DATA)
            out += "{" + TreeNames(tree, tree.GetChildItem(h)) + "}";
    }
    return out;
}

inline std::string TreeNames(const ICityTree& tree)
{
    return TreeNames(tree, tree.GetRootItem());
}
