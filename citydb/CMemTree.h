#pragma once

#include <citydb/ICityTree.h>

#include <cstddef>
#include <deque>
#include <vector>

// The in-memory city tree for native code and tests. Items are linked nodes: navigation,
// insertion and deletion of one item are O(1), and deleting an item never moves another.
// Nodes of deleted items are reused for later insertions, as the tree view reuses handles.
class CMemTree : public ICityTree {
public:
    CMemTree() = default;
    CMemTree(const CMemTree&) = delete;
    CMemTree& operator=(const CMemTree&) = delete;

    HCITYITEM GetRootItem() const override;
    HCITYITEM GetChildItem(HCITYITEM hItem) const override;
    HCITYITEM GetNextSiblingItem(HCITYITEM hItem) const override;
    HCITYITEM GetPrevSiblingItem(HCITYITEM hItem) const override;
    HCITYITEM GetParentItem(HCITYITEM hItem) const override;
    bool ItemHasChildren(HCITYITEM hItem) const override;

    CString GetItemText(HCITYITEM hItem) const override;
    bool SetItemText(HCITYITEM hItem, const CString& strText) override;
    std::intptr_t GetItemData(HCITYITEM hItem) const override;
    bool SetItemData(HCITYITEM hItem, std::intptr_t nData) override;
    bool GetItemImage(HCITYITEM hItem, int& nImage, int& nSelectedImage) const override;
    bool SetItemImage(HCITYITEM hItem, int nImage, int nSelectedImage) override;
    unsigned GetItemState(HCITYITEM hItem, unsigned nStateMask) const override;
    bool SetItemState(HCITYITEM hItem, unsigned nState, unsigned nStateMask) override;

    HCITYITEM InsertItem(const CString& strText, int nImage, int nSelectedImage,
                         std::intptr_t nData, HCITYITEM hParent,
                         HCITYITEM hInsertAfter) override;
    // When the selected item (or an ancestor of it) goes, the selection moves to the deleted
    // item's next sibling, else its parent, else (at the top level) its previous sibling, as
    // the tree view does.
    bool DeleteItem(HCITYITEM hItem) override;
    bool DeleteAllItems() override;

    bool Expand(HCITYITEM hItem) override;
    // Expands the item's folders to show it, as the tree view does.
    bool SelectItem(HCITYITEM hItem) override;
    HCITYITEM GetSelectedItem() const override;

    // Number of items in the tree.
    std::size_t GetCount() const { return m_nCount; }
    // Every item in pre-order.
    std::vector<HCITYITEM> GetItems() const;

private:
    struct Node {
        Node* pParent = nullptr;
        Node* pFirstChild = nullptr;
        Node* pLastChild = nullptr;
        Node* pPrev = nullptr;
        Node* pNext = nullptr;
        CString strText;
        std::intptr_t nData = 0;
        int nImage = 0;
        int nSelectedImage = 0;
        unsigned nState = 0;
        bool bInUse = false;
    };

    // Null for a null handle, a sentinel or a deleted item.
    Node* NodeOf(HCITYITEM hItem) const;
    static HCITYITEM HandleOf(Node* pNode) { return reinterpret_cast<HCITYITEM>(pNode); }
    Node* NewNode();
    void Unlink(Node* pNode);
    void FreeSubtree(Node* pNode);

    std::deque<Node> m_aNodes;      // deque: growing never moves a node
    std::vector<Node*> m_aFree;
    Node* m_pFirstTop = nullptr;
    Node* m_pLastTop = nullptr;
    Node* m_pSelected = nullptr;
    std::size_t m_nCount = 0;
};
