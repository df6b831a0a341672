#include <lunacl/lunacl.h>

#include <gtest/gtest.h>

#include <cmath>

TEST(Degmal, WrapsIntoOneTurn)
{
    struct Case {
        const char* fault;
        double in;
        double out;
    } cases[] = {
        {"inside the turn changed", 123.25, 123.25},
        {"zero changed", 0.0, 0.0},
        {"a full turn not folded to zero", 360.0, 0.0},
        {"above a turn not reduced", 361.5, 1.5},
        {"several turns not reduced", 1085.0, 5.0},
        {"negative not lifted", -1.0, 359.0},
        {"negative full turns not folded", -720.0, 0.0},
        {"far negative not lifted", -370.0, 350.0},
        {"tiny negative gives 360", -1e-14, 0.0},
        {"negative zero kept its sign", -0.0, 0.0},
    };
    for (const Case& c : cases) {
        const double r = degmal(c.in);
        EXPECT_NEAR(r, c.out, 1e-9) << c.fault;
        EXPECT_GE(r, 0.0) << c.fault;
        EXPECT_LT(r, 360.0) << c.fault;
        EXPECT_FALSE(std::signbit(r)) << c.fault;
    }
    EXPECT_TRUE(std::isnan(degmal(INFINITY)));
    EXPECT_TRUE(std::isnan(degmal(NAN)));
}
