#include "AfxInternal.h"

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    if (m_h) return FALSE;
    HINSTANCE h = AfxFindResourceHandle(MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (!h) return FALSE;
    return Attach(::LoadBitmapW(h, MAKEINTRESOURCEW(nIDResource)));
}
