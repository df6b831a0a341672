#include <citydb/BodyFields.h>
#include <citydb/CoordFields.h>

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdio>
#include <limits>
#include <string>

namespace {

const double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(CoordFields, SplitAngleCarriesRoundedSeconds)
{
    const struct { const char* fault; double value; int maxDeg, deg, min; double sec; } cases[] = {
        {"plain split", 139.691772, 180, 139, 41, 30.4},
        {"seconds rounding to 60.0 not carried", 10.99999, 180, 11, 0, 0.0},
        {"carry to a whole turn", 359.999999, 360, 360, 0, 0.0},
        {"carry beyond the maximum not capped", 180.99999, 180, 180, 0, 0.0},
        {"carry reaches 90 degrees of latitude", 89.9999999, 90, 90, 0, 0.0},
        {"carry past the largest int overflowed", 2147483647.99999, 360, 360, 0, 0.0},
        {"not a number gives zeros", kNan, 90, 0, 0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const CAngleParts parts = SplitAngle(c.value, c.maxDeg);
        EXPECT_EQ(std::make_pair(parts.nDeg, parts.nMin), std::make_pair(c.deg, c.min));
        EXPECT_NEAR(parts.dSec, c.sec, 1e-9);
    }
}

TEST(BodyFields, LongitudeAndAltitudeByBody)
{
    // Body, longitude east 0 to 360, the fields' choice and degrees, the longitude they give back. The Earth's and
    // Mars's longitudes, and the altitude's unit, lowest value and kilometres by body, are the location dialog's
    // tests' (DlgObsFields), where its fields show them and its pushes carry them.
    const struct { const char* fault; int body; double lng; int eastWest, deg; double back; } cases[] = {
        {"the Moon signed like the Earth", 1, 359.0, 1, 1, -1.0},
        {"Sun not east", 0, 200.0, 0, 200, 200.0},
        {"body 3 not east", 3, 300.0, 0, 300, 300.0},
        {"a carry to 360 on an unsigned body capped", 5, 359.99999, 1, 360, 360.0},
    };
    for (const auto& c : cases) {
        CCoordFields fields;
        SetBodyLng(fields, c.lng, c.body);
        EXPECT_EQ(std::make_pair(c.eastWest, c.deg), std::make_pair(fields.nEastWest, fields.nLngDeg)) << c.fault;
        EXPECT_NEAR(c.back, BodyLng(fields, c.body), 1e-4) << c.fault;
    }
}

TEST(CoordFields, TimeZoneSplit)
{
    const struct { const char* fault; double tz; int sign, hour, min; } cases[] = {
        {"minutes rounded, not truncated", 5.0 + 44.9999 / 60.0, 0, 5, 45},
        {"60 minutes not carried (134.9 E local mean time)", 134.9 / 15.0, 0, 9, 0},
        {"60 minutes not carried, west", -(2.0 + 59.7 / 60.0), 1, 3, 0},
        {"not a number gives zeros", kNan, 0, 0, 0},
        {"a huge zone overflowed the carry", 1e10, 0, INT_MAX, 0},
    };
    for (const auto& c : cases) {
        const CTzParts parts = SplitTimeZone(c.tz);
        EXPECT_EQ(std::make_tuple(parts.nSign, parts.nHour, parts.nMin), std::make_tuple(c.sign, c.hour, c.min)) << c.fault;
    }
}

using Rules = std::array<CFieldRule, kCoordFieldCount>;

Rules ObsRules(bool bSignedLng, double dAltLow)
{
    Rules rules{};
    for (int i = 0; i < kCoordFieldCount; ++i)
        rules[i] = ObsFieldRule(static_cast<CoordField>(i), bSignedLng, dAltLow);
    return rules;
}

// The location dialog's rules on the Earth, a 360 degree body and a kilometre body; the city
// list's; the place editor's.
const Rules kEarthRules = ObsRules(true, -9999.0), kMarsRules = ObsRules(false, -9999.0), kJupiterRules = ObsRules(false, 0.0);
const CFieldRule *const E = kEarthRules.data(), *const M = kMarsRules.data(), *const J = kJupiterRules.data();
const CFieldRule *const C = kCityListFieldRules, *const P = kPlaceEditorFieldRules;
using F = CoordField;

// 139 41 30.4 east, 35 41 21.2 north, 39 m, +9 h 0 min; the degrees of the field's own angle
// (the latitude's for a field of neither) as given.
CCoordFields Start(CoordField field, int nDeg)
{
    CCoordFields fields{0, 139, 41, 30.4, 0, 35, 41, 21.2, 39.0, 0, 9, 0};
    const bool bLng = field == CoordField::LngDeg || field == CoordField::LngMin || field == CoordField::LngSec;
    (bLng ? fields.nLngDeg : fields.nLatDeg) = nDeg;
    return fields;
}

// The minutes and seconds of the longitude, then of the latitude: "41 30.4 41 21.2".
std::string MinSec(const CCoordFields& f)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d %g %d %g", f.nLngMin, f.dLngSec, f.nLatMin, f.dLatSec);
    return text;
}

// The shared check with rows of each dialog's table: the value a violation sets, the message
// it shows, and the latitude of 90 degrees. A case a dialog's test types into its field is held
// there, where the user sees it (DlgObsFields, CityDlgTest, EdtCty).
TEST(FieldRules, TypedValueChecked)
{
    const FieldCheck ok = FieldCheck::Accepted, fixed = FieldCheck::Corrected, out = FieldCheck::OutOfRange;
    // message null: none, or the dialog formats it.
    const struct { const char* fault; const CFieldRule* rules; CoordField field; double typed; int deg; FieldCheck result;
                   double shown; const char* minSec; const wchar_t* message; } cases[] = {
        {"location: 180 typed kept the minutes past the top", E, F::LngDeg, 180, 35, fixed, 180, "0 0 41 21.2", nullptr},
        {"location: the Earth's top taken for a 360 degree body's", M, F::LngMin, 30, 180, ok, 30, "30 30.4 41 21.2", nullptr},
        {"location: seconds typed at a 360 degree body's top kept", M, F::LngSec, 12.5, 360, fixed, 0, "0 0 41 21.2", nullptr},
        {"location: a 360 degree body cut at 180", M, F::LngDeg, 360, 35, fixed, 360, "0 0 41 21.2", nullptr},
        {"location: minutes clamped the wrong way", E, F::LngMin, -1, 35, out, 0, "0 30.4 41 21.2", L"経度の分には 0 から 59 までの値を入力してください。"},
        {"location: seconds of 60 accepted", E, F::LngSec, 60, 35, out, 59.9, "41 59.9 41 21.2", L"経度の秒には 0 から 59.9 までの値を入力してください。"},
        {"location: latitude minutes text", E, F::LatMin, 60, 35, out, 59, "41 30.4 59 21.2", L"緯度の分には 0 から 59 までの値を入力してください。"},
        {"location: latitude seconds text", E, F::LatSec, -0.5, 35, out, 0, "41 30.4 41 0", L"緯度の秒には 0 から 59.9 までの値を入力してください。"},
        {"city list: 90 typed keeps the minutes", C, F::LatDeg, 90, 90, fixed, 90, "41 30.4 0 0", nullptr},
        {"city list: latitude minutes not to 59", C, F::LatMin, 60, 35, out, 59, "41 30.4 59 21.2", L"緯度の分には 0 から 59 の値を入力してください。"},
        {"city list: altitude not to the nearer bound", C, F::Alt, 1000000, 35, out, 999999, "41 30.4 41 21.2", L"標高には -9999 から 999999 までの値を入力してください。"},
        {"city list: time-zone hours text", C, F::TzHour, 15, 35, out, 0, "41 30.4 41 21.2", L"タイムゾーンの時には 0 から14 までの値を入力してください。"},
        {"place editor: latitude above 90 not 0", P, F::LatDeg, 91, 35, out, 0, "41 30.4 41 21.2", L"緯度の度には 0 から 90 までの値を入力してください。"},
        {"place editor: pole rule where there is none", P, F::LatMin, 30, 90, ok, 30, "41 30.4 30 21.2", nullptr},
        {"place editor: seconds typed at 180 kept", P, F::LngSec, 10, 180, fixed, 0, "0 0 41 21.2", nullptr},
        {"place editor: seconds below 60 refused", P, F::LngSec, 59.95, 35, ok, 59.95, "41 59.95 41 21.2", nullptr},
        {"place editor: altitude below not to the crossed bound", P, F::Alt, -10000, 35, out, -9999, "41 30.4 41 21.2", L"標高には -9999 から 999999 までの値を入力してください。"},
        {"place editor: time-zone minutes", P, F::TzMin, 60, 35, out, 0, "41 30.4 41 21.2", L"タイムゾーンの分には 0 から 59 までの値を入力してください。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const CFieldRule& rule = c.rules[static_cast<int>(c.field)];
        ASSERT_EQ(rule.field, c.field);
        CCoordFields fields = Start(c.field, c.deg);
        SetCoordField(fields, c.field, c.typed);
        EXPECT_EQ(CheckField(rule, fields), c.result);
        EXPECT_NEAR(GetCoordField(fields, c.field), c.shown, 1e-9);
        EXPECT_EQ(c.minSec, MinSec(fields));
        if (c.result == out) {
            EXPECT_EQ(std::wstring(c.message ? c.message : L"(none)"), rule.pszMessage ? rule.pszMessage : L"(none)");
        }
    }
}

// The shared up-down step with rows of each dialog's table; a step a dialog's test takes is held there.
TEST(FieldRules, UpDownStep)
{
    const struct { const char* fault; const CFieldRule* rules; CoordField field; double start; int deg, delta; double shown;
                   const char* minSec; int eastWest; } cases[] = {
        {"negative delta lowered", E, F::LngMin, 10, 35, -1, 11, "11 30.4 41 21.2", 0},
        {"positive delta raised", C, F::LngMin, 10, 35, 1, 9, "9 30.4 41 21.2", 0},
        {"zero delta stepped", P, F::LngMin, 10, 35, 0, 10, "10 30.4 41 21.2", 0},
        {"location: stepped onto 180 kept the minutes", E, F::LngDeg, 179, 35, -1, 180, "0 0 41 21.2", 0},
        {"location: stepped onto 360 kept the minutes", M, F::LngDeg, 359, 35, -1, 360, "0 0 41 21.2", 0},
        {"location: below 0 not mirrored to the west", E, F::LngDeg, 0, 35, 1, 1, "41 30.4 41 21.2", 1},
        {"location: past 360 not wrapped", M, F::LngDeg, 360, 35, -1, 1, "41 30.4 41 21.2", 0},
        {"location: below 0 not wrapped", M, F::LngDeg, 0, 35, 1, 359, "41 30.4 41 21.2", 0},
        {"city list: minutes stepped at 180", C, F::LngMin, 41, 180, -1, 0, "0 30.4 41 21.2", 0},
        {"seconds do not step a tenth", C, F::LngSec, 59.8, 35, -1, 59.9, "41 59.9 41 21.2", 0},
        {"seconds past 59.9", E, F::LatSec, 59.9, 35, -1, 59.9, "41 30.4 41 59.9", 0},
        {"seconds below 0", P, F::LatSec, 0.0, 35, 1, 0.0, "41 30.4 41 0", 0},
        {"city list: below 0 kept the minutes", C, F::LatDeg, 0, 35, 1, 0, "41 30.4 0 0", 0},
        {"place editor: onto 90 zeroed the minutes", P, F::LatDeg, 89, 35, -1, 90, "41 30.4 41 21.2", 0},
        {"minutes stepped at the pole", C, F::LatMin, 41, 90, -1, 0, "41 30.4 0 21.2", 0},
        {"altitude past the top", P, F::Alt, 999999, 35, -1, 999999, "41 30.4 41 21.2", 0},
        {"altitude below a kilometre body's 0", J, F::Alt, 0, 35, 1, 0, "41 30.4 41 21.2", 0},
        {"time-zone hours past 14", C, F::TzHour, 14, 35, -1, 14, "41 30.4 41 21.2", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CCoordFields fields = Start(c.field, c.deg);
        SetCoordField(fields, c.field, c.start);
        StepField(c.rules[static_cast<int>(c.field)], fields, c.delta);
        EXPECT_NEAR(GetCoordField(fields, c.field), c.shown, 1e-9);
        EXPECT_EQ(c.minSec, MinSec(fields));
        EXPECT_EQ(c.eastWest, fields.nEastWest);
    }
    // 599 steps of a tenth from 0 land on 59.9 exactly as the field shows it.
    CCoordFields fields = Start(CoordField::LatDeg, 35);
    fields.dLngSec = 0.0;
    for (int i = 0; i < 700; ++i)
        StepField(C[static_cast<int>(F::LngSec)], fields, -1);
    EXPECT_EQ(fields.dLngSec, 59.9);
}

}  // namespace
