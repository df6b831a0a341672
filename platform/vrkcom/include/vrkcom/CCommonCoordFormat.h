#pragma once

#include <vrkcom/vrkcomdefs.h>

// Equality as the user sees it: two values are equal when they show the same digits.
class VRKCOM_API CCommonCoordFormat {
public:
    // Angles in degrees, shown as degrees, minutes and seconds with one decimal (0.1 second of
    // arc), split and rounded as the location fields split them. NaN equals nothing.
    static BOOL IsEqualDeg(double a, double b);
    // Altitudes in metres, shown as whole metres ("%.0f": ties to even).
    static BOOL IsEqualAlt(double a, double b);
};
