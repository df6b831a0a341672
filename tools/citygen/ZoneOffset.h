#pragma once

#include <string>

// The standard offset of a time zone of the system's tz database, in hours east of Greenwich:
// the smaller of its UTC offsets on 15 January and 15 July 2025 at noon UTC. Taking the smaller
// one gives winter time both where summer time is added (either hemisphere) and where the
// database counts winter as a negative daylight saving time (Europe/Dublin gives 0, not 1).
// A fixed year keeps the lists the same from run to run. Throws std::runtime_error for a zone
// the database does not hold.
double ZoneStandardHours(const std::string& strZone);
