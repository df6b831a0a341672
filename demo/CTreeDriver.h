#pragma once

#include <afx/afxwin.h>
#include <commctrl.h>

#include <string>
#include <vector>

// Works a tree view control as a person would with the mouse: items are named by their path
// of texts from the root item. Mouse messages are posted and then handled, so that the tree's
// own click and drag detection sees them in its queue as it would see a person's.
class CTreeDriver {
public:
    explicit CTreeDriver(HWND hTree) : m_hTree(hTree) {}

    // The item at the path, scrolled into view; null (and why) when there is none.
    HTREEITEM Find(const std::vector<CString>& path, CString& why) const;
    void Click(HTREEITEM item) const;
    void DoubleClick(HTREEITEM item) const;
    // Drags the item onto another (null: `outside`, or cancels with the right button).
    void Drag(HTREEITEM from, HTREEITEM to, bool bRightCancels, bool bOutside) const;
    // The whole tree as a JSON array: per item its name, folder (item data -1) or place,
    // expanded, selected and, for an item with children, its items.
    std::string Dump() const;

private:
    CString TextOf(HTREEITEM item) const;
    CPoint CentreOf(HTREEITEM item) const;
    void Post(HWND hWnd, UINT msg, WPARAM keys, CPoint ptInTree) const;
    std::string DumpLevel(HTREEITEM first) const;

    HWND m_hTree;
};
