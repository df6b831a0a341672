#include <citydb/CoordFields.h>

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

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
        {"not a number gives zeros", std::numeric_limits<double>::quiet_NaN(), 90, 0, 0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const CAngleParts parts = SplitAngle(c.value, c.maxDeg);
        EXPECT_EQ(parts.nDeg, c.deg);
        EXPECT_EQ(parts.nMin, c.min);
        EXPECT_NEAR(parts.dSec, c.sec, 1e-9);
    }
    EXPECT_NEAR(CombineAngle(139, 41, 30.4, 0), 139.691778, 1e-6);
    EXPECT_NEAR(CombineAngle(35, 41, 21.2, 1), -35.689222, 1e-6) << "the second choice negates";
}

TEST(CoordFields, TimeZoneSplitAndCombine)
{
    struct Case {
        const char* fault;
        double tz;
        int sign, hour, min;
    };
    const Case cases[] = {
        {"east zone", 9.0, 0, 9, 0},
        {"west zone sign", -3.5, 1, 3, 30},
        {"minutes rounded, not truncated", 5.0 + 44.9999 / 60.0, 0, 5, 45},
        {"60 minutes not carried (134.9 E local mean time)", 134.9 / 15.0, 0, 9, 0},
        {"60 minutes not carried, west", -(2.0 + 59.7 / 60.0), 1, 3, 0},
        {"a zone rounding to zero shown as minus", -0.001 / 15.0, 0, 0, 0},
        {"not a number gives zeros", std::numeric_limits<double>::quiet_NaN(), 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const CTzParts parts = SplitTimeZone(c.tz);
        EXPECT_EQ(parts.nSign, c.sign);
        EXPECT_EQ(parts.nHour, c.hour);
        EXPECT_EQ(parts.nMin, c.min);
    }
    EXPECT_DOUBLE_EQ(CombineTimeZone(3, 30, 1), -3.5);
    EXPECT_DOUBLE_EQ(CombineTimeZone(5, 45, 0), 5.75);
}

namespace {

using Rules = std::array<CFieldRule, kCoordFieldCount>;

Rules ObsRules(bool bSignedLng, double dAltLow)
{
    Rules rules{};
    for (int i = 0; i < kCoordFieldCount; ++i)
        rules[i] = ObsFieldRule(static_cast<CoordField>(i), bSignedLng, dAltLow);
    return rules;
}

const Rules kEarth = ObsRules(true, -9999.0);
const Rules kMars = ObsRules(false, -9999.0);
const Rules kJupiter = ObsRules(false, 0.0);
const CFieldRule* const kCity = kCityListFieldRules;
const CFieldRule* const kPlace = kPlaceEditorFieldRules;

// 139 41 30.4 east, 35 41 21.2 north, 39 m, +9 h 0 min.
CCoordFields Start()
{
    return CCoordFields{0, 139, 41, 30.4, 0, 35, 41, 21.2, 39.0, 0, 9, 0};
}

}  // namespace

// The shared check with rows of each dialog's table: the value a violation sets, the message
// it shows, and the latitude of 90 degrees.
TEST(FieldRules, TypedValueChecked)
{
    struct Case {
        const char* fault;
        const CFieldRule* rules;
        CoordField field;
        double typed;
        int latDeg;
        FieldCheck result;
        double shown;
        int latMin;
        double latSec;
        const wchar_t* message;  // null: the dialog formats it
    };
    using F = CoordField;
    const FieldCheck ok = FieldCheck::Accepted, fixed = FieldCheck::Corrected,
                     out = FieldCheck::OutOfRange;
    const Case cases[] = {
        {"location: longitude not clamped to the Earth's top", kEarth.data(), F::LngDeg, 200, 35, out,
         180, 41, 21.2, nullptr},
        {"location: a 360 degree body cut at 180", kMars.data(), F::LngDeg, 360, 35, ok, 360, 41, 21.2,
         nullptr},
        {"location: minutes clamped the wrong way", kEarth.data(), F::LngMin, -1, 35, out, 0, 41, 21.2,
         L"経度の分には 0 から 59 までの値を入力してください。"},
        {"location: seconds of 60 accepted", kEarth.data(), F::LngSec, 60, 35, out, 59.9, 41, 21.2,
         L"経度の秒には 0 から 59.9 までの値を入力してください。"},
        {"location: clamped up from below 0 kept the minutes", kEarth.data(), F::LatDeg, -5, 35, out, 0,
         0, 0.0, L"緯度の度には 0 から 90 までの値を入力してください。"},
        {"location: latitude minutes text", kEarth.data(), F::LatMin, 60, 35, out, 59, 59, 21.2,
         L"緯度の分には 0 から 59 までの値を入力してください。"},
        {"location: latitude seconds text", kEarth.data(), F::LatSec, -0.5, 35, out, 0, 41, 0.0,
         L"緯度の秒には 0 から 59.9 までの値を入力してください。"},
        {"location: minutes typed at the pole not zeroed", kEarth.data(), F::LatMin, 30, 90, fixed, 0, 0,
         0.0, nullptr},
        {"location: altitude below a kilometre body's 0", kJupiter.data(), F::Alt, -1, 35, out, 0, 41,
         21.2, nullptr},
        {"location: time-zone hours set to 0", kEarth.data(), F::TzHour, 15, 35, out, 14, 41, 21.2,
         L"タイムゾーンの時には 0 から 14 までの値を入力してください。"},
        {"city list: longitude degrees clamped instead of 0", kCity, F::LngDeg, 181, 35, out, 0, 41, 21.2,
         L"経度の度には 0 から 180 までの値を入力してください。"},
        {"city list: latitude above 90 not 90 with zeros", kCity, F::LatDeg, 91, 35, out, 90, 0, 0.0,
         L"緯度の度には 0 から 90 までの値を入力してください。"},
        {"city list: 90 typed keeps the minutes", kCity, F::LatDeg, 90, 90, fixed, 90, 0, 0.0, nullptr},
        {"city list: latitude minutes not to 59", kCity, F::LatMin, 60, 35, out, 59, 59, 21.2,
         L"緯度の分には 0 から 59 の値を入力してください。"},
        {"city list: altitude not to the nearer bound", kCity, F::Alt, 1000000, 35, out, 999999, 41, 21.2,
         L"標高には -9999 から 999999 までの値を入力してください。"},
        {"city list: time-zone hours text", kCity, F::TzHour, 15, 35, out, 0, 41, 21.2,
         L"タイムゾーンの時には 0 から14 までの値を入力してください。"},
        {"place editor: latitude above 90 not 0", kPlace, F::LatDeg, 91, 35, out, 0, 41, 21.2,
         L"緯度の度には 0 から 90 までの値を入力してください。"},
        {"place editor: pole rule where there is none", kPlace, F::LatMin, 30, 90, ok, 30, 30, 21.2,
         nullptr},
        {"place editor: seconds below 60 refused", kPlace, F::LngSec, 59.95, 35, ok, 59.95, 41, 21.2,
         nullptr},
        {"place editor: altitude below not to the crossed bound", kPlace, F::Alt, -10000, 35, out, -9999,
         41, 21.2, L"標高には -9999 から 999999 までの値を入力してください。"},
        {"place editor: time-zone minutes", kPlace, F::TzMin, 60, 35, out, 0, 41, 21.2,
         L"タイムゾーンの分には 0 から 59 までの値を入力してください。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const CFieldRule& rule = c.rules[static_cast<int>(c.field)];
        ASSERT_EQ(rule.field, c.field);
        CCoordFields fields = Start();
        fields.nLatDeg = c.latDeg;
        SetCoordField(fields, c.field, c.typed);
        EXPECT_EQ(CheckField(rule, fields), c.result);
        EXPECT_NEAR(GetCoordField(fields, c.field), c.shown, 1e-9);
        EXPECT_EQ(fields.nLatMin, c.latMin);
        EXPECT_NEAR(fields.dLatSec, c.latSec, 1e-9);
        if (c.result == FieldCheck::OutOfRange && c.message != nullptr) {
            ASSERT_NE(rule.pszMessage, nullptr);
            EXPECT_EQ(std::wstring(rule.pszMessage), c.message);
        } else if (c.result == FieldCheck::OutOfRange) {
            EXPECT_EQ(rule.pszMessage, nullptr);
        }
    }
}

// The shared up-down step with rows of each dialog's table.
TEST(FieldRules, UpDownStep)
{
    struct Case {
        const char* fault;
        const CFieldRule* rules;
        CoordField field;
        double start;
        int latDeg;
        int delta;
        double shown;
        int latMin;
        int eastWest;
    };
    using F = CoordField;
    const Case cases[] = {
        {"negative delta lowered", kEarth.data(), F::LngMin, 10, 35, -1, 11, 41, 0},
        {"positive delta raised", kCity, F::LngMin, 10, 35, 1, 9, 41, 0},
        {"zero delta stepped", kPlace, F::LngMin, 10, 35, 0, 10, 41, 0},
        {"minutes past 59", kEarth.data(), F::LngMin, 59, 35, -1, 59, 41, 0},
        {"location: past 180 not mirrored to the west", kEarth.data(), F::LngDeg, 180, 35, -1, 179, 41, 1},
        {"location: below 0 not mirrored to the west", kEarth.data(), F::LngDeg, 0, 35, 1, 1, 41, 1},
        {"location: past 360 not wrapped", kMars.data(), F::LngDeg, 360, 35, -1, 1, 41, 0},
        {"location: below 0 not wrapped", kMars.data(), F::LngDeg, 0, 35, 1, 359, 41, 0},
        {"city list: 180 stepped up changed hemisphere", kCity, F::LngDeg, 180, 35, -1, 180, 41, 0},
        {"seconds do not step a tenth", kCity, F::LngSec, 59.8, 35, -1, 59.9, 41, 0},
        {"seconds past 59.9", kEarth.data(), F::LatSec, 59.9, 35, -1, 59.9, 41, 0},
        {"seconds below 0", kPlace, F::LatSec, 0.0, 35, 1, 0.0, 41, 0},
        {"location: onto the pole kept the minutes", kEarth.data(), F::LatDeg, 89, 35, -1, 90, 0, 0},
        {"city list: below 0 kept the minutes", kCity, F::LatDeg, 0, 35, 1, 0, 0, 0},
        {"place editor: onto 90 zeroed the minutes", kPlace, F::LatDeg, 89, 35, -1, 90, 41, 0},
        {"minutes stepped at the pole", kCity, F::LatMin, 41, 90, -1, 0, 0, 0},
        {"altitude past the top", kPlace, F::Alt, 999999, 35, -1, 999999, 41, 0},
        {"altitude below a kilometre body's 0", kJupiter.data(), F::Alt, 0, 35, 1, 0, 41, 0},
        {"time-zone hours past 14", kCity, F::TzHour, 14, 35, -1, 14, 41, 0},
        {"time-zone minutes below 0", kEarth.data(), F::TzMin, 0, 35, 1, 0, 41, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CCoordFields fields = Start();
        fields.nLatDeg = c.latDeg;
        SetCoordField(fields, c.field, c.start);
        StepField(c.rules[static_cast<int>(c.field)], fields, c.delta);
        EXPECT_NEAR(GetCoordField(fields, c.field), c.shown, 1e-9);
        if (c.field != F::LatMin) {
            EXPECT_EQ(fields.nLatMin, c.latMin);
        }
        EXPECT_EQ(fields.nEastWest, c.eastWest);
    }
    // 599 steps of a tenth from 0 land on 59.9 exactly as the field shows it.
    CCoordFields fields = Start();
    fields.dLngSec = 0.0;
    for (int i = 0; i < 700; ++i)
        StepField(kCity[static_cast<int>(F::LngSec)], fields, -1);
    EXPECT_EQ(fields.dLngSec, 59.9);
}
