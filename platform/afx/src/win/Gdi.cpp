#include "AfxInternal.h"

#include <memory>
#include <unordered_map>

// Lets the temporary maps mark their wrappers as not owning.
struct AfxGdiAccess {
    static void Borrow(CGdiObject& o, HGDIOBJ h)
    {
        o.m_hObject = h;
        o.m_bOwned = FALSE;
    }
};

namespace {

// Temporary wrappers by handle; they never delete their handles and are dropped only between
// messages (see PurgeGdiTemporaries), so a handler may use them for the whole message.
template <typename T, typename H>
std::unordered_map<H, std::unique_ptr<T>>& TemporaryMap()
{
    static std::unordered_map<H, std::unique_ptr<T>> map;
    return map;
}

template <typename T, typename H>
T* TemporaryGdi(H h)
{
    if (!h) return nullptr;
    auto& map = TemporaryMap<T, H>();
    auto it = map.find(h);
    if (it != map.end()) return it->second.get();
    auto p = std::make_unique<T>();
    AfxGdiAccess::Borrow(*p, h);
    T* raw = p.get();
    map.emplace(h, std::move(p));
    return raw;
}

template <typename T, typename H>
void Trim()
{
    auto& map = TemporaryMap<T, H>();
    if (map.size() > 32) map.clear();
}

}  // namespace

namespace afx_internal {

void PurgeGdiTemporaries()
{
    Trim<CBitmap, HBITMAP>();
    Trim<CBrush, HBRUSH>();
    Trim<CPen, HPEN>();
    Trim<CFont, HFONT>();
    Trim<CDC, HDC>();
}

}  // namespace afx_internal

CGdiObject::CGdiObject(CGdiObject&& other) noexcept
    : m_hObject(other.m_hObject), m_bOwned(other.m_bOwned)
{
    other.m_hObject = nullptr;
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other) {
        DeleteObject();
        m_hObject = other.m_hObject;
        m_bOwned = other.m_bOwned;
        other.m_hObject = nullptr;
    }
    return *this;
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (m_hObject || !hObject) return FALSE;
    m_hObject = hObject;
    m_bOwned = TRUE;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject) return FALSE;
    BOOL ok = m_bOwned ? ::DeleteObject(m_hObject) : TRUE;
    m_hObject = nullptr;
    m_bOwned = TRUE;
    return ok;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCEW(nIDResource));
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    if (m_hObject) return FALSE;
    HINSTANCE h = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (!h) return FALSE;
    return Attach(::LoadBitmapW(h, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(HDC hdc, int nWidth, int nHeight)
{
    if (m_hObject) return FALSE;
    return Attach(::CreateCompatibleBitmap(hdc, nWidth, nHeight));
}

CSize CBitmap::GetBitmapDimension() const
{
    BITMAP bm{};
    if (!GetBitmap(&bm)) return CSize();
    return CSize(bm.bmWidth, bm.bmHeight);
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return TemporaryGdi<CBitmap>(hBitmap);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    if (m_hObject) return FALSE;
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    if (m_hObject) return FALSE;
    // System colour brushes must not be deleted.
    HBRUSH h = ::GetSysColorBrush(nIndex);
    if (!h) return FALSE;
    AfxGdiAccess::Borrow(*this, h);
    return TRUE;
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return TemporaryGdi<CBrush>(hBrush);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (m_hObject) return FALSE;
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

CPen* CPen::FromHandle(HPEN hPen)
{
    return TemporaryGdi<CPen>(hPen);
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* lpLogFont)
{
    if (m_hObject || !lpLogFont) return FALSE;
    return Attach(::CreateFontIndirectW(lpLogFont));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, HDC hDC)
{
    if (m_hObject) return FALSE;
    HDC dc = hDC ? hDC : ::GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    if (lpszFaceName) wcsncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    // Tenths of a point to logical units: points * dpi / 72.
    lf.lfHeight = -MulDiv(nPointSize, ::GetDeviceCaps(dc, LOGPIXELSY), 720);
    if (!hDC) ::ReleaseDC(nullptr, dc);
    return CreateFontIndirect(&lf);
}

CFont* CFont::FromHandle(HFONT hFont)
{
    return TemporaryGdi<CFont>(hFont);
}

CDC::~CDC()
{
    if (m_hDC && m_bOwned) ::DeleteDC(m_hDC);
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (!hDC) return nullptr;
    auto& map = TemporaryMap<CDC, HDC>();
    auto it = map.find(hDC);
    if (it != map.end()) return it->second.get();
    auto p = std::make_unique<CDC>();
    p->m_hDC = hDC;
    CDC* raw = p.get();
    map.emplace(hDC, std::move(p));
    return raw;
}

BOOL CDC::Attach(HDC hDC)
{
    if (m_hDC || !hDC) return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = nullptr;
    m_bOwned = FALSE;
    return h;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rc{x, y, x + cx, y + cy};
    FillSolidRect(&rc, clr);
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC) return FALSE;
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    m_bOwned = m_hDC != nullptr;
    return m_hDC != nullptr;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC) return FALSE;
    BOOL ok = m_bOwned ? ::DeleteDC(m_hDC) : FALSE;
    m_hDC = nullptr;
    m_bOwned = FALSE;
    return ok;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    m_hDC = m_hWnd ? ::BeginPaint(m_hWnd, &m_ps) : nullptr;
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd && m_hDC) ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC()
{
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    m_hDC = ::GetWindowDC(m_hWnd);
}

CWindowDC::~CWindowDC()
{
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}
