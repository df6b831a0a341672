#include "city/CDlgCity.h"

#include "city/CCityTreeAdapter.h"
#include "city/CDlgCityMoveTo.h"
#include "res/resource_city.h"

#include <citydb/CCitySession.h>

void CDlgCity::OnBegindragSetObsTreeCity(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_pSession->m_editor.m_bEditable || m_bDragging)
        return;
    const NMTREEVIEWW& nm = *reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    m_hDragItem = nm.itemNew.hItem;
    m_pDragImage = m_tree.CreateDragImage(m_hDragItem);
    // Without an image the drag still works; the image functions then do nothing.
    if (m_pDragImage) {
        CImageList::DragShowNolock(TRUE);
        ::ImageList_SetDragCursorImage(m_pDragImage->GetSafeHandle(), 0, 0, 0);
        m_pDragImage->BeginDrag(0, CPoint(0, 0));
    }
    // ptDrag is already in the tree's client coordinates.
    const CPoint ptStart(nm.ptDrag);
    CImageList::DragMove(ptStart);
    CImageList::DragEnter(&m_tree, ptStart);
    SetCapture();
    m_bDragging = TRUE;
}

void CDlgCity::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_pSession->m_editor.m_bEditable)
        return;
    if (m_bDragging) {
        CPoint ptTree = point;
        MapWindowPoints(&m_tree, &ptTree, 1);
        CImageList::DragMove(ptTree);
        // Over no item the last target stays highlighted.
        if (HTREEITEM hItem = m_tree.HitTest(ptTree)) {
            CImageList::DragLeave(&m_tree);
            m_tree.SelectDropTarget(hItem);
            CImageList::DragEnter(&m_tree, ptTree);
        }
    }
    CZelDialog::OnMouseMove(nFlags, point);
}

void CDlgCity::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_pSession->m_editor.m_bEditable)
        return;
    if (m_bDragging)
        EndOfDrag(TRUE, point);
    CZelDialog::OnLButtonUp(nFlags, point);
}

void CDlgCity::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_pSession->m_editor.m_bEditable)
        return;
    if (m_bDragging)
        EndOfDrag(FALSE, point);
    CZelDialog::OnRButtonDown(nFlags, point);
}

LRESULT CDlgCity::OnCaptureChanged(WPARAM, LPARAM)
{
    if (m_bDragging)
        EndOfDrag(FALSE, CPoint());
    return 0;
}

void CDlgCity::EndOfDrag(BOOL bDrop, CPoint point)
{
    m_bDragging = FALSE;
    CImageList::DragLeave(&m_tree);
    CImageList::EndDrag();
    m_pDragImage.reset();
    // The capture goes before the move-destination question, so that its buttons get the mouse;
    // one another window has taken meanwhile stays with it.
    if (::GetCapture() == GetSafeHwnd())
        ReleaseCapture();

    // The tree as the user sees it, border included, in the point's coordinates.
    CRect rcTree;
    m_tree.GetWindowRect(&rcTree);
    ScreenToClient(&rcTree);
    const BOOL bInTree = bDrop && rcTree.PtInRect(point);
    const HTREEITEM hTarget = bInTree ? m_tree.GetDropHilightItem() : nullptr;
    const HTREEITEM hItem = m_hDragItem;
    m_hDragItem = nullptr;
    auto askMode = [this](const CString& strFolder) {
        CDlgCityMoveTo dlg(strFolder, this);
        return dlg.DoModal() == IDOK ? dlg.m_nMoveMode : -1;
    };
    CString strRefusal;
    m_pSession->m_editor.EndOfDrag(bInTree, CCityTreeAdapter::Item(hItem), CCityTreeAdapter::Item(hTarget), askMode,
                                   strRefusal);
    m_tree.SelectDropTarget(nullptr);
    if (!strRefusal.IsEmpty())
        AfxMessageBox(strRefusal, MB_OK | MB_ICONINFORMATION);
}
