#include <citydb/CMemTree.h>

CMemTree::Node* CMemTree::NodeOf(HCITYITEM hItem) const
{
    if (hItem == nullptr || hItem == CITY_TVI_FIRST || hItem == CITY_TVI_LAST)
        return nullptr;
    Node* pNode = reinterpret_cast<Node*>(hItem);
    // Nodes are never freed while the tree lives, so a deleted item's handle is still readable.
    return pNode->bInUse ? pNode : nullptr;
}

HCITYITEM CMemTree::GetRootItem() const
{
    return HandleOf(m_pFirstTop);
}

std::vector<HCITYITEM> CMemTree::GetItems() const
{
    std::vector<HCITYITEM> aItem;
    aItem.reserve(m_nCount);
    for (Node* pNode = m_pFirstTop; pNode;) {
        aItem.push_back(HandleOf(pNode));
        if (pNode->pFirstChild) {
            pNode = pNode->pFirstChild;
            continue;
        }
        while (pNode && !pNode->pNext)
            pNode = pNode->pParent;
        if (pNode)
            pNode = pNode->pNext;
    }
    return aItem;
}

HCITYITEM CMemTree::GetChildItem(HCITYITEM hItem) const
{
    if (hItem == nullptr)
        return HandleOf(m_pFirstTop);
    Node* pNode = NodeOf(hItem);
    return pNode ? HandleOf(pNode->pFirstChild) : nullptr;
}

HCITYITEM CMemTree::GetNextSiblingItem(HCITYITEM hItem) const
{
    Node* pNode = NodeOf(hItem);
    return pNode ? HandleOf(pNode->pNext) : nullptr;
}

HCITYITEM CMemTree::GetPrevSiblingItem(HCITYITEM hItem) const
{
    Node* pNode = NodeOf(hItem);
    return pNode ? HandleOf(pNode->pPrev) : nullptr;
}

HCITYITEM CMemTree::GetParentItem(HCITYITEM hItem) const
{
    Node* pNode = NodeOf(hItem);
    return pNode ? HandleOf(pNode->pParent) : nullptr;
}

bool CMemTree::ItemHasChildren(HCITYITEM hItem) const
{
    Node* pNode = NodeOf(hItem);
    return pNode && pNode->pFirstChild;
}

CString CMemTree::GetItemText(HCITYITEM hItem) const
{
    Node* pNode = NodeOf(hItem);
    return pNode ? pNode->strText : CString();
}

bool CMemTree::SetItemText(HCITYITEM hItem, const CString& strText)
{
    Node* pNode = NodeOf(hItem);
    if (!pNode)
        return false;
    pNode->strText = strText;
    return true;
}

std::intptr_t CMemTree::GetItemData(HCITYITEM hItem) const
{
    Node* pNode = NodeOf(hItem);
    return pNode ? pNode->nData : 0;
}

bool CMemTree::SetItemData(HCITYITEM hItem, std::intptr_t nData)
{
    Node* pNode = NodeOf(hItem);
    if (!pNode)
        return false;
    pNode->nData = nData;
    return true;
}

bool CMemTree::GetItemImage(HCITYITEM hItem, int& nImage, int& nSelectedImage) const
{
    Node* pNode = NodeOf(hItem);
    if (!pNode)
        return false;
    nImage = pNode->nImage;
    nSelectedImage = pNode->nSelectedImage;
    return true;
}

bool CMemTree::SetItemImage(HCITYITEM hItem, int nImage, int nSelectedImage)
{
    Node* pNode = NodeOf(hItem);
    if (!pNode)
        return false;
    pNode->nImage = nImage;
    pNode->nSelectedImage = nSelectedImage;
    return true;
}

unsigned CMemTree::GetItemState(HCITYITEM hItem, unsigned nStateMask) const
{
    Node* pNode = NodeOf(hItem);
    if (!pNode)
        return 0;
    unsigned nState = pNode->nState;
    if (pNode == m_pSelected)
        nState |= CITY_TVIS_SELECTED;
    return nState & nStateMask;
}

bool CMemTree::SetItemState(HCITYITEM hItem, unsigned nState, unsigned nStateMask)
{
    Node* pNode = NodeOf(hItem);
    if (!pNode)
        return false;
    // Selection is a property of the tree, set through SelectItem.
    nStateMask &= ~CITY_TVIS_SELECTED;
    pNode->nState = (pNode->nState & ~nStateMask) | (nState & nStateMask);
    return true;
}

CMemTree::Node* CMemTree::NewNode()
{
    Node* pNode;
    if (!m_aFree.empty()) {
        pNode = m_aFree.back();
        m_aFree.pop_back();
        *pNode = Node();
    } else {
        pNode = &m_aNodes.emplace_back();
    }
    pNode->bInUse = true;
    return pNode;
}

HCITYITEM CMemTree::InsertItem(const CString& strText, int nImage, int nSelectedImage,
                               std::intptr_t nData, HCITYITEM hParent, HCITYITEM hInsertAfter)
{
    Node* pParent = nullptr;
    if (hParent != nullptr) {
        pParent = NodeOf(hParent);
        if (!pParent)
            return nullptr;
    }
    Node*& pFirst = pParent ? pParent->pFirstChild : m_pFirstTop;
    Node*& pLast = pParent ? pParent->pLastChild : m_pLastTop;

    Node* pAfter = nullptr;  // null: insert first
    if (hInsertAfter == CITY_TVI_FIRST) {
        pAfter = nullptr;
    } else {
        pAfter = pLast;
        Node* pGiven = NodeOf(hInsertAfter);
        if (pGiven && pGiven->pParent == pParent)
            pAfter = pGiven;
    }

    Node* pNode = NewNode();
    pNode->strText = strText;
    pNode->nImage = nImage;
    pNode->nSelectedImage = nSelectedImage;
    pNode->nData = nData;
    pNode->pParent = pParent;
    pNode->pPrev = pAfter;
    pNode->pNext = pAfter ? pAfter->pNext : pFirst;
    if (pNode->pNext)
        pNode->pNext->pPrev = pNode;
    else
        pLast = pNode;
    if (pAfter)
        pAfter->pNext = pNode;
    else
        pFirst = pNode;
    ++m_nCount;
    return HandleOf(pNode);
}

void CMemTree::Unlink(Node* pNode)
{
    Node*& pFirst = pNode->pParent ? pNode->pParent->pFirstChild : m_pFirstTop;
    Node*& pLast = pNode->pParent ? pNode->pParent->pLastChild : m_pLastTop;
    if (pNode->pPrev)
        pNode->pPrev->pNext = pNode->pNext;
    else
        pFirst = pNode->pNext;
    if (pNode->pNext)
        pNode->pNext->pPrev = pNode->pPrev;
    else
        pLast = pNode->pPrev;
    pNode->pPrev = pNode->pNext = nullptr;
}

void CMemTree::FreeSubtree(Node* pTop)
{
    // Iterative, so that a deep tree cannot exhaust the stack.
    Node* pNode = pTop;
    while (pNode) {
        if (pNode->pFirstChild) {
            pNode = pNode->pFirstChild;
            continue;
        }
        Node* pDone = pNode;
        pNode = pDone == pTop ? nullptr : (pDone->pNext ? pDone->pNext : pDone->pParent);
        if (pNode && pNode == pDone->pParent)
            pNode->pFirstChild = nullptr;  // all children freed; the parent is next
        pDone->bInUse = false;
        pDone->strText.Empty();
        m_aFree.push_back(pDone);
        --m_nCount;
    }
}

bool CMemTree::DeleteItem(HCITYITEM hItem)
{
    Node* pNode = NodeOf(hItem);
    if (!pNode)
        return false;
    if (m_pSelected) {
        bool bInside = false;
        for (Node* p = m_pSelected; p; p = p->pParent) {
            if (p == pNode) {
                bInside = true;
                break;
            }
        }
        if (bInside)
            m_pSelected = pNode->pNext ? pNode->pNext : (pNode->pParent ? pNode->pParent : pNode->pPrev);
    }
    Unlink(pNode);
    FreeSubtree(pNode);
    return true;
}

bool CMemTree::DeleteAllItems()
{
    // Every node becomes free, but stays allocated so that old handles remain readable.
    m_aFree.clear();
    for (Node& node : m_aNodes) {
        node.bInUse = false;
        node.strText.Empty();
        m_aFree.push_back(&node);
    }
    m_pFirstTop = m_pLastTop = m_pSelected = nullptr;
    m_nCount = 0;
    return true;
}

bool CMemTree::Expand(HCITYITEM hItem)
{
    Node* pNode = NodeOf(hItem);
    if (!pNode)
        return false;
    pNode->nState |= CITY_TVIS_EXPANDED;
    return true;
}

bool CMemTree::SelectItem(HCITYITEM hItem)
{
    if (hItem == nullptr) {
        m_pSelected = nullptr;
        return true;
    }
    Node* pNode = NodeOf(hItem);
    if (!pNode)
        return false;
    m_pSelected = pNode;
    for (Node* pParent = pNode->pParent; pParent; pParent = pParent->pParent)
        pParent->nState |= CITY_TVIS_EXPANDED;
    return true;
}

HCITYITEM CMemTree::GetSelectedItem() const
{
    return HandleOf(m_pSelected);
}
