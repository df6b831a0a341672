#pragma once

// Small pure helpers of the location dialog: splitting angles into field triples, the zoom
// slider's scale and the eclipse colour reply. Portable, so that the city list dialog shares
// them and they are tested natively.

// Degrees, minutes and seconds as the fields show them: seconds rounded to tenths, 600 tenths
// carried into the minutes and 60 minutes into the degrees, the degrees then capped at nMaxDeg.
struct CAngleParts {
    int nDeg = 0;
    int nMin = 0;
    double dSec = 0.0;
};
CAngleParts SplitAngle(double dValue, int nMaxDeg);

// Hours and minutes of |tz| as the time-zone fields show them; nSign 1 when tz is negative.
struct CTzParts {
    int nSign = 0;
    int nHour = 0;
    int nMin = 0;
};
CTzParts SplitTimeZone(double dTz);

// Trackbar position 0..200 (detail at the top) to the view angle (2 to 180 degrees) and the
// magnification (1.0 to 0.0).
constexpr int kSliderMin = 0;
constexpr int kSliderMax = 200;
double SliderPosToViewAngle(int nPos);
double SliderPosToMag(int nPos);
// A magnification reported by the map to a trackbar position, kept within 0..200. False for a
// magnification that is not a positive finite number (nothing to show then).
bool MagToSliderPos(double dMag, double& dViewAngle, int& nPos);

// The colour in an eclipse colour reply: four characters, then red, green and blue as decimals
// separated by commas and blanks, the last closed by ")". Each part keeps its low 8 bits;
// 0x00BBGGRR.
unsigned ParseEclipseColor(const wchar_t* pszReply);
