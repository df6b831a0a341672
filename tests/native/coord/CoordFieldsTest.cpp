#include <citydb/CoordFields.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(CoordFields, SplitAngleCarriesRoundedSeconds)
{
    struct Case {
        const char* fault;
        double value;
        int maxDeg;
        int deg, min;
        double sec;
    };
    const Case cases[] = {
        {"plain split", 139.691772, 180, 139, 41, 30.4},
        {"seconds rounding to 60.0 not carried", 10.99999, 180, 11, 0, 0.0},
        {"carry past the body's maximum", 179.99999, 180, 180, 0, 0.0},
        {"carry on a 360 degree body", 250.99999, 360, 251, 0, 0.0},
        {"carry to a whole turn", 359.999999, 360, 360, 0, 0.0},
        {"carry beyond the maximum not capped", 180.99999, 180, 180, 0, 0.0},
        {"carry reaches 90 degrees of latitude", 89.9999999, 90, 90, 0, 0.0},
        {"zero", 0.0, 90, 0, 0, 0.0},
        {"not a number gives zeros", std::numeric_limits<double>::quiet_NaN(), 90, 0, 0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const CAngleParts parts = SplitAngle(c.value, c.maxDeg);
        EXPECT_EQ(parts.nDeg, c.deg);
        EXPECT_EQ(parts.nMin, c.min);
        EXPECT_NEAR(parts.dSec, c.sec, 1e-9);
    }
}

TEST(CoordFields, TimeZoneParts)
{
    struct Case {
        const char* fault;
        double tz;
        int sign, hour, min;
    };
    const Case cases[] = {
        {"east zone", 9.0, 0, 9, 0},
        {"half hour", 5.5, 0, 5, 30},
        {"west zone sign", -3.5, 1, 3, 30},
        {"minutes rounded, not truncated", 5.0 + 44.9999 / 60.0, 0, 5, 45},
        {"zero is plus", 0.0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const CTzParts parts = SplitTimeZone(c.tz);
        EXPECT_EQ(parts.nSign, c.sign);
        EXPECT_EQ(parts.nHour, c.hour);
        EXPECT_EQ(parts.nMin, c.min);
    }
}

TEST(CoordFields, SliderScale)
{
    EXPECT_DOUBLE_EQ(SliderPosToViewAngle(0), 2.0);
    EXPECT_DOUBLE_EQ(SliderPosToMag(0), 1.0);
    EXPECT_DOUBLE_EQ(SliderPosToViewAngle(200), 180.0);
    EXPECT_DOUBLE_EQ(SliderPosToMag(200), 0.0);
    EXPECT_NEAR(SliderPosToViewAngle(100), 30.0, 0.1);
    EXPECT_DOUBLE_EQ(SliderPosToMag(100), 0.5);
    // A stored position outside the trackbar never gives a magnification outside 0..1.
    EXPECT_DOUBLE_EQ(SliderPosToMag(-50), 1.0);
    EXPECT_DOUBLE_EQ(SliderPosToMag(500), 0.0);
}

TEST(CoordFields, MagnificationFromTheMap)
{
    struct Case {
        const char* fault;
        double mag;
        bool ok;
        int pos;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"whole turn", 1.0, true, 0},
        {"view of 91 degrees", 180.0 / 91.0, true, 45},
        {"view under 2 degrees read past the end", 1000.0, true, 200},
        {"view over 180 degrees read past the end", 0.5, true, 0},
        {"zero divides by zero", 0.0, false, -1},
        {"negative", -2.0, false, -1},
        {"not a number", nan, false, -1},
        {"infinite", inf, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        double dViewAngle = -1.0;
        int nPos = -1;
        EXPECT_EQ(MagToSliderPos(c.mag, dViewAngle, nPos), c.ok);
        EXPECT_EQ(nPos, c.pos);
        if (c.ok) {
            EXPECT_GE(nPos, 0);
            EXPECT_LE(nPos, 200);
            EXPECT_DOUBLE_EQ(dViewAngle, 180.0 / c.mag);
        }
    }
}

TEST(CoordFields, EclipseColourReply)
{
    struct Case {
        const char* fault;
        const wchar_t* reply;
        unsigned colour;
    };
    const Case cases[] = {
        {"red green blue order", L"RGB(255, 128, 0)", 0x000080FFu},
        {"blue in the high byte", L"RGB(1, 2, 3)", 0x00030201u},
        {"several blanks and commas", L"RGB(10,,  20 ,, 30)", 0x001E140Au},
        {"only the low 8 bits", L"RGB(256, 257, 511)", 0x00FF0100u},
        {"empty reply", L"", 0u},
        {"short reply", L"RGB", 0u},
        {"null reply", nullptr, 0u},
        {"no separators", L"RGB(12)", 0x000C0000u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(ParseEclipseColor(c.reply), c.colour);
    }
}
