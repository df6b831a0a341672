#include "ZoneOffset.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct ZoneCase {
    const char* pszFault;  // what a wrong rule would do
    const char* pszZone;
    double dHours;
};

const ZoneCase kCases[] = {
    {"summer time taken in the north", "America/New_York", -5.0},
    {"summer time taken in the south (January)", "Australia/Sydney", 10.0},
    {"winter taken as negative summer time, IST kept", "Europe/Dublin", 0.0},
    {"quarter hours lost", "Asia/Kathmandu", 5.75},
    {"half hours lost west of Greenwich", "America/St_Johns", -3.5},
};

TEST(ZoneOffset, StandardHoursOfEachKindOfZone)
{
    for (const ZoneCase& c : kCases)
        EXPECT_DOUBLE_EQ(ZoneStandardHours(c.pszZone), c.dHours) << c.pszZone << ": " << c.pszFault;
}

TEST(ZoneOffset, ZoneMissingFromTheDatabaseIsAnErrorNotUtc)
{
    EXPECT_THROW(ZoneStandardHours("Asia/Nowhere"), std::runtime_error);
    EXPECT_THROW(ZoneStandardHours("../zoneinfo/UTC"), std::runtime_error);
}

}  // namespace
