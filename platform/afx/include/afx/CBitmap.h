#pragma once

#include <afx/afxdefs.h>
#include <afx/CGdiObject.h>

// A bitmap; the city list's image lists are made from these.
class AFX_API CBitmap : public CGdiObject<HBITMAP> {
public:
    // Through the resource chain. FALSE when not found or this wrapper already holds one.
    BOOL LoadBitmap(UINT nIDResource);
    BOOL GetBitmap(BITMAP* pBitMap) const { return ::GetObjectW(m_h, sizeof(BITMAP), pBitMap) != 0; }
};
