#include <vrkcom/CCommonCoordFormat.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {
// One tenth of a second of arc, in degrees.
const double kTenth = 0.1 / 3600.0;
}  // namespace

TEST(CommonCoordFormat, IsEqualDegComparesTheShownTenthsOfASecond)
{
    struct Case {
        const char* fault;
        double a;
        double b;
        bool equal;
    } cases[] = {
        {"identical values differ", 139.691772, 139.691772, true},
        {"same shown tenth differs", 35.0 + 10.0 * kTenth, 35.0 + 10.4 * kTenth, true},
        {"naive epsilon: tiny gap across a rounding edge counts as equal",
         35.0 + 10.49 * kTenth, 35.0 + 10.51 * kTenth, false},
        {"one tenth apart counts as equal", 35.0, 35.0 + kTenth, false},
        {"naive epsilon: 0.09 s apart within one shown tenth differs",
         35.0 + 9.51 * kTenth, 35.0 + 10.49 * kTenth, true},
        {"carry into the next degree not seen", 10.99999, 11.0, true},
        {"carry into the next minute not seen", 10.0 + 59.99 / 3600.0, 10.0 + 1.0 / 60.0, true},
        {"sign ignored", -35.5, 35.5, false},
        {"south values compare wrong", -35.5, -35.5 - 0.4 * kTenth, true},
        {"0 and 360 equal", 0.0, 360.0, false},
        {"negative zero differs from zero", -0.0, 0.0, true},
        {"NaN equal to itself", NAN, NAN, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CCommonCoordFormat::IsEqualDeg(c.a, c.b) != FALSE, c.equal) << c.fault;
        EXPECT_EQ(CCommonCoordFormat::IsEqualDeg(c.b, c.a) != FALSE, c.equal) << c.fault << " (swapped)";
    }
}

TEST(CommonCoordFormat, IsEqualAltComparesWholeMetresAsShown)
{
    struct Case {
        const char* fault;
        double a;
        double b;
        bool equal;
    } cases[] = {
        {"same metre differs", 39.0, 39.4, true},
        {"naive epsilon: 0.2 m across the rounding edge is equal", 39.4, 39.6, false},
        {"naive epsilon: 0.9 m within one shown metre differs", 38.6, 39.49, true},
        {"tie not rounded to even like the display (40.5 shows 40)", 40.5, 40.0, true},
        {"tie not rounded to even like the display (41.5 shows 42)", 41.5, 42.0, true},
        {"ties 40.5 and 41.5 equal", 40.5, 41.5, false},
        {"negative altitudes compare wrong", -3.7, -4.2, true},
        {"one metre apart equal", 100.0, 101.0, false},
        {"NaN equal to itself", NAN, NAN, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CCommonCoordFormat::IsEqualAlt(c.a, c.b) != FALSE, c.equal) << c.fault;
        EXPECT_EQ(CCommonCoordFormat::IsEqualAlt(c.b, c.a) != FALSE, c.equal) << c.fault << " (swapped)";
    }
}
