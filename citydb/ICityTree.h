#pragma once

#include <afx/CString.h>

#include <cstdint>

// A tree item; null means none. The dialog's adapter casts its tree view's item handles to it.
using HCITYITEM = struct CityTreeItem_*;

// Insert-after positions with the tree view's values, so the adapter can pass them through.
inline const HCITYITEM CITY_TVI_FIRST = reinterpret_cast<HCITYITEM>(~static_cast<std::uintptr_t>(0xFFFE));
inline const HCITYITEM CITY_TVI_LAST = reinterpret_cast<HCITYITEM>(~static_cast<std::uintptr_t>(0xFFFD));

// Item state bits with the tree view's values.
constexpr unsigned CITY_TVIS_SELECTED = 0x0002;
constexpr unsigned CITY_TVIS_EXPANDED = 0x0020;

// Item data of a folder; a place carries the index of its place record.
constexpr std::intptr_t CITY_FOLDER_DATA = -1;

// Images of the city tree's image list.
constexpr int CITY_IMG_FOLDER = 0;
constexpr int CITY_IMG_FOLDER_OPEN = 1;
constexpr int CITY_IMG_PLACE_SELECTED = 2;
constexpr int CITY_IMG_PLACE = 3;

// The tree the city list works on: the dialog's tree view or the in-memory tree.
// An item handle stays valid until that item (or an ancestor) is deleted. Calls given a null
// handle return null, an empty text, 0 or false.
class ICityTree {
public:
    virtual ~ICityTree() = default;

    // First top-level item, or null for an empty tree.
    virtual HCITYITEM GetRootItem() const = 0;
    // First child; for a null item the first top-level item.
    virtual HCITYITEM GetChildItem(HCITYITEM hItem) const = 0;
    virtual HCITYITEM GetNextSiblingItem(HCITYITEM hItem) const = 0;
    virtual HCITYITEM GetPrevSiblingItem(HCITYITEM hItem) const = 0;
    // Null for a top-level item.
    virtual HCITYITEM GetParentItem(HCITYITEM hItem) const = 0;
    virtual bool ItemHasChildren(HCITYITEM hItem) const = 0;

    virtual CString GetItemText(HCITYITEM hItem) const = 0;
    virtual bool SetItemText(HCITYITEM hItem, const CString& strText) = 0;
    // CITY_FOLDER_DATA for a folder, the place record's index for a place; 0 for a null item.
    virtual std::intptr_t GetItemData(HCITYITEM hItem) const = 0;
    virtual bool SetItemData(HCITYITEM hItem, std::intptr_t nData) = 0;
    virtual bool GetItemImage(HCITYITEM hItem, int& nImage, int& nSelectedImage) const = 0;
    virtual bool SetItemImage(HCITYITEM hItem, int nImage, int nSelectedImage) = 0;
    // State bits (CITY_TVIS_*), so a moved subtree keeps whether its folders are expanded.
    virtual unsigned GetItemState(HCITYITEM hItem, unsigned nStateMask) const = 0;
    virtual bool SetItemState(HCITYITEM hItem, unsigned nState, unsigned nStateMask) = 0;

    // hParent null inserts at the top level; hInsertAfter is CITY_TVI_FIRST, CITY_TVI_LAST or
    // a child of hParent. Returns the new item, or null when it cannot be inserted (an
    // hInsertAfter that is not a child of hParent inserts last, as the tree view does).
    virtual HCITYITEM InsertItem(const CString& strText, int nImage, int nSelectedImage,
                                 std::intptr_t nData, HCITYITEM hParent,
                                 HCITYITEM hInsertAfter) = 0;
    // Deletes the item with its whole subtree.
    virtual bool DeleteItem(HCITYITEM hItem) = 0;
    virtual bool DeleteAllItems() = 0;

    virtual bool Expand(HCITYITEM hItem) = 0;
    virtual bool SelectItem(HCITYITEM hItem) = 0;
    // Null when nothing is selected.
    virtual HCITYITEM GetSelectedItem() const = 0;
};
