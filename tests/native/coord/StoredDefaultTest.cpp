#include <citydb/StoredDefault.h>

#include <gtest/gtest.h>

namespace {

// A stored default whose every value is a finite number within its field's range is one; any
// other text is none at all. Earth limits unless a row says otherwise: longitude 180 either
// way, altitude -9999 to 999999. The location dialog's reset sends the written form and the
// bounds as stored, and the built-in place instead of values not numbers or a zone past 14
// (DlgObsFields); what the values read as is seen only in which are refused.
TEST(StoredDefault, OnlyFiniteValuesWithinTheirRangesAreADefault)
{
    const CStoredDefaultLimits earth, mars{360.0, -9999.0, 999999.0}, jupiter{360.0, 0.0, 999999.0};
    const struct { const char* fault; const wchar_t* location; const wchar_t* tz; const CStoredDefaultLimits& limits; bool ok; } cases[] = {
        {"blanks and signs refused", L" location ( -70.5 ,-33.25, +500 ) ", L" -4 ", earth, true},
        {"the other bounds refused", L"location(180, -90, -9999)", L"14", earth, true},
        {"a 360 degree body's longitude refused", L"location(-359.5, 0, 0)", L"0", mars, true},
        {"infinities taken", L"location(inf, -inf, nan)", L"9", earth, false},
        {"a longitude past the top taken", L"location(181, 0, 0)", L"0", earth, false},
        {"a longitude past the bottom taken", L"location(-181, 0, 0)", L"0", earth, false},
        {"a longitude past 360 taken", L"location(361, 0, 0)", L"0", mars, false},
        {"a huge longitude taken", L"location(1e308, 0, 0)", L"0", earth, false},
        {"a latitude past the pole taken", L"location(0, 91, 0)", L"0", earth, false},
        {"a latitude past the south pole taken", L"location(0, -91, 0)", L"0", earth, false},
        {"an altitude below the bottom taken", L"location(0, 0, -10000)", L"0", earth, false},
        {"an altitude above the top taken", L"location(0, 0, 1000000)", L"0", earth, false},
        {"an altitude below a kilometre body's 0 taken", L"location(0, 0, -1)", L"0", jupiter, false},
        {"a huge altitude taken", L"location(0, 0, 1e9)", L"0", earth, false},
        {"a latitude not a number taken", L"location(0, nan, 0)", L"0", earth, false},
        {"a time zone below -14 by one taken", L"location(0, 0, 0)", L"-15", earth, false},
        {"a time zone not a number taken", L"location(0, 0, 0)", L"nan", earth, false},
        {"an infinite time zone taken", L"location(0, 0, 0)", L"-inf", earth, false},
        {"a time zone of 1e308 taken", L"location(0, 0, 0)", L"1e308", earth, false},
        {"a time zone overflowing a double taken", L"location(0, 0, 0)", L"1e400", earth, false},
        {"an empty time zone taken", L"location(0, 0, 0)", L"", earth, false},
        {"trailing text taken", L"location(0, 0, 0)x", L"0", earth, false},
        {"a missing value taken", L"location(0, 0)", L"0", earth, false},
        {"another expression taken", L"position(0, 0, 0)", L"0", earth, false},
        {"a time zone with text taken", L"location(0, 0, 0)", L"9h", earth, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CStoredDefault out;
        out.dLng = 12345.0;
        EXPECT_EQ(c.ok, ParseStoredDefault(c.location, c.tz, c.limits, out));
        if (!c.ok) {
            EXPECT_EQ(12345.0, out.dLng) << "a refused default left values behind";
        }
    }
}

}  // namespace
