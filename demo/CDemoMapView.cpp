#include "CDemoMapView.h"

#include <citydb/CCityData.h>
#include <citydb/CMemTree.h>
#include <standin/CStandInMap.h>

#include <cmath>

namespace {

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

}  // namespace

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

CPoint CDemoMapView::ToClient(double lng, double lat, const CRect& rc) const
{
    const double span = Span();
    const double scale = rc.Width() / span;
    const double dx = Wrap180(lng - m_pMap->m_settings.centerLng);
    const double dy = lat - m_pMap->m_settings.centerLat;
    return CPoint(rc.left + rc.Width() / 2 + static_cast<int>(dx * scale),
                  rc.top + rc.Height() / 2 - static_cast<int>(dy * scale));
}

void CDemoMapView::ToLngLat(CPoint pt, const CRect& rc, double& lng, double& lat) const
{
    const double scale = rc.Width() / Span();
    lng = m_pMap->m_settings.centerLng + (pt.x - rc.left - rc.Width() / 2) / scale;
    lat = m_pMap->m_settings.centerLat - (pt.y - rc.top - rc.Height() / 2) / scale;
    lng = std::fmod(std::fmod(lng, 360.0) + 360.0, 360.0);
    lat = std::min(std::max(lat, -90.0), 90.0);
}

void CDemoMapView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    HBRUSH sea = ::CreateSolidBrush(RGB(0x1C, 0x3A, 0x5E));
    ::FillRect(hdc, &rc, sea);
    ::DeleteObject(sea);
    if (!m_pMap) {
        ::EndPaint(m_hWnd, &ps);
        return;
    }

    // Graticule every 15 degrees, brighter at the equator and the prime meridian.
    HPEN grid = ::CreatePen(PS_SOLID, 1, RGB(0x3F, 0x6A, 0x94));
    HPEN axis = ::CreatePen(PS_SOLID, 1, RGB(0x8F, 0xB8, 0xDE));
    for (int lng = -180; lng < 180; lng += 15) {
        ::SelectObject(hdc, lng == 0 ? axis : grid);
        CPoint a = ToClient(lng, 90, rc), b = ToClient(lng, -90, rc);
        ::MoveToEx(hdc, a.x, a.y, nullptr);
        ::LineTo(hdc, b.x, b.y);
    }
    for (int lat = -90; lat <= 90; lat += 15) {
        ::SelectObject(hdc, lat == 0 ? axis : grid);
        CPoint a = ToClient(m_pMap->m_settings.centerLng - 180, lat, rc);
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
    HBRUSH place = ::CreateSolidBrush(RGB(0xF2, 0xD0, 0x6B));
    HGDIOBJ oldFont = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, RGB(0xF2, 0xD0, 0x6B));
    for (const Place& p : m_places) {
        if (!Shown(p))
            continue;
        CPoint c = ToClient(p.lng, p.lat, rc);
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
    ::DeleteObject(place);

    // The eclipse path: "lng lat;lng lat;..." in the stand-in engine's reply.
    const StandInMapCall* path = LastCall(*m_pMap, 31);
    const StandInMapCall* color = LastCall(*m_pMap, 33);
    if (path && !path->args.empty() && !path->args[0].s.IsEmpty()) {
        HPEN pen = ::CreatePen(PS_SOLID, 2, color && !color->args.empty()
                                                ? static_cast<COLORREF>(color->args[0].n)
                                                : RGB(0xFF, 0x80, 0x00));
        ::SelectObject(hdc, pen);
        CStringA text(path->args[0].s);
        bool first = true;
        for (const char* s = text.GetString(); *s;) {
            char* end = nullptr;
            double lng = std::strtod(s, &end);
            if (end == s)
                break;
            double lat = std::strtod(end, &end);
            CPoint pt = ToClient(lng, lat, rc);
            if (first)
                ::MoveToEx(hdc, pt.x, pt.y, nullptr);
            else
                ::LineTo(hdc, pt.x, pt.y);
            first = false;
            s = *end == ';' ? end + 1 : end;
        }
        ::DeleteObject(pen);
    }

    // The observer's marker.
    const StandInMapCall* obs = LastCall(*m_pMap, 6);
    if (obs && obs->args.size() == 2) {
        CPoint c = ToClient(obs->args[0].d, obs->args[1].d, rc);
        HPEN red = ::CreatePen(PS_SOLID, 2, RGB(0xFF, 0x40, 0x40));
        ::SelectObject(hdc, red);
        ::MoveToEx(hdc, c.x - 7, c.y, nullptr);
        ::LineTo(hdc, c.x + 8, c.y);
        ::MoveToEx(hdc, c.x, c.y - 7, nullptr);
        ::LineTo(hdc, c.x, c.y + 8);
        ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
        ::Ellipse(hdc, c.x - 5, c.y - 5, c.x + 6, c.y + 6);
        ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
        ::DeleteObject(red);
    }
    ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    ::DeleteObject(grid);
    ::DeleteObject(axis);
    ::EndPaint(m_hWnd, &ps);
}

BOOL CDemoMapView::ClickAt(double lng, double lat)
{
    if (!m_pMap)
        return FALSE;
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    const CPoint pt = ToClient(lng, lat, rc);
    if (!rc.PtInRect(pt))
        return FALSE;
    ::SendMessageW(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::SendMessageW(m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    return TRUE;
}

void CDemoMapView::OnLButtonUp(CPoint point)
{
    if (!m_pMap)
        return;
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    double lng = 0, lat = 0;
    ToLngLat(point, rc, lng, lat);
    m_pMap->FireSetObsPosition(lng, lat);
    if (m_hNotify)
        ::PostMessageW(m_hNotify, WM_DEMO_OBSERVER_CHANGED, 0, 0);
}
