#pragma once

#include <host/vrkhostdefs.h>
#include <afx/afxwin.h>

// Class id under which the host registers the world map control's factory.
// {5C1D2E7A-3B84-4F0C-9A61-7E2B4D0C9F13}
extern VRKHOST_API const CLSID CLSID_CorZelMap;

// The world map control, created in a dialog by CreateControl. Each method is one dispatch call
// (DISPATCH_METHOD); failures are not reported and leave results untouched.
class VRKHOST_API CCorZelMap : public CWnd {
public:
    enum {
        ID_MAP = 5002,
        DISPID_SET_CENTER = 4,          // R8 lng, R8 lat
        DISPID_GET_CENTER = 5,          // PR8 lng, PR8 lat
        DISPID_SET_OBS_POSITION = 6,    // R8 lng, R8 lat
        DISPID_REDRAW = 8,
        DISPID_SET_MAG = 9,             // R8
        DISPID_SHOW_GRID = 12,          // BOOL
        DISPID_CITY_FILE_EXISTS = 16,   // BOOL
        DISPID_SHOW_LANDMARKS = 18,     // BOOL
        DISPID_SET_CITY_FILE = 20,      // BSTR
        DISPID_LANDMARK_CLASS_COUNT = 22,  // -> I4
        DISPID_SET_LANDMARK_FLAGS = 23, // UI8
        DISPID_LANDMARK_CLASS_NAME = 25,   // I4 -> BSTR
        DISPID_CITY_FILE_CHANGED = 26,  // BOOL
        DISPID_FIRE_EVENTS = 29,        // BOOL
        DISPID_SET_ECLIPSE_PATH = 31,   // BSTR
        DISPID_APPLY_BESSEL = 32,       // BOOL
        DISPID_SET_ECLIPSE_COLOR = 33,  // UI4
        // Events sunk from the control.
        EVENT_SET_OBS_POSITION = 8,     // R8 lng, R8 lat
        EVENT_SET_MAG = 9,              // R8
    };

    // As CWnd::CreateControl with CLSID_CorZelMap; FALSE when no factory is registered for it.
    BOOL Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID = ID_MAP);

    void SetCenter(double lng, double lat);                   // 4
    void GetCenter(double* pLng, double* pLat);               // 5
    void SetObsPosition(double lng, double lat);              // 6
    void Redraw();                                            // 8
    void SetMag(double mag);                                  // 9
    void SetShowGrid(BOOL bShow);                             // 12
    void SetCityFileExists(BOOL bExists);                     // 16
    void SetShowLandmarks(BOOL bShow);                        // 18
    void SetCityFile(LPCTSTR path);                           // 20
    long GetLandmarkClassCount();                             // 22; 0 on failure
    void SetLandmarkFlags(ULONGLONG address);                 // 23: address of int[count]
    CString GetLandmarkClassName(long index);                 // 25; empty on failure
    void SetCityFileChanged(BOOL bChanged);                   // 26
    void SetFireEvents(BOOL bFire);                           // 29
    void SetEclipsePath(LPCTSTR data);                        // 31; empty hides the path
    void SetApplyBessel(BOOL bApply);                         // 32
    void SetEclipsePathColor(ULONG color);                    // 33: 0x00BBGGRR
};
