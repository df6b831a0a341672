#include <host/CCorZelMap.h>

const CLSID CLSID_CorZelMap = {0x5c1d2e7a, 0x3b84, 0x4f0c,
                               {0x9a, 0x61, 0x7e, 0x2b, 0x4d, 0x0c, 0x9f, 0x13}};

namespace {
const BYTE kR8R8[] = VTS_R8 VTS_R8;
const BYTE kPR8PR8[] = VTS_PR8 VTS_PR8;
const BYTE kR8[] = VTS_R8;
const BYTE kBool[] = VTS_BOOL;
const BYTE kBstr[] = VTS_BSTR;
const BYTE kI4[] = VTS_I4;
const BYTE kUI4[] = VTS_UI4;
const BYTE kUI8[] = VTS_UI8;
}  // namespace

BOOL CCorZelMap::Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID)
{
    return CreateControl(CLSID_CorZelMap, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

void CCorZelMap::SetCenter(double lng, double lat)
{
    InvokeHelper(DISPID_SET_CENTER, DISPATCH_METHOD, VT_EMPTY, nullptr, kR8R8, lng, lat);
}

void CCorZelMap::GetCenter(double* pLng, double* pLat)
{
    // Through locals, so that a failing call leaves the caller's values as they were.
    double lng = pLng ? *pLng : 0.0;
    double lat = pLat ? *pLat : 0.0;
    InvokeHelper(DISPID_GET_CENTER, DISPATCH_METHOD, VT_EMPTY, nullptr, kPR8PR8, &lng, &lat);
    if (FAILED(GetLastInvokeResult()))
        return;
    if (pLng)
        *pLng = lng;
    if (pLat)
        *pLat = lat;
}

void CCorZelMap::SetObsPosition(double lng, double lat)
{
    InvokeHelper(DISPID_SET_OBS_POSITION, DISPATCH_METHOD, VT_EMPTY, nullptr, kR8R8, lng, lat);
}

void CCorZelMap::Redraw()
{
    InvokeHelper(DISPID_REDRAW, DISPATCH_METHOD, VT_EMPTY, nullptr,
                 reinterpret_cast<const BYTE*>(VTS_NONE));
}

void CCorZelMap::SetMag(double mag)
{
    InvokeHelper(DISPID_SET_MAG, DISPATCH_METHOD, VT_EMPTY, nullptr, kR8, mag);
}

void CCorZelMap::SetShowGrid(BOOL bShow)
{
    InvokeHelper(DISPID_SHOW_GRID, DISPATCH_METHOD, VT_EMPTY, nullptr, kBool, bShow);
}

void CCorZelMap::SetCityFileExists(BOOL bExists)
{
    InvokeHelper(DISPID_CITY_FILE_EXISTS, DISPATCH_METHOD, VT_EMPTY, nullptr, kBool, bExists);
}

void CCorZelMap::SetShowLandmarks(BOOL bShow)
{
    InvokeHelper(DISPID_SHOW_LANDMARKS, DISPATCH_METHOD, VT_EMPTY, nullptr, kBool, bShow);
}

void CCorZelMap::SetCityFile(LPCTSTR path)
{
    InvokeHelper(DISPID_SET_CITY_FILE, DISPATCH_METHOD, VT_EMPTY, nullptr, kBstr,
                 path ? path : L"");
}

long CCorZelMap::GetLandmarkClassCount()
{
    long n = 0;
    InvokeHelper(DISPID_LANDMARK_CLASS_COUNT, DISPATCH_METHOD, VT_I4, &n,
                 reinterpret_cast<const BYTE*>(VTS_NONE));
    return n < 0 ? 0 : n;
}

void CCorZelMap::SetLandmarkFlags(ULONGLONG address)
{
    InvokeHelper(DISPID_SET_LANDMARK_FLAGS, DISPATCH_METHOD, VT_EMPTY, nullptr, kUI8, address);
}

CString CCorZelMap::GetLandmarkClassName(long index)
{
    CString name;
    InvokeHelper(DISPID_LANDMARK_CLASS_NAME, DISPATCH_METHOD, VT_BSTR, &name, kI4, index);
    return name;
}

void CCorZelMap::SetCityFileChanged(BOOL bChanged)
{
    InvokeHelper(DISPID_CITY_FILE_CHANGED, DISPATCH_METHOD, VT_EMPTY, nullptr, kBool, bChanged);
}

void CCorZelMap::SetFireEvents(BOOL bFire)
{
    InvokeHelper(DISPID_FIRE_EVENTS, DISPATCH_METHOD, VT_EMPTY, nullptr, kBool, bFire);
}

void CCorZelMap::SetEclipsePath(LPCTSTR data)
{
    InvokeHelper(DISPID_SET_ECLIPSE_PATH, DISPATCH_METHOD, VT_EMPTY, nullptr, kBstr,
                 data ? data : L"");
}

void CCorZelMap::SetApplyBessel(BOOL bApply)
{
    InvokeHelper(DISPID_APPLY_BESSEL, DISPATCH_METHOD, VT_EMPTY, nullptr, kBool, bApply);
}

void CCorZelMap::SetEclipsePathColor(ULONG color)
{
    InvokeHelper(DISPID_SET_ECLIPSE_COLOR, DISPATCH_METHOD, VT_EMPTY, nullptr, kUI4, color);
}
