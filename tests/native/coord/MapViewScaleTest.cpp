#include <citydb/MapViewScale.h>

#include <gtest/gtest.h>

#include <limits>

TEST(MapViewScale, SliderScale)
{
    EXPECT_DOUBLE_EQ(SliderPosToViewAngle(0), 2.0);
    EXPECT_DOUBLE_EQ(SliderPosToViewAngle(200), 180.0);
    EXPECT_NEAR(SliderPosToViewAngle(100), 30.0, 0.1);
    EXPECT_DOUBLE_EQ(SliderPosToMag(0), 1.0);
    EXPECT_DOUBLE_EQ(SliderPosToMag(100), 0.5);
    EXPECT_DOUBLE_EQ(SliderPosToMag(200), 0.0);
    // A stored position outside the trackbar never gives a magnification outside 0..1.
    EXPECT_DOUBLE_EQ(SliderPosToMag(-50), 1.0);
    EXPECT_DOUBLE_EQ(SliderPosToMag(500), 0.0);
}

// The map's report of a 91 degree view and of none at all (zero) are the location dialog's map
// tests' (DlgObsMap), as is the colour of a plain reply.
TEST(MapViewScale, MagnificationFromTheMap)
{
    const struct { const char* fault; double mag; bool ok; int pos; } cases[] = {
        {"whole turn", 1.0, true, 0},
        {"view under 2 degrees read past the end", 1000.0, true, 200},
        {"view over 180 degrees read past the end", 0.5, true, 0},
        {"negative", -2.0, false, -1},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), false, -1},
        {"infinite", std::numeric_limits<double>::infinity(), false, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        double dViewAngle = -1.0;
        int nPos = -1;
        EXPECT_EQ(MagToSliderPos(c.mag, dViewAngle, nPos), c.ok);
        EXPECT_EQ(nPos, c.pos);
        EXPECT_DOUBLE_EQ(dViewAngle, c.ok ? 180.0 / c.mag : -1.0);
    }
}

TEST(MapViewScale, EclipseColourReply)
{
    const struct { const char* fault; const wchar_t* reply; unsigned colour; } cases[] = {
        {"several blanks and commas", L"RGB(10,,  20 ,, 30)", 0x001E140Au},
        {"only the low 8 bits", L"RGB(256, 257, 511)", 0x00FF0100u},
        {"empty reply", L"", 0u},
        {"short reply", L"RGB", 0u},
        {"null reply", nullptr, 0u},
        {"no separators", L"RGB(12)", 0x000C0000u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseEclipseColor(c.reply), c.colour) << c.fault;
}
