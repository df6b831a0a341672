#pragma once

#include <afx/afxdefs.h>

// Owns one bitmap, deleted with the wrapper; move-only. The city list's image lists are made
// from these.
class AFX_API CBitmap {
public:
    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    CBitmap(CBitmap&& other) noexcept : m_hBitmap(other.Detach()) {}
    CBitmap& operator=(CBitmap&& other) noexcept;
    ~CBitmap() { DeleteObject(); }

    operator HBITMAP() const { return m_hBitmap; }
    HBITMAP GetSafeHandle() const { return m_hBitmap; }
    // FALSE when this wrapper already holds a bitmap or the handle is null.
    BOOL Attach(HBITMAP hBitmap);
    HBITMAP Detach();
    // FALSE when there is nothing to delete.
    BOOL DeleteObject();

    // Through the resource chain. FALSE when not found or this wrapper already holds one.
    BOOL LoadBitmap(UINT nIDResource);
    BOOL GetBitmap(BITMAP* pBitMap) const { return ::GetObjectW(m_hBitmap, sizeof(BITMAP), pBitMap) != 0; }

private:
    HBITMAP m_hBitmap = nullptr;
};
