#pragma once

// The location dialog's map view in numbers: the zoom trackbar's scale and the engine's
// eclipse colour reply. Portable, so that they are tested natively.

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
