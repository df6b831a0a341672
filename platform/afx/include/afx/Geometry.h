#pragma once

#include <afx/afxdefs.h>

// Points and rectangles over the Win32 structures, so they pass wherever the API takes a POINT*
// or RECT*.
class CPoint : public POINT {
public:
    CPoint() noexcept { x = 0; y = 0; }
    CPoint(int ix, int iy) noexcept { x = ix; y = iy; }
    CPoint(POINT p) noexcept { x = p.x; y = p.y; }
    // From a mouse message's lParam (signed client coordinates).
    explicit CPoint(LPARAM dw) noexcept
    {
        x = static_cast<short>(LOWORD(dw));
        y = static_cast<short>(HIWORD(dw));
    }
    bool operator==(POINT p) const noexcept { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const noexcept { return !(*this == p); }
};

class CRect : public RECT {
public:
    CRect() noexcept { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& rc) noexcept { left = rc.left; top = rc.top; right = rc.right; bottom = rc.bottom; }

    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    BOOL PtInRect(POINT p) const noexcept { return ::PtInRect(this, p); }
    bool operator==(const RECT& rc) const noexcept { return ::EqualRect(this, &rc) != 0; }
    bool operator!=(const RECT& rc) const noexcept { return !(*this == rc); }
};
