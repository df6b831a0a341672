#pragma once

#include <afx/afxdefs.h>

// Points, sizes and rectangles over the Win32 structures, so they pass wherever the API takes
// a POINT*, SIZE* or RECT*.
class CSize : public SIZE {
public:
    CSize() noexcept { cx = 0; cy = 0; }
    CSize(int x, int y) noexcept { cx = x; cy = y; }
    CSize(SIZE s) noexcept { cx = s.cx; cy = s.cy; }
    bool operator==(SIZE s) const noexcept { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const noexcept { return !(*this == s); }
};

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
    void Offset(int dx, int dy) noexcept { x += dx; y += dy; }
    void Offset(POINT p) noexcept { Offset(p.x, p.y); }
    bool operator==(POINT p) const noexcept { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const noexcept { return !(*this == p); }
    CPoint operator+(POINT p) const noexcept { return CPoint(x + p.x, y + p.y); }
    CPoint operator-(POINT p) const noexcept { return CPoint(x - p.x, y - p.y); }
    CPoint operator+(SIZE s) const noexcept { return CPoint(x + s.cx, y + s.cy); }
    CPoint operator-(SIZE s) const noexcept { return CPoint(x - s.cx, y - s.cy); }
    CPoint& operator+=(POINT p) noexcept { Offset(p); return *this; }
    CPoint& operator-=(POINT p) noexcept { Offset(-p.x, -p.y); return *this; }
};

class CRect : public RECT {
public:
    CRect() noexcept { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& rc) noexcept { left = rc.left; top = rc.top; right = rc.right; bottom = rc.bottom; }
    CRect(POINT p, SIZE s) noexcept { left = p.x; top = p.y; right = p.x + s.cx; bottom = p.y + s.cy; }
    CRect(POINT topLeft, POINT bottomRight) noexcept
    {
        left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y;
    }
    CRect& operator=(const RECT& rc) noexcept
    {
        left = rc.left; top = rc.top; right = rc.right; bottom = rc.bottom;
        return *this;
    }

    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    CPoint TopLeft() const noexcept { return CPoint(left, top); }
    CPoint BottomRight() const noexcept { return CPoint(right, bottom); }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }

    BOOL IsRectEmpty() const noexcept { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const noexcept { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT p) const noexcept { return ::PtInRect(this, p); }
    void SetRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() noexcept { left = top = right = bottom = 0; }
    void OffsetRect(int dx, int dy) noexcept { ::OffsetRect(this, dx, dy); }
    void OffsetRect(POINT p) noexcept { ::OffsetRect(this, p.x, p.y); }
    void InflateRect(int dx, int dy) noexcept { ::InflateRect(this, dx, dy); }
    void DeflateRect(int dx, int dy) noexcept { ::InflateRect(this, -dx, -dy); }
    void NormalizeRect() noexcept
    {
        if (left > right) { LONG t = left; left = right; right = t; }
        if (top > bottom) { LONG t = top; top = bottom; bottom = t; }
    }
    // FALSE (and an empty rectangle) when the two do not overlap.
    BOOL IntersectRect(LPCRECT a, LPCRECT b) noexcept { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(LPCRECT a, LPCRECT b) noexcept { return ::UnionRect(this, a, b); }
    bool operator==(const RECT& rc) const noexcept { return ::EqualRect(this, &rc) != 0; }
    bool operator!=(const RECT& rc) const noexcept { return !(*this == rc); }
};
