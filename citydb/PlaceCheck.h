#pragma once

#include <afx/CString.h>

// The values of the place editor as its fields hold them, with the checks its OK makes, so
// that the editor and the command-line tool refuse the same places with the same text.
class CPlaceFields {
public:
    // Trims m_strName in place, then makes the editor's ten checks in order and returns the
    // message of every failed one, each ending in a line feed; empty when all pass. A name the
    // city list cannot hold (CityNameRefusal) is refused right after the empty name would be.
    CString Check();

    CString m_strName;
    int m_nLonDeg = 0;
    int m_nLonMin = 0;
    double m_dLonSec = 0.0;
    int m_nLatDeg = 0;
    int m_nLatMin = 0;
    double m_dLatSec = 0.0;
    double m_dAlt = 0.0;  // metres
    int m_nTzHour = 0;
    int m_nTzMin = 0;
};
