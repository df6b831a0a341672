#include "CTreeDriver.h"

#include "CJsonLine.h"

HTREEITEM CTreeDriver::Find(const std::vector<CString>& path, CString& why) const
{
    HTREEITEM item = TreeView_GetRoot(m_hTree);
    for (size_t i = 0; i < path.size(); ++i) {
        while (item && TextOf(item) != path[i])
            item = TreeView_GetNextSibling(m_hTree, item);
        if (!item) {
            why = L"no tree item \"" + path[i] + L"\"";
            if (i > 0)
                why += L" under \"" + path[i - 1] + L"\"";
            return nullptr;
        }
        if (i + 1 < path.size())
            item = TreeView_GetChild(m_hTree, item);
    }
    if (!item) {
        why = L"an empty tree path";
        return nullptr;
    }
    TreeView_EnsureVisible(m_hTree, item);
    return item;
}

CString CTreeDriver::TextOf(HTREEITEM item) const
{
    wchar_t buf[260] = {};
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buf;
    tv.cchTextMax = 260;
    TreeView_GetItem(m_hTree, &tv);
    return buf;
}

CPoint CTreeDriver::CentreOf(HTREEITEM item) const
{
    RECT rc = {};
    TreeView_GetItemRect(m_hTree, item, &rc, TRUE);
    return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

void CTreeDriver::Post(HWND hWnd, UINT msg, WPARAM keys, CPoint ptInTree) const
{
    POINT pt = {ptInTree.x, ptInTree.y};
    ::MapWindowPoints(m_hTree, hWnd, &pt, 1);
    ::PostMessageW(hWnd, msg, keys, MAKELPARAM(pt.x, pt.y));
}

void CTreeDriver::Click(HTREEITEM item) const
{
    const CPoint pt = CentreOf(item);
    Post(m_hTree, WM_LBUTTONDOWN, MK_LBUTTON, pt);
    Post(m_hTree, WM_LBUTTONUP, 0, pt);
    AfxPumpMessages();
}

void CTreeDriver::DoubleClick(HTREEITEM item) const
{
    const CPoint pt = CentreOf(item);
    Post(m_hTree, WM_LBUTTONDOWN, MK_LBUTTON, pt);
    Post(m_hTree, WM_LBUTTONUP, 0, pt);
    Post(m_hTree, WM_LBUTTONDBLCLK, MK_LBUTTON, pt);
    Post(m_hTree, WM_LBUTTONUP, 0, pt);
    AfxPumpMessages();
}

void CTreeDriver::Drag(HTREEITEM from, HTREEITEM to, bool bRightCancels, bool bOutside) const
{
    // Past the system's drag distance the tree reports the start of a drag; the dialog then
    // takes the mouse, and the rest goes to the window that holds it. Finding the target may
    // have scrolled the source away, so each is brought into view when the mouse goes to it.
    TreeView_EnsureVisible(m_hTree, from);
    const CPoint start = CentreOf(from);
    const CPoint moved(start.x + 2 * ::GetSystemMetrics(SM_CXDRAG) + 2,
                       start.y + 2 * ::GetSystemMetrics(SM_CYDRAG) + 2);
    Post(m_hTree, WM_LBUTTONDOWN, MK_LBUTTON, start);
    Post(m_hTree, WM_MOUSEMOVE, MK_LBUTTON, moved);
    AfxPumpMessages();
    HWND hMouse = ::GetCapture() ? ::GetCapture() : m_hTree;
    if (to && !bOutside)
        TreeView_EnsureVisible(m_hTree, to);
    const CPoint end = (bOutside || !to) ? CPoint(-20, -20) : CentreOf(to);
    Post(hMouse, WM_MOUSEMOVE, MK_LBUTTON, end);
    AfxPumpMessages();
    hMouse = ::GetCapture() ? ::GetCapture() : m_hTree;
    if (bRightCancels) {
        Post(hMouse, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, end);
        Post(hMouse, WM_RBUTTONUP, MK_LBUTTON, end);
        AfxPumpMessages();
        hMouse = ::GetCapture() ? ::GetCapture() : m_hTree;
    }
    Post(hMouse, WM_LBUTTONUP, 0, end);
    AfxPumpMessages();
}

std::string CTreeDriver::Dump() const
{
    return DumpLevel(TreeView_GetRoot(m_hTree));
}

std::string CTreeDriver::DumpLevel(HTREEITEM first) const
{
    std::string out = "[";
    for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(m_hTree, item)) {
        TVITEMW tv = {};
        tv.mask = TVIF_PARAM | TVIF_STATE;
        tv.hItem = item;
        tv.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
        TreeView_GetItem(m_hTree, &tv);
        CJsonLine line;
        line.Str("name", TextOf(item))
            .Bool("folder", tv.lParam == -1)
            .Bool("expanded", (tv.state & TVIS_EXPANDED) != 0)
            .Bool("selected", (tv.state & TVIS_SELECTED) != 0);
        if (HTREEITEM child = TreeView_GetChild(m_hTree, item))
            line.Raw("items", DumpLevel(child));
        if (out.size() > 1)
            out += ',';
        out += line.Text();
    }
    return out + "]";
}
