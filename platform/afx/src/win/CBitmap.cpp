#include "AfxInternal.h"

CBitmap& CBitmap::operator=(CBitmap&& other) noexcept
{
    if (this != &other) {
        DeleteObject();
        m_hBitmap = other.Detach();
    }
    return *this;
}

BOOL CBitmap::Attach(HBITMAP hBitmap)
{
    if (m_hBitmap || !hBitmap) return FALSE;
    m_hBitmap = hBitmap;
    return TRUE;
}

HBITMAP CBitmap::Detach()
{
    HBITMAP h = m_hBitmap;
    m_hBitmap = nullptr;
    return h;
}

BOOL CBitmap::DeleteObject()
{
    if (!m_hBitmap) return FALSE;
    const BOOL ok = ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    return ok;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    if (m_hBitmap) return FALSE;
    HINSTANCE h = AfxFindResourceHandle(MAKEINTRESOURCEW(nIDResource), MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (!h) return FALSE;
    return Attach(::LoadBitmapW(h, MAKEINTRESOURCEW(nIDResource)));
}
