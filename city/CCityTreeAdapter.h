#pragma once

#include <citydb/ICityTree.h>

#include <afx/CTreeCtrl.h>

// The city list's tree as citydb sees it, over the dialog's real tree view: loading, replay,
// recording and the edits run the same code as on the in-memory tree. Item handles pass
// through unchanged; citydb's insert positions already carry the tree view's values.
class CCityTreeAdapter : public ICityTree {
public:
    explicit CCityTreeAdapter(CTreeCtrl& tree) : m_tree(tree) { }

    HCITYITEM GetRootItem() const override { return Item(m_tree.GetRootItem()); }
    HCITYITEM GetChildItem(HCITYITEM hItem) const override
    {
        return hItem ? Item(m_tree.GetChildItem(Handle(hItem))) : GetRootItem();
    }
    HCITYITEM GetNextSiblingItem(HCITYITEM hItem) const override
    {
        return hItem ? Item(m_tree.GetNextSiblingItem(Handle(hItem))) : nullptr;
    }
    HCITYITEM GetPrevSiblingItem(HCITYITEM hItem) const override
    {
        return hItem ? Item(m_tree.GetPrevSiblingItem(Handle(hItem))) : nullptr;
    }
    HCITYITEM GetParentItem(HCITYITEM hItem) const override
    {
        return hItem ? Item(m_tree.GetParentItem(Handle(hItem))) : nullptr;
    }
    bool ItemHasChildren(HCITYITEM hItem) const override
    {
        return hItem && m_tree.GetChildItem(Handle(hItem)) != nullptr;
    }

    CString GetItemText(HCITYITEM hItem) const override { return m_tree.GetItemText(Handle(hItem)); }
    bool SetItemText(HCITYITEM hItem, const CString& strText) override
    {
        return hItem && m_tree.SetItemText(Handle(hItem), strText.GetString());
    }
    std::intptr_t GetItemData(HCITYITEM hItem) const override
    {
        return hItem ? static_cast<std::intptr_t>(m_tree.GetItemData(Handle(hItem))) : 0;
    }
    bool SetItemData(HCITYITEM hItem, std::intptr_t nData) override
    {
        return hItem && m_tree.SetItemData(Handle(hItem), static_cast<DWORD_PTR>(nData));
    }
    bool GetItemImage(HCITYITEM hItem, int& nImage, int& nSelectedImage) const override
    {
        return hItem && m_tree.GetItemImage(Handle(hItem), nImage, nSelectedImage);
    }
    bool SetItemImage(HCITYITEM hItem, int nImage, int nSelectedImage) override
    {
        return hItem && m_tree.SetItemImage(Handle(hItem), nImage, nSelectedImage);
    }
    unsigned GetItemState(HCITYITEM hItem, unsigned nStateMask) const override
    {
        return hItem ? m_tree.GetItemState(Handle(hItem), nStateMask) : 0;
    }
    bool SetItemState(HCITYITEM hItem, unsigned nState, unsigned nStateMask) override
    {
        return hItem && m_tree.SetItemState(Handle(hItem), nState, nStateMask);
    }

    // Null when the tree view refuses the insert.
    HCITYITEM InsertItem(const CString& strText, int nImage, int nSelectedImage, std::intptr_t nData, HCITYITEM hParent,
                         HCITYITEM hInsertAfter) override
    {
        return Item(m_tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, strText.GetString(),
                                      nImage, nSelectedImage, 0, 0, static_cast<LPARAM>(nData),
                                      hParent ? Handle(hParent) : TVI_ROOT, Handle(hInsertAfter)));
    }
    bool DeleteItem(HCITYITEM hItem) override { return hItem && m_tree.DeleteItem(Handle(hItem)); }
    bool DeleteAllItems() override { return m_tree.DeleteAllItems() != FALSE; }
    bool Expand(HCITYITEM hItem) override { return hItem && m_tree.Expand(Handle(hItem), TVE_EXPAND); }
    bool SelectItem(HCITYITEM hItem) override { return m_tree.SelectItem(Handle(hItem)) != FALSE; }
    HCITYITEM GetSelectedItem() const override { return Item(m_tree.GetSelectedItem()); }

    // The same item under either name.
    static HTREEITEM Handle(HCITYITEM hItem) { return reinterpret_cast<HTREEITEM>(hItem); }
    static HCITYITEM Item(HTREEITEM hItem) { return reinterpret_cast<HCITYITEM>(hItem); }

private:
    CTreeCtrl& m_tree;
};
