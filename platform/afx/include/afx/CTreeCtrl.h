#pragma once

#include <afx/afxdefs.h>
#include <afx/CImageList.h>
#include <afx/CString.h>
#include <afx/CWnd.h>

#include <commctrl.h>

#include <memory>

// A thin view over a tree view control: one message per call, no state.
class CTreeCtrl : public CWnd {
public:
    // Null on failure.
    HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                         UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
    {
        TVINSERTSTRUCTW tvis{};
        tvis.hParent = hParent;
        tvis.hInsertAfter = hInsertAfter;
        tvis.item.mask = nMask;
        tvis.item.pszText = const_cast<LPTSTR>(lpszItem);
        tvis.item.iImage = nImage;
        tvis.item.iSelectedImage = nSelectedImage;
        tvis.item.state = nState;
        tvis.item.stateMask = nStateMask;
        tvis.item.lParam = lParam;
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tvis)));
    }

    // Null when there is no such item.
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const
    {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
    }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }

    BOOL GetItem(TVITEMW* pItem) const { return static_cast<BOOL>(SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
    BOOL SetItem(TVITEMW* pItem) { return static_cast<BOOL>(SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
    // Empty for a null or unknown item.
    CString GetItemText(HTREEITEM hItem) const
    {
        for (int size = 256;; size *= 4) {
            std::wstring buf(static_cast<size_t>(size), L'\0');
            TVITEMW item{};
            item.mask = TVIF_TEXT;
            item.hItem = hItem;
            item.pszText = &buf[0];
            item.cchTextMax = size;
            if (!hItem || !GetItem(&item)) return CString();
            int len = static_cast<int>(wcsnlen(buf.c_str(), static_cast<size_t>(size)));
            if (len < size - 1 || size >= (1 << 20)) return CString(buf.c_str(), len);
        }
    }
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
    {
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = const_cast<LPTSTR>(lpszItem);
        return SetItem(&item);
    }
    // 0 for an unknown item.
    DWORD_PTR GetItemData(HTREEITEM hItem) const
    {
        TVITEMW item{};
        item.mask = TVIF_PARAM;
        item.hItem = hItem;
        return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
    }
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
    {
        TVITEMW item{};
        item.mask = TVIF_PARAM;
        item.hItem = hItem;
        item.lParam = static_cast<LPARAM>(dwData);
        return SetItem(&item);
    }
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
    {
        TVITEMW item{};
        item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = hItem;
        if (!GetItem(&item)) return FALSE;
        nImage = item.iImage;
        nSelectedImage = item.iSelectedImage;
        return TRUE;
    }
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
    {
        TVITEMW item{};
        item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = hItem;
        item.iImage = nImage;
        item.iSelectedImage = nSelectedImage;
        return SetItem(&item);
    }
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const
    {
        return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), nStateMask));
    }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
    {
        TVITEMW item{};
        item.mask = TVIF_STATE;
        item.hItem = hItem;
        item.state = nState;
        item.stateMask = nStateMask;
        return SetItem(&item);
    }

    BOOL DeleteItem(HTREEITEM hItem) { return ItemMessage(TVM_DELETEITEM, 0, hItem); }
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return ItemMessage(TVM_EXPAND, nCode, hItem); }
    BOOL Select(HTREEITEM hItem, UINT nCode) { return ItemMessage(TVM_SELECTITEM, nCode, hItem); }
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
    BOOL EnsureVisible(HTREEITEM hItem) { return ItemMessage(TVM_ENSUREVISIBLE, 0, hItem); }

    // The item at a client point, or null.
    HTREEITEM HitTest(CPoint pt) const
    {
        TVHITTESTINFO hti{};
        hti.pt = pt;
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hti)));
    }

    // A new drag image of the item, or null.
    std::unique_ptr<CImageListManaged> CreateDragImage(HTREEITEM hItem)
    {
        HIMAGELIST h = reinterpret_cast<HIMAGELIST>(SendMessage(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(hItem)));
        return h ? std::make_unique<CImageListManaged>(h) : nullptr;
    }
    // The previous list of that kind, or null. The tree never destroys its lists.
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageListType)
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_SETIMAGELIST, nImageListType,
            reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr)));
    }

private:
    BOOL ItemMessage(UINT nMsg, WPARAM wParam, HTREEITEM hItem)
    {
        return static_cast<BOOL>(SendMessage(nMsg, wParam, reinterpret_cast<LPARAM>(hItem)));
    }
};
