#include <vrkcom/CCommonCoordFormat.h>

#include <cmath>

namespace {

// The signed number of tenths of a second of arc that the fields show for deg: the same split as
// the fields, whole degrees, whole minutes, tenths of a second rounded half up; a carry of 600
// tenths goes into the minutes.
long long DegToTenthSeconds(double deg)
{
    const double v = std::fabs(deg);
    const double d = std::floor(v);
    const double m = (v - d) * 60.0;
    const double mi = std::floor(m);
    const double tenths = std::floor((m - mi) * 60.0 * 10.0 + 0.5);
    const long long total = static_cast<long long>(d) * 36000 + static_cast<long long>(mi) * 600
                            + static_cast<long long>(tenths);
    return deg < 0 ? -total : total;
}

}  // namespace

BOOL CCommonCoordFormat::IsEqualDeg(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return a == b;
    // Beyond this no angle is shown in tenths of a second without overflow; compare as doubles.
    if (std::fabs(a) > 1e12 || std::fabs(b) > 1e12)
        return a == b;
    return DegToTenthSeconds(a) == DegToTenthSeconds(b);
}

BOOL CCommonCoordFormat::IsEqualAlt(double a, double b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return a == b;
    // nearbyint rounds ties to even in the default mode, as "%.0f" does.
    return std::nearbyint(a) == std::nearbyint(b);
}
