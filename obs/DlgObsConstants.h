#pragma once

// What the location dialog's files share: the host's messages, the registry's names and
// defaults, the bodies' names and the landmark flags.

#include "obs/CDlgObs.h"

#include <iterator>

namespace DlgObs {

inline constexpr UINT kMsgObsClosedMain = WM_USER + 1010;  // 2034, to the main window
inline constexpr UINT kMsgObsClosedParent = WM_USER + 1000;  // 2024, to the parent, lParam 7300
inline constexpr UINT kMsgCityDialogRuns = WM_USER + 701;  // 1725, to the main window: 1 runs, 0 ended
inline constexpr int kBodyEarth = 4;
inline constexpr int kFeatureCount = 8;
// Far more landmark classes than any map has; a larger count is taken for a broken reply.
inline constexpr int kMaxFeatureClasses = 4096;
inline constexpr LPCTSTR kAutoAltitudeProperty = _T("Solar.Planet.Earth.Landscape.AutoGetAltitude");

inline constexpr LPCTSTR kDefaultKey = _T("Default");
inline constexpr LPCTSTR kDefaultLocation = _T("location(139.691772, 35.689236, 39.000000)");
inline constexpr LPCTSTR kDefaultTimeZone = _T("9.000000");

// Display names of the bodies the observer can stand on, by location object.
inline constexpr LPCTSTR kBodyNames[] = {
    _T("太陽"),   _T("月"),     _T("水星"),   _T("金星"),   _T("地球"),     _T("火星"),     _T("木星"),   _T("土星"),
    _T("天王星"), _T("海王星"), _T("ケレス"), _T("冥王星"), _T("ハウメア"), _T("マケマケ"), _T("エリス"),
};

inline LPCTSTR BodyName(int nBody)
{
    return nBody >= 0 && nBody < static_cast<int>(std::size(kBodyNames)) ? kBodyNames[nBody] : _T("");
}

// The landmark flags in the map's class order (check boxes 7070 to 7077), with the registry
// value of each and its default.
struct CFeatureFlag {
    int CDlgObs::*pFlag;
    LPCTSTR pszName;
    int nDefault;
};
inline constexpr CFeatureFlag kFeatures[kFeatureCount] = {
    {&CDlgObs::m_bFeatureObs, _T("FeatureObs"), 1},
    {&CDlgObs::m_bFeatureCutcherry, _T("FeatureCutcherry"), 1},
    {&CDlgObs::m_bFeatureCity, _T("FeatureCity"), 1},
    {&CDlgObs::m_bFeatureAstro, _T("FeatureAstro"), 0},
    {&CDlgObs::m_bFeatureMount, _T("FeatureMount"), 0},
    {&CDlgObs::m_bFeatureNaturalTerrain, _T("FeatureNaturalTerrain"), 0},
    {&CDlgObs::m_bFeatureBuilding, _T("FeatureBuilding"), 0},
    {&CDlgObs::m_bFeatureOther, _T("FeatureOther"), 0},
};

}  // namespace DlgObs
