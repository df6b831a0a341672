#include "CDemoMapView.h"

#include "DemoSay.h"

#include <citydb/CCityData.h>
#include <citydb/CMemTree.h>
#include <standin/CStandInMap.h>
#include <vrkcom/CCommonFile.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The sea of the plain field, and the sky beyond the poles.
const COLORREF kField = RGB(0x1C, 0x3A, 0x5E);

// The last call with a dispatch id, or null.
const StandInMapCall* LastCall(const CStandInMap& map, DISPID id)
{
    for (auto it = map.m_calls.rbegin(); it != map.m_calls.rend(); ++it)
        if (it->id == id)
            return &*it;
    return nullptr;
}

double Wrap180(double d)
{
    d = std::fmod(d + 180.0, 360.0);
    return (d < 0 ? d + 360.0 : d) - 180.0;
}

// A colour as a 32-bit DIB keeps it: 0x00RRGGBB.
std::uint32_t DibColour(COLORREF c)
{
    return static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

// a and b mixed, b weighing w out of 256; red and blue move together, their sums fit 32 bits.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t w)
{
    const std::uint32_t rb = ((a & 0xFF00FFu) * (256 - w) + (b & 0xFF00FFu) * w) >> 8;
    const std::uint32_t g = ((a & 0x00FF00u) * (256 - w) + (b & 0x00FF00u) * w) >> 8;
    return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

// The two pixels of a row or column of n that a position between pixel centres falls between,
// and the second's weight out of 256; a row wraps round, a column stops at its ends.
struct Tap {
    int i0, i1;
    std::uint32_t w;
};

Tap TapAt(double pos, int n, bool wrap)
{
    const double first = std::floor(pos);
    const auto w = static_cast<std::uint32_t>((pos - first) * 256.0);
    const long long i = static_cast<long long>(first);
    if (wrap) {
        const int i0 = static_cast<int>(((i % n) + n) % n);
        return {i0, (i0 + 1) % n, w};
    }
    return {static_cast<int>(std::clamp<long long>(i, 0, n - 1)),
            static_cast<int>(std::clamp<long long>(i + 1, 0, n - 1)), w};
}

}  // namespace

CPoint CDemoMapView::Projection::ToClient(double lng, double lat) const
{
    return CPoint(static_cast<int>(std::floor(x0 + Wrap180(lng - lng0) * scale)),
                  static_cast<int>(std::floor(y0 - (lat - lat0) * scale)));
}

void CDemoMapView::Projection::ToLngLat(double x, double y, double& lng, double& lat) const
{
    lng = lng0 + (x - x0) / scale;
    lat = lat0 - (y - y0) / scale;
}

BOOL CDemoMapView::LoadEarth(const CString& path)
{
    m_strEarthFile = path;
    m_earth.clear();
    CBitmap bmp;
    bmp.Attach(static_cast<HBITMAP>(::LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0,
                            LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP bm = {};
    Raster full;
    bool ok = bmp.GetSafeHandle() && bmp.GetBitmap(&bm) && bm.bmWidth > 0 && bm.bmHeight > 0;
    if (ok) {
        full.width = bm.bmWidth;
        full.height = bm.bmHeight;
        full.px.resize(static_cast<size_t>(full.width) * full.height);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = full.width;
        bi.bmiHeader.biHeight = -full.height;  // top row first
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        const HDC screen = ::GetDC(nullptr);
        ok = ::GetDIBits(screen, bmp, 0, full.height, full.px.data(), &bi, DIB_RGB_COLORS)
             == full.height;
        ::ReleaseDC(nullptr, screen);
    }
    if (!ok) {
        DemoSay(L"cannot read the picture of the Earth " + path + L"; the map shows a plain field");
        return FALSE;
    }
    m_earth.push_back(std::move(full));
    while (m_earth.back().width > 1 && m_earth.back().height > 1)
        m_earth.push_back(Half(m_earth.back()));
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return TRUE;
}

CDemoMapView::Raster CDemoMapView::Half(const Raster& r)
{
    Raster h;
    h.width = r.width / 2;
    h.height = r.height / 2;
    h.px.resize(static_cast<size_t>(h.width) * h.height);
    for (int y = 0; y < h.height; ++y) {
        const std::uint32_t* top = &r.px[static_cast<size_t>(2 * y) * r.width];
        const std::uint32_t* bottom = top + r.width;
        std::uint32_t* out = &h.px[static_cast<size_t>(y) * h.width];
        for (int x = 0; x < h.width; ++x, top += 2, bottom += 2)
            out[x] = Mix(Mix(top[0], top[1], 128), Mix(bottom[0], bottom[1], 128), 128);
    }
    return h;
}

BOOL CDemoMapView::Attach(CStandInMap* pMap, HWND hNotify)
{
    if (!pMap || !pMap->GetHwnd() || m_hWnd)
        return FALSE;
    if (!::SetWindowSubclass(pMap->GetHwnd(), &CDemoMapView::SubclassProc, 1,
                             reinterpret_cast<DWORD_PTR>(this)))
        return FALSE;
    m_pMap = pMap;
    m_hWnd = pMap->GetHwnd();
    m_hNotify = hNotify;
    if (m_strEarthFile.IsEmpty())
        LoadEarth(CCommonFile::GetModulePath(nullptr) + L"earth.bmp");
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return TRUE;
}

CDemoMapView::~CDemoMapView()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::RemoveWindowSubclass(m_hWnd, &CDemoMapView::SubclassProc, 1);
}

LRESULT CALLBACK CDemoMapView::SubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR data)
{
    auto* self = reinterpret_cast<CDemoMapView*>(data);
    switch (msg) {
    case WM_PAINT:
        self->OnPaint();
        return 0;
    case WM_LBUTTONUP:
        self->OnLButtonUp(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_NCDESTROY:
        // The map goes with its window.
        ::RemoveWindowSubclass(hWnd, &CDemoMapView::SubclassProc, 1);
        self->m_hWnd = nullptr;
        self->m_pMap = nullptr;
        break;
    }
    return ::DefSubclassProc(hWnd, msg, wParam, lParam);
}

void CDemoMapView::LoadPlaces(const CString& path)
{
    m_strCityFile = path;
    m_places.clear();
    CMemTree tree;
    CCityData data;
    data.m_pTree = &tree;
    data.m_strObsFile = path;
    data.LoadCityList();
    for (int i = 0; i < data.m_nCityNum; ++i) {
        const CCityList& c = data.m_aCity[i];
        CString name = c.m_strName;
        name.Trim();
        m_places.push_back({c.m_dLon, c.m_dLat, c.m_nType, name});
    }
}

bool CDemoMapView::Shown(const Place& p) const
{
    // Until the dialog has sent its flags every class is shown.
    const std::vector<int>& flags = m_pMap->m_landmarkFlags;
    if (flags.empty())
        return true;
    return p.type >= 0 && static_cast<size_t>(p.type) < flags.size() && flags[p.type] != 0;
}

double CDemoMapView::Span() const
{
    // Magnification 0 shows the whole world, 1 about 18 degrees.
    const StandInMapCall* mag = LastCall(*m_pMap, 9);
    double m = mag && !mag->args.empty() ? mag->args[0].d : 0.0;
    m = std::min(std::max(m, 0.0), 1.0);
    return 360.0 / (1.0 + 19.0 * m);
}

CDemoMapView::Projection CDemoMapView::Current(const CRect& rc) const
{
    return {m_pMap->m_settings.centerLng, m_pMap->m_settings.centerLat,
            rc.left + rc.Width() / 2.0, rc.top + rc.Height() / 2.0, rc.Width() / Span()};
}

void CDemoMapView::DrawEarth(HDC hdc, const CRect& rc, const Projection& proj) const
{
    const int w = rc.Width(), h = rc.Height();
    if (w <= 0 || h <= 0)
        return;
    // The smallest size still as fine as the screen: a wide view then averages the picture
    // instead of skipping most of its pixels.
    const double perPixel = m_earth.front().width / 360.0 / proj.scale;
    size_t level = 0;
    while (level + 1 < m_earth.size() && perPixel >= static_cast<double>(2u << level))
        ++level;
    const Raster& r = m_earth[level];

    // The projection is separable: each column has one longitude, each row one latitude.
    std::vector<Tap> cols(static_cast<size_t>(w)), rows(static_cast<size_t>(h));
    std::vector<bool> sky(static_cast<size_t>(h));
    double lng = 0, lat = 0;
    for (int x = 0; x < w; ++x) {
        proj.ToLngLat(rc.left + x + 0.5, proj.y0, lng, lat);
        cols[x] = TapAt((lng + 180.0) / 360.0 * r.width - 0.5, r.width, true);
    }
    for (int y = 0; y < h; ++y) {
        proj.ToLngLat(proj.x0, rc.top + y + 0.5, lng, lat);
        sky[y] = lat > 90.0 || lat < -90.0;
        rows[y] = TapAt((90.0 - lat) / 180.0 * r.height - 0.5, r.height, false);
    }

    std::vector<std::uint32_t> frame(static_cast<size_t>(w) * h, DibColour(kField));
    for (int y = 0; y < h; ++y) {
        if (sky[y])
            continue;
        const Tap& t = rows[y];
        const std::uint32_t* top = &r.px[static_cast<size_t>(t.i0) * r.width];
        const std::uint32_t* bottom = &r.px[static_cast<size_t>(t.i1) * r.width];
        std::uint32_t* out = &frame[static_cast<size_t>(y) * w];
        for (int x = 0; x < w; ++x) {
            const Tap& c = cols[x];
            out[x] = Mix(Mix(top[c.i0], top[c.i1], c.w), Mix(bottom[c.i0], bottom[c.i1], c.w), t.w);
        }
    }
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(hdc, rc.left, rc.top, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0,
                        0, static_cast<UINT>(h), frame.data(), &bi, DIB_RGB_COLORS);
}

void CDemoMapView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    Draw(hdc);
    ::EndPaint(m_hWnd, &ps);
}

void CDemoMapView::Draw(HDC hdc)
{
    if (!m_pMap)
        return;
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    const Projection proj = Current(rc);
    if (m_earth.empty()) {
        const CGdiObject<HBRUSH> field(::CreateSolidBrush(kField));
        ::FillRect(hdc, &rc, field);
    } else {
        DrawEarth(hdc, rc, proj);
    }

    // Graticule every 15 degrees, brighter at the equator and the prime meridian.
    const CGdiObject<HPEN> grid(::CreatePen(PS_SOLID, 1, RGB(0x3F, 0x6A, 0x94)));
    const CGdiObject<HPEN> axis(::CreatePen(PS_SOLID, 1, RGB(0x8F, 0xB8, 0xDE)));
    const HGDIOBJ oldPen = ::SelectObject(hdc, grid);
    for (int lng = -180; lng < 180; lng += 15) {
        ::SelectObject(hdc, lng == 0 ? axis : grid);
        CPoint a = proj.ToClient(lng, 90), b = proj.ToClient(lng, -90);
        ::MoveToEx(hdc, a.x, a.y, nullptr);
        ::LineTo(hdc, b.x, b.y);
    }
    for (int lat = -90; lat <= 90; lat += 15) {
        ::SelectObject(hdc, lat == 0 ? axis : grid);
        CPoint a = proj.ToClient(proj.lng0, lat);
        ::MoveToEx(hdc, rc.left, a.y, nullptr);
        ::LineTo(hdc, rc.right, a.y);
    }

    // The places of the city list the map was told about.
    const StandInMapCall* file = LastCall(*m_pMap, 20);
    if (file && !file->args.empty() && file->args[0].s != m_strCityFile)
        LoadPlaces(file->args[0].s);
    // Names only once the map is zoomed in far enough for them not to run into each other.
    const bool named = Span() < 60.0;
    std::vector<RECT> labels;
    const CGdiObject<HBRUSH> place(::CreateSolidBrush(RGB(0xF2, 0xD0, 0x6B)));
    HGDIOBJ oldFont = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, RGB(0xF2, 0xD0, 0x6B));
    for (const Place& p : m_places) {
        if (!Shown(p))
            continue;
        CPoint c = proj.ToClient(p.lng, p.lat);
        RECT dot = {c.x - 2, c.y - 2, c.x + 3, c.y + 3};
        ::FillRect(hdc, &dot, place);
        if (named && !p.name.IsEmpty()) {
            // A name that would run into one already written is left out.
            SIZE ext = {};
            ::GetTextExtentPoint32W(hdc, p.name.GetString(), p.name.GetLength(), &ext);
            const RECT box = {c.x + 5, c.y - 7, c.x + 5 + ext.cx, c.y - 7 + ext.cy};
            RECT overlap;
            bool free = true;
            for (const RECT& used : labels)
                free = free && !::IntersectRect(&overlap, &used, &box);
            if (free) {
                ::TextOutW(hdc, box.left, box.top, p.name.GetString(), p.name.GetLength());
                labels.push_back(box);
            }
        }
    }
    ::SelectObject(hdc, oldFont);

    // The eclipse path: "lng lat;lng lat;..." in the stand-in engine's reply.
    const StandInMapCall* path = LastCall(*m_pMap, 31);
    const StandInMapCall* color = LastCall(*m_pMap, 33);
    if (path && !path->args.empty() && !path->args[0].s.IsEmpty()) {
        const CGdiObject<HPEN> pen(::CreatePen(PS_SOLID, 2, color && !color->args.empty()
                                  ? static_cast<COLORREF>(color->args[0].n)
                                  : RGB(0xFF, 0x80, 0x00)));
        ::SelectObject(hdc, pen);
        CStringA text(path->args[0].s);
        bool first = true;
        for (const char* s = text.GetString(); *s;) {
            char* end = nullptr;
            double lng = std::strtod(s, &end);
            if (end == s)
                break;
            double lat = std::strtod(end, &end);
            CPoint pt = proj.ToClient(lng, lat);
            if (first)
                ::MoveToEx(hdc, pt.x, pt.y, nullptr);
            else
                ::LineTo(hdc, pt.x, pt.y);
            first = false;
            s = *end == ';' ? end + 1 : end;
        }
        ::SelectObject(hdc, grid);
    }

    // The observer's marker.
    const StandInMapCall* obs = LastCall(*m_pMap, 6);
    if (obs && obs->args.size() == 2) {
        CPoint c = proj.ToClient(obs->args[0].d, obs->args[1].d);
        const CGdiObject<HPEN> red(::CreatePen(PS_SOLID, 2, RGB(0xFF, 0x40, 0x40)));
        ::SelectObject(hdc, red);
        ::MoveToEx(hdc, c.x - 7, c.y, nullptr);
        ::LineTo(hdc, c.x + 8, c.y);
        ::MoveToEx(hdc, c.x, c.y - 7, nullptr);
        ::LineTo(hdc, c.x, c.y + 8);
        const HGDIOBJ oldBrush = ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
        ::Ellipse(hdc, c.x - 5, c.y - 5, c.x + 6, c.y + 6);
        ::SelectObject(hdc, oldBrush);
        ::SelectObject(hdc, grid);
    }
    ::SelectObject(hdc, oldPen);
}

BOOL CDemoMapView::PointOf(double lng, double lat, CPoint& pt) const
{
    if (!m_pMap)
        return FALSE;
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    pt = Current(rc).ToClient(lng, lat);
    return rc.PtInRect(pt);
}

void CDemoMapView::OnLButtonUp(CPoint point)
{
    if (!m_pMap)
        return;
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    double lng = 0, lat = 0;
    Current(rc).ToLngLat(point.x + 0.5, point.y + 0.5, lng, lat);
    lng = std::fmod(std::fmod(lng, 360.0) + 360.0, 360.0);
    lat = std::min(std::max(lat, -90.0), 90.0);
    m_pMap->FireSetObsPosition(lng, lat);
    if (m_hNotify)
        ::PostMessageW(m_hNotify, WM_DEMO_OBSERVER_CHANGED, 0, 0);
}
