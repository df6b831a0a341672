#include "ZoneOffset.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(ZoneOffset, StandardHoursOfEachKindOfZone)
{
    const struct { const char* fault; const char* zone; double hours; } cases[] = {
        {"summer time taken in the north", "America/New_York", -5.0},
        {"summer time taken in the south (January)", "Australia/Sydney", 10.0},
        {"winter taken as negative summer time, IST kept", "Europe/Dublin", 0.0},
        {"quarter hours lost", "Asia/Kathmandu", 5.75},
        {"half hours lost west of Greenwich", "America/St_Johns", -3.5},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ZoneStandardHours(c.zone), c.hours) << c.zone << ": " << c.fault;
    // A zone missing from the database is an error, not UTC.
    EXPECT_THROW(ZoneStandardHours("Asia/Nowhere"), std::runtime_error);
    EXPECT_THROW(ZoneStandardHours("../zoneinfo/UTC"), std::runtime_error);
}
