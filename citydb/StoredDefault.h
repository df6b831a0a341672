#pragma once

#include <afx/CString.h>

// The default place the location dialog keeps in the registry as text: "location(lon, lat, alt)",
// the engine's own location expression (west and south negative), and the time zone in hours.
// Another program, an older version or a hand edit can leave anything there.
struct CStoredDefault {
    double dLng = 0.0;
    double dLat = 0.0;
    double dAlt = 0.0;
    double dTz = 0.0;
};

// The limits a stored default keeps: the body's longitude maximum (either way), its altitude
// bounds; the latitude within 90 and the time zone within 14 hours either way.
struct CStoredDefaultLimits {
    double dLngMax = 180.0;
    double dAltLow = -9999.0;
    double dAltHigh = 999999.0;
};

// True when both texts are in their form ("location(" three numbers between commas ")", and one
// number) with finite values within the limits; out then holds them. Anything else is no
// stored default at all.
bool ParseStoredDefault(const CString& strLocation, const CString& strTz, const CStoredDefaultLimits& limits,
                        CStoredDefault& out);
