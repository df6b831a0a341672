#pragma once

#include <afx/afxwin.h>

#include <cstdint>
#include <vector>

class CStandInMap;

// Draws the stand-in map control for a person: a picture of the Earth (a plain field without
// one) under a graticule around the centre of projection, the places of the city list the map
// was given (the landmark classes switched on, named when the map is zoomed in), the eclipse
// path and the observer's marker.
// A click picks a point (event 8); the wheel over the map zooms it (event 9).
// The map window already belongs to the dialog's map wrapper, so the view hooks it with a
// window subclass of its own rather than a second framework object.
class CDemoMapView {
public:
    // Posted to the window given to Attach after a point has been picked on the map.
    enum { WM_DEMO_OBSERVER_CHANGED = WM_APP + 1 };

    CDemoMapView() = default;
    CDemoMapView(const CDemoMapView&) = delete;
    CDemoMapView& operator=(const CDemoMapView&) = delete;
    ~CDemoMapView();

    // Reads the picture of the Earth: a bitmap file, equirectangular, 180 degrees west at its
    // left edge and the north pole at its top. FALSE when it cannot be read: the map then shows
    // a plain field, and says so on standard error.
    BOOL LoadEarth(const CString& path);
    // Takes over the painting of the stand-in map's window; FALSE when there is none. Unless a
    // picture was loaded before, reads "earth.bmp" beside the executable.
    BOOL Attach(CStandInMap* pMap, HWND hNotify = nullptr);
    // Draws what the map's window shows into a device context of its client area's size.
    void Draw(HDC hdc);
    // The client pixel where the map shows the point; FALSE when it is not in view.
    BOOL PointOf(double lng, double lat, CPoint& pt) const;

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    void OnPaint();
    void OnLButtonUp(CPoint point);

    struct Place {
        double lng, lat;
        int type;
        CString name;
    };
    void LoadPlaces(const CString& path);
    bool Shown(const Place& p) const;

    // The map's plate carree: the centre of projection lies at the client point (x0, y0) and
    // a degree of longitude or latitude is `scale` pixels. Markers, clicks, the path and the
    // picture all go through it.
    struct Projection {
        double lng0, lat0, x0, y0, scale;
        // The pixel that holds the point, its longitude taken the short way round the centre.
        CPoint ToClient(double lng, double lat) const;
        // The point at client coordinates (a pixel's centre is half a pixel in).
        void ToLngLat(double x, double y, double& lng, double& lat) const;
    };
    // The visible longitude span in degrees at the map's current magnification.
    double Span() const;
    Projection Current(const CRect& rc) const;

    // One size of the picture, its pixels 0x00RRGGBB, top row first.
    struct Raster {
        int width = 0, height = 0;
        std::vector<std::uint32_t> px;
    };
    static Raster Half(const Raster& r);
    void DrawEarth(HDC hdc, const CRect& rc, const Projection& proj) const;

    HWND m_hWnd = nullptr;
    HWND m_hNotify = nullptr;
    CStandInMap* m_pMap = nullptr;
    CString m_strCityFile;
    std::vector<Place> m_places;
    // The picture at full size, then each level half the one before, for wide views.
    std::vector<Raster> m_earth;
    CString m_strEarthFile;  // the picture last read or tried
};
