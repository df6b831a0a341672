#pragma once

#include "obs/VrkObsApi.h"

// Small pure helpers of the location dialog: splitting angles into field triples, the zoom
// slider's scale and the eclipse colour reply. Exported so the tests can check them directly.

// Degrees, minutes and seconds as the fields show them: seconds rounded to tenths, 600 tenths
// carried into the minutes and 60 minutes into the degrees, the degrees then capped at nMaxDeg.
struct VRKOBS_API CAngleParts {
    int nDeg = 0;
    int nMin = 0;
    double dSec = 0.0;
};
VRKOBS_API CAngleParts SplitAngle(double dValue, int nMaxDeg);

// Hours and minutes of |tz| as the time-zone fields show them; nSign 1 when tz is negative.
struct VRKOBS_API CTzParts {
    int nSign = 0;
    int nHour = 0;
    int nMin = 0;
};
VRKOBS_API CTzParts SplitTimeZone(double dTz);

// Trackbar position 0..200 (detail at the top) to the view angle (2 to 180 degrees) and the
// magnification (1.0 to 0.0).
constexpr int kSliderMin = 0;
constexpr int kSliderMax = 200;
VRKOBS_API double SliderPosToViewAngle(int nPos);
VRKOBS_API double SliderPosToMag(int nPos);
// A magnification reported by the map to a trackbar position, kept within 0..200. False for a
// magnification that is not a positive finite number (nothing to show then).
VRKOBS_API bool MagToSliderPos(double dMag, double& dViewAngle, int& nPos);

// The colour in an eclipse colour reply: four characters, then red, green and blue as decimals
// separated by commas and blanks, the last closed by ")". Each part keeps its low 8 bits;
// 0x00BBGGRR.
VRKOBS_API unsigned ParseEclipseColor(const wchar_t* pszReply);
