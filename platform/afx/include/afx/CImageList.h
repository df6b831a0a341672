#pragma once

#include <afx/afxdefs.h>
#include <afx/Geometry.h>

#include <commctrl.h>

class CBitmap;
class CWnd;

// A non-owning view of an image list: copies freely and never destroys the list. Lists that must
// be destroyed are held by CImageListManaged (or destroyed with DeleteImageList).
// CTreeCtrl::CreateDragImage returns a new CImageListManaged as CImageList*: deleting that
// pointer, as the framework's callers do, destroys the drag image.
class CImageList {
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    explicit CImageList(HIMAGELIST hImageList) : m_hImageList(hImageList) {}
    CImageList(const CImageList&) = default;
    CImageList& operator=(const CImageList&) = default;
    virtual ~CImageList() = default;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    BOOL Attach(HIMAGELIST hImageList)
    {
        if (m_hImageList || !hImageList) return FALSE;
        m_hImageList = hImageList;
        return TRUE;
    }
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
    // From a bitmap resource found through the resource chain, images cx wide, crMask as the
    // transparent colour (CLR_NONE for none). FALSE when the bitmap is not found.
    AFX_API BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    // Destroys the list this view shows; FALSE when there is none.
    BOOL DeleteImageList()
    {
        if (!m_hImageList) return FALSE;
        BOOL ok = ImageList_Destroy(m_hImageList);
        m_hImageList = nullptr;
        return ok;
    }

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    // Index of the first new image, or -1.
    int Add(HBITMAP hbmImage, HBITMAP hbmMask) { return ImageList_Add(m_hImageList, hbmImage, hbmMask); }
    int Add(HBITMAP hbmImage, COLORREF crMask) { return ImageList_AddMasked(m_hImageList, hbmImage, crMask); }
    int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
    AFX_API int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    AFX_API int Add(CBitmap* pbmImage, COLORREF crMask);
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    BOOL Replace(int nImage, HBITMAP hbmImage, HBITMAP hbmMask)
    {
        return ImageList_Replace(m_hImageList, nImage, hbmImage, hbmMask);
    }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    BOOL Draw(HDC hdc, int nImage, POINT pt, UINT nStyle)
    {
        return ImageList_Draw(m_hImageList, nImage, hdc, pt.x, pt.y, nStyle);
    }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
    {
        return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
    }

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

// Owns its image list: destroyed with the object; move-only.
class CImageListManaged : public CImageList {
public:
    CImageListManaged() = default;
    explicit CImageListManaged(HIMAGELIST hImageList) : CImageList(hImageList) {}
    CImageListManaged(const CImageListManaged&) = delete;
    CImageListManaged& operator=(const CImageListManaged&) = delete;
    CImageListManaged(CImageListManaged&& other) noexcept : CImageList(other.Detach()) {}
    CImageListManaged& operator=(CImageListManaged&& other) noexcept
    {
        if (this != &other) {
            DeleteImageList();
            m_hImageList = other.Detach();
        }
        return *this;
    }
    ~CImageListManaged() override { DeleteImageList(); }
};
