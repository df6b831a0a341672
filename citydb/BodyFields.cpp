#include <citydb/BodyFields.h>

bool IsSignedLngBody(int nBody) { return nBody == 1 || nBody == 4; }

int LngMaxDeg(int nBody) { return IsSignedLngBody(nBody) ? 180 : 360; }

void SetBodyLng(CCoordFields& fields, double dLng, int nBody)
{
    double dShown = dLng;
    if (nBody == 0 || nBody == 3) {
        fields.nEastWest = 0;
    } else if (IsSignedLngBody(nBody)) {
        fields.nEastWest = dLng >= 0.0 && dLng <= 180.0 ? 0 : 1;
        if (fields.nEastWest == 1)
            dShown = 360.0 - dLng;
    } else {
        fields.nEastWest = 1;
    }
    const CAngleParts parts = SplitAngle(dShown, LngMaxDeg(nBody));
    fields.nLngDeg = parts.nDeg;
    fields.nLngMin = parts.nMin;
    fields.dLngSec = parts.dSec;
}

double BodyLng(const CCoordFields& fields, int nBody)
{
    return CombineAngle(fields.nLngDeg, fields.nLngMin, fields.dLngSec, IsSignedLngBody(nBody) ? fields.nEastWest : 0);
}

double AltShown(double dMetres, bool bSmallBody) { return bSmallBody ? dMetres : dMetres / 1000.0; }

double AltMetres(double dShown, bool bSmallBody) { return bSmallBody ? dShown : dShown * 1000.0; }

double AltLowest(bool bSmallBody) { return bSmallBody ? -9999.0 : 0.0; }

const wchar_t* AltUnit(bool bSmallBody) { return bSmallBody ? L"m" : L"km"; }
