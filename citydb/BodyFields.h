#pragma once

#include <citydb/CoordFields.h>

// What the body the observer stands on changes in the location dialog's fields.

// Bodies 1 (the Moon) and 4 (the Earth) have signed longitudes, east positive, up to 180
// either way; the others are shown unsigned, up to 360.
bool IsSignedLngBody(int nBody);
int LngMaxDeg(int nBody);
// The longitude fields of dLng (0 to 360, east): on a signed body east up to 180 and west
// beyond (as 360 - dLng); on bodies 0 and 3 east, on the others west, unsigned.
void SetBodyLng(CCoordFields& fields, double dLng, int nBody);
// The longitude the fields give: west negative on a signed body only.
double BodyLng(const CCoordFields& fields, int nBody);

// The altitude field is in metres on a small body, in kilometres on the others.
double AltShown(double dMetres, bool bSmallBody);
double AltMetres(double dShown, bool bSmallBody);
// The lowest altitude the field takes: -9999 m, or 0 km.
double AltLowest(bool bSmallBody);
const wchar_t* AltUnit(bool bSmallBody);
