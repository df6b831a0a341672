#pragma once

#include <afx/afxwin.h>

#include <vector>

class CStandInMap;

// Draws the stand-in map control for a person: a graticule around the centre of projection,
// the places of the city list the map was given (the landmark classes switched on, named when
// the map is zoomed in), the eclipse path and the observer's marker.
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

    // Takes over the painting of the stand-in map's window; FALSE when there is none.
    BOOL Attach(CStandInMap* pMap, HWND hNotify = nullptr);
    // Clicks the map where it shows the point, as a person would; FALSE when it is not in view.
    BOOL ClickAt(double lng, double lat);

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
    // The visible longitude span in degrees at the map's current magnification.
    double Span() const;
    CPoint ToClient(double lng, double lat, const CRect& rc) const;
    void ToLngLat(CPoint pt, const CRect& rc, double& lng, double& lat) const;
    bool Shown(const Place& p) const;

    HWND m_hWnd = nullptr;
    HWND m_hNotify = nullptr;
    CStandInMap* m_pMap = nullptr;
    CString m_strCityFile;
    std::vector<Place> m_places;
};
