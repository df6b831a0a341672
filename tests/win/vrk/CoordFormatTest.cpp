#include <lunacl/lunacl.h>
#include <vrkcom/CCommonCoordFormat.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {
const double kTenth = 0.1 / 3600.0;  // one tenth of a second of arc, in degrees
}  // namespace

// Equal means "shows the same": tenths of a second of arc for angles, whole metres (rounded
// half to even, as shown) for altitudes; both ways round.
TEST(CommonCoordFormat, EqualAsShown)
{
    const struct { const char* fault; bool altitude; double a, b; bool equal; } cases[] = {
        {"same shown tenth differs", false, 35.0 + 10.0 * kTenth, 35.0 + 10.4 * kTenth, true},
        {"naive epsilon: a tiny gap across a rounding edge counts as equal", false, 35.0 + 10.49 * kTenth, 35.0 + 10.51 * kTenth, false},
        {"one tenth apart counts as equal", false, 35.0, 35.0 + kTenth, false},
        {"naive epsilon: 0.09 s apart within one shown tenth differs", false, 35.0 + 9.51 * kTenth, 35.0 + 10.49 * kTenth, true},
        {"carry into the next degree not seen", false, 10.99999, 11.0, true},
        {"carry into the next minute not seen", false, 10.0 + 59.99 / 3600.0, 10.0 + 1.0 / 60.0, true},
        {"sign ignored", false, -35.5, 35.5, false},
        {"south values compare wrong", false, -35.5, -35.5 - 0.4 * kTenth, true},
        {"0 and 360 equal", false, 0.0, 360.0, false},
        {"negative zero differs from zero", false, -0.0, 0.0, true},
        {"NaN equal to itself", false, NAN, NAN, false},
        {"same metre differs", true, 39.0, 39.4, true},
        {"naive epsilon: 0.2 m across the rounding edge is equal", true, 39.4, 39.6, false},
        {"tie not rounded to even like the display (40.5 shows 40)", true, 40.5, 40.0, true},
        {"tie not rounded to even like the display (41.5 shows 42)", true, 41.5, 42.0, true},
        {"negative altitudes compare wrong", true, -3.7, -4.2, true},
        {"one metre apart equal", true, 100.0, 101.0, false},
        {"NaN altitude equal to itself", true, NAN, NAN, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const auto equal = c.altitude ? CCommonCoordFormat::IsEqualAlt : CCommonCoordFormat::IsEqualDeg;
        EXPECT_EQ(equal(c.a, c.b) != FALSE, c.equal);
        EXPECT_EQ(equal(c.b, c.a) != FALSE, c.equal) << "swapped";
    }
}

TEST(Degmal, WrapsIntoOneTurn)
{
    const struct { const char* fault; double in, out; } cases[] = {
        {"inside the turn changed", 123.25, 123.25},
        {"a full turn not folded to zero", 360.0, 0.0},
        {"several turns not reduced", 1085.0, 5.0},
        {"negative not lifted", -1.0, 359.0},
        {"far negative not lifted", -370.0, 350.0},
        {"negative full turns not folded", -720.0, 0.0},
        {"tiny negative gives 360", -1e-14, 0.0},
        {"negative zero kept its sign", -0.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const double r = degmal(c.in);
        EXPECT_NEAR(r, c.out, 1e-9);
        EXPECT_TRUE(r >= 0.0 && r < 360.0 && !std::signbit(r)) << r;
    }
    EXPECT_TRUE(std::isnan(degmal(INFINITY)));
}
