#pragma once

#include <afx/afxdefs.h>
#include <afx/Geometry.h>

#include <commctrl.h>

class CBitmap;
class CWnd;

// A non-owning view of an image list: copies freely and never destroys the list. Lists that must
// be destroyed are held by CImageListManaged (or destroyed with DeleteImageList); it may be
// owned through a pointer to this base.
class CImageList {
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    explicit CImageList(HIMAGELIST hImageList) : m_hImageList(hImageList) {}
    virtual ~CImageList() = default;

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    HIMAGELIST Detach()
    {
        HIMAGELIST h = m_hImageList;
        m_hImageList = nullptr;
        return h;
    }

    // FALSE when this view already shows a list or the list cannot be made.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
    {
        if (m_hImageList) return FALSE;
        m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
        return m_hImageList != nullptr;
    }
    // Destroys the list this view shows; FALSE when there is none.
    BOOL DeleteImageList()
    {
        if (!m_hImageList) return FALSE;
        BOOL ok = ImageList_Destroy(m_hImageList);
        m_hImageList = nullptr;
        return ok;
    }

    // The bitmap's images, crMask as the transparent colour: the index of the first, or -1.
    AFX_API int Add(CBitmap* pbmImage, COLORREF crMask);

    // Dragging (one drag at a time, process-wide, as the system does it).
    BOOL BeginDrag(int nImage, CPoint ptHotSpot)
    {
        return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
    }
    AFX_API static BOOL DragEnter(CWnd* pWndLock, CPoint point);
    AFX_API static BOOL DragLeave(CWnd* pWndLock);
    static BOOL DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
    static BOOL DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
    static void EndDrag() { ImageList_EndDrag(); }
};

// Owns its image list: destroyed with the object; moves, never copies.
class CImageListManaged : public CImageList {
public:
    CImageListManaged() = default;
    explicit CImageListManaged(HIMAGELIST hImageList) : CImageList(hImageList) {}
    CImageListManaged(CImageListManaged&& other) noexcept : CImageList(other.Detach()) {}
    ~CImageListManaged() override { DeleteImageList(); }
};
