#pragma once

#include <citydb/ICityTree.h>

#include <afx/CString.h>

// A place. The name that is shown and written is the tree item's text, not m_strName.
class CCityList {
public:
    HCITYITEM m_hItem = nullptr;
    int m_nTag = 0;         // folder record that held the place when it was read
    CString m_strName;      // as read; empty for places added later
    double m_dLon = 0.0;    // degrees, east positive
    double m_dLat = 0.0;    // degrees, north positive
    double m_dAlt = 0.0;    // metres
    double m_dTz = 0.0;     // hours, east of Greenwich positive
    int m_nAltFlag = 0;
    int m_nUser = 0;
    int m_nType = 0;        // index in the map control's list of landmark kinds
};
